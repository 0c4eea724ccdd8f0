<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>计时器正在等待对其问题的回答，什么也没有做</source>
        <translation>the timer is waiting for an answer to its question; nothing done</translation>
    </message>
    <message>
        <source>运行 moriv --help 可以看到所有选项。</source>
        <translation>Try &apos;moriv --help&apos; for more information.</translation>
    </message>
    <message>
        <source>没有正在运行的计时器</source>
        <translation>no timer is running</translation>
    </message>
    <message>
        <source>正在运行的计时器没有接受这个命令</source>
        <translation>the running timer did not take the command</translation>
    </message>
    <message>
        <source>最新的计时器（进程 %1）没有回答；它可能以后仍会执行这个命令</source>
        <translation>the newest timer (process %1) did not answer; it may still act on the command later</translation>
    </message>
    <message>
        <source>没有第 %1 个屏幕；这个桌面有 %2 个</source>
        <translation>there is no screen %1; this desktop has %2</translation>
    </message>
    <message>
        <source>未知的选项“%1”</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>选项“%1”缺少值</source>
        <translation>missing value after &apos;%1&apos;</translation>
    </message>
    <message>
        <source>选项“%1”不接受值</source>
        <translation>&apos;%1&apos; takes no value</translation>
    </message>
    <message>
        <source>多余的参数“%1”</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--install-shortcuts 和 --remove-shortcuts 不能同时使用</source>
        <translation>--install-shortcuts and --remove-shortcuts exclude each other</translation>
    </message>
    <message>
        <source>--minutes 的值是 1 到 %1 之间的分钟数，而不是“%2”</source>
        <translation>--minutes takes a number of minutes from 1 to %1, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--corner 的值是 top-left、top-right、bottom-left 或 bottom-right，而不是“%1”</source>
        <translation>--corner takes top-left, top-right, bottom-left or bottom-right, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--screen 的值是从 1 起的屏幕编号，而不是“%1”</source>
        <translation>--screen takes a screen number from 1, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--scale 的值是 0.5 到 8 之间的倍数，而不是“%1”</source>
        <translation>--scale takes a factor from 0.5 to 8, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--warn 的值是 0 到 %1 之间的分钟数，而不是“%2”</source>
        <translation>--warn takes a number of minutes from 0 to %1, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--command 的值是 start、pause、reset、settings、more、less 或 quit，而不是“%1”</source>
        <translation>--command takes start, pause, reset, settings, more, less or quit, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--until 和 --minutes 不能同时使用</source>
        <translation>--until and --minutes exclude each other</translation>
    </message>
    <message>
        <source>--until 的值是至少一分钟之后的 24 小时制时间 HH:MM，而不是“%1”</source>
        <translation>--until takes a 24-hour time HH:MM at least a minute away, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--remote 的值是 1 到 65535 之间的端口号，而不是“%1”</source>
        <translation>--remote takes a port from 1 to 65535, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--remote-address 的值是一个 IP 地址，如 192.168.1.20，而不是“%1”</source>
        <translation>--remote-address takes an IP address such as 192.168.1.20, not &apos;%1&apos;</translation>
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
    <message>
        <source>多一分钟</source>
        <translation>One minute more</translation>
    </message>
    <message>
        <source>少一分钟</source>
        <translation>One minute less</translation>
    </message>
    <message>
        <source>退出计时器</source>
        <translation>Quit the timer</translation>
    </message>
