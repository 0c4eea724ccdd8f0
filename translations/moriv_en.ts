<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CountdownSession</name>
    <message>
        <source>倒计时时间到！！！</source>
        <translation>Time is up!!!</translation>
    </message>
    <message>
        <source>倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！</source>
        <translation>The countdown length is not valid. Press f to open the settings and enter a number of minutes from 1 to 32768!</translation>
    </message>
    <message>
        <source>您是否真的要重置时间？</source>
        <translation>Do you really want to reset the time?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>自定义设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>剩余 %1 分 %2 秒</source>
        <translation>%1 min %2 s left</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>自定义设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>保存设置</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>设置倒计时时间(分钟)——&gt;</source>
        <translation>Length in minutes ——&gt;</translation>
    </message>
    <message>
        <source>设置倒计时时间(分钟)</source>
        <translation>Countdown length (minutes)</translation>
    </message>
    <message>
        <source>输入软件上方标题—&gt;</source>
        <translation>Title above the timer —&gt;</translation>
    </message>
    <message>
        <source>设置字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>自定义图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>倒计时时间已修改，请点击重置按钮！</source>
        <translation>The countdown length has been changed. Please press Reset (d)!</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>它不是普通文件</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>它是文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>它是 FIFO（命名管道），不是普通文件</source>
        <translation>it is a FIFO, not a regular file</translation>
    </message>
    <message>
        <source>它是设备，不是普通文件</source>
        <translation>it is a device, not a regular file</translation>
    </message>
    <message>
        <source>它是套接字，不是普通文件</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>%1 不是文件夹</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>它是文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>它大于 %1 KiB，作为设置文件太大</source>
        <translation>it is larger than %1 KiB, too large for a settings file</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>磁盘只写入了文件的一部分</source>
        <translation>the disk took only part of the file</translation>
    </message>
    <message>
        <source>这个系统没有设置文件所用的 GB18030 编码</source>
        <translation>this system lacks the GB18030 code page in which the settings file is written</translation>
    </message>
</context>
<context>
    <name>SettingsMessages</name>
    <message>
        <source>无法使用设置文件 %1：%2
本次使用默认的 3 分钟倒计时。</source>
        <translation>Cannot use the settings file %1: %2
This time the default countdown of 3 minutes is used.</translation>
    </message>
    <message>
        <source>无法读取设置文件 %1：%2
仍使用当前的倒计时时间。</source>
        <translation>Cannot read the settings file %1: %2
The current countdown length stays in use.</translation>
    </message>
    <message>
        <source>无法保存设置文件 %1：%2
设置没有保存，倒计时未改变。</source>
        <translation>Cannot save the settings file %1: %2
The setting was not saved; the countdown is unchanged.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>计时器正在等待对其问题的回答，什么也没有做</source>
        <translation>the timer is waiting for an answer to its question; nothing done</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>开始倒计时</source>
        <translation>Start the countdown</translation>
    </message>
    <message>
        <source>暂停倒计时</source>
        <translation>Pause the countdown</translation>
    </message>
    <message>
        <source>重置倒计时</source>
        <translation>Reset the countdown</translation>
    </message>
    <message>
        <source>打开设置</source>
        <translation>Open the settings</translation>
    </message>
</context>
</TS>
