<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is a FIFO, not a regular file</source>
        <translation>it is a FIFO, not a regular file</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>it is a device, not a regular file</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is larger than %1 KiB, too large for a settings file</source>
        <translation>it is larger than %1 KiB, too large for a settings file</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>the disk took only part of the file</source>
        <translation>the disk took only part of the file</translation>
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
</TS>