</context>
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
    <name>DesktopShortcuts</name>
    <message>
        <source>桌面的设置（GSettings、dconf）无法写入（%1）</source>
        <translation>the desktop&apos;s settings (GSettings, dconf) cannot be written (%1)</translation>
    </message>
    <message>
        <source>什么也没有改变</source>
        <translation>nothing changed</translation>
    </message>
    <message>
        <source>%1 是你的快捷键“%2”的按键：%3 没有按键</source>
        <translation>%1 is the key of your shortcut &quot;%2&quot;: %3 is left without a key</translation>
    </message>
    <message>
        <source>dconf 没有提交这些更改</source>
        <translation>dconf did not commit the change</translation>
    </message>
    <message>
        <source>计时器的快捷键已移除</source>
        <translation>the timer&apos;s shortcuts are removed</translation>
    </message>
    <message>
        <source>在“系统设置 &gt; 快捷键 &gt; 自定义快捷键”中绑定这些命令：</source>
        <translation>bind these commands in System Settings &gt; Shortcuts &gt; Custom Shortcuts:</translation>
    </message>
    <message>
        <source>在“系统设置 &gt; 快捷键 &gt; 自定义快捷键”中移除这些命令：</source>
        <translation>remove these commands in System Settings &gt; Shortcuts &gt; Custom Shortcuts:</translation>
    </message>
    <message>
        <source>sway 在它的配置文件中绑定按键；把这几行加入 ~/.config/sway/config，然后运行 swaymsg reload：</source>
        <translation>sway binds keys in its configuration file; add these lines to ~/.config/sway/config, then run swaymsg reload:</translation>
    </message>
    <message>
        <source>从 ~/.config/sway/config 中删除这几行，然后运行 swaymsg reload：</source>
        <translation>remove these lines from ~/.config/sway/config, then run swaymsg reload:</translation>
    </message>
    <message>
        <source>无法加载 GIO（libgio-2.0.so.0）</source>
        <translation>GIO (libgio-2.0.so.0) cannot be loaded</translation>
    </message>
    <message>
        <source>这个桌面把快捷键保存在计时器无法设置的地方；请在它的设置中绑定这些：</source>
        <translation>this desktop keeps its shortcuts where the timer cannot set them; bind these in its settings:</translation>
    </message>
    <message>
        <source>这个桌面把快捷键保存在计时器无法设置的地方；请在它的设置中移除这些：</source>
        <translation>this desktop keeps its shortcuts where the timer cannot set them; remove these in its settings:</translation>
    </message>
    <message>
        <source>在 Windows 上，Ctrl+Alt 快捷键无需任何设置就能使用</source>
        <translation>on Windows the Ctrl+Alt shortcuts work without any setup</translation>
    </message>
    <message>
        <source>计时器的快捷键已加入桌面的自定义快捷键</source>
        <translation>the timer&apos;s shortcuts are in the desktop&apos;s custom shortcuts</translation>
    </message>
    <message>
        <source>在 KDE 上，计时器启动时向桌面的门户申请 Ctrl+Alt+A、S、D、F、PageUp 和 PageDown（Plasma 6 会询问你一次）；Plasma 5 不会这样绑定。</source>
        <translation>on KDE the timer asks the desktop&apos;s portal for Ctrl+Alt+A, S, D, F, PageUp and PageDown when it starts (Plasma 6 asks you once); Plasma 5 binds none that way.</translation>
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
    <message>
        <source>超时 %1 分 %2 秒</source>
        <translation>%1 min %2 s over</translation>
    </message>
    <message>
        <source>时间到</source>
        <translation>Time is up</translation>
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
    <name>TimerActions</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>重置…</source>
        <translation>Reset…</translation>
    </message>
    <message>
        <source>设置…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>多一分钟</source>
        <translation>A minute more</translation>
    </message>
    <message>
        <source>少一分钟</source>
        <translation>A minute less</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>TimerMenu</name>
    <message>
        <source>超时后继续计时</source>
        <translation>Count past zero</translation>
    </message>
    <message>
        <source>随幻灯片放映开始</source>
        <translation>Start with the slide show</translation>
    </message>
    <message>
        <source>提醒</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>1 分钟</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>2 分钟</source>
        <translation>2 minutes</translation>
    </message>
    <message>
        <source>5 分钟</source>
        <translation>5 minutes</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>按原设计</source>
        <translation>As designed</translation>
    </message>
    <message>
        <source>左上角</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>右上角</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>左下角</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>右下角</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>屏幕 %1</source>
        <translation>Screen %1</translation>
    </message>
    <message>
        <source>屏幕</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>颜色分段</source>
        <translation>Colour phases</translation>
    </message>
    <message>
        <source>到时响铃</source>
        <translation>Sound at zero</translation>
    </message>
    <message>
        <source>遥控无法启动：%1</source>
        <translation>The remote control cannot be started: %1</translation>
    </message>
    <message>
        <source>遥控</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>复制遥控地址</source>
        <translation>Copy the remote control&apos;s address</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>就绪</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>正在倒计时</source>
        <translation>counting down</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>paused</translation>
    </message>
    <message>
        <source>时间到</source>
        <translation>time is up</translation>
    </message>
    <message>
        <source>超时，继续计时</source>
        <translation>past zero, counting on</translation>
    </message>
    <message>
        <source>超时，已暂停</source>
        <translation>past zero, paused</translation>
    </message>
</context>
</TS>
