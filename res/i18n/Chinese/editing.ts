<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>撤销(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>重做(&amp;R)	Ctrl+Y</translation>
    </message>
    <message>
        <source>&amp;Undo %1	Ctrl+Z</source>
        <translation>撤销 %1(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo %1	Ctrl+Y</source>
        <translation>重做 %1(&amp;R)	Ctrl+Y</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>撤销上一次更改</translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation>重做上一次撤销的更改</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>剪切(&amp;T)	Ctrl+X</translation>
    </message>
    <message>
        <source>Cop&amp;y	Ctrl+C</source>
        <translation>复制(&amp;Y)	Ctrl+C</translation>
    </message>
    <message>
        <source>P&amp;aste	Ctrl+V</source>
        <translation>粘贴(&amp;A)	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>删除(&amp;D)	Del</translation>
    </message>
    <message>
        <source>&amp;Insert Channel</source>
        <translation>插入信道(&amp;I)</translation>
    </message>
    <message>
        <source>D&amp;elete Channel</source>
        <translation>删除信道(&amp;E)</translation>
    </message>
    <message>
        <source>Mo&amp;ve Up	Ctrl+Up</source>
        <translation>上移(&amp;V)	Ctrl+Up</translation>
    </message>
    <message>
        <source>Move Do&amp;wn	Ctrl+Down</source>
        <translation>下移(&amp;W)	Ctrl+Down</translation>
    </message>
    <message>
        <source>C&amp;lear Channel</source>
        <translation>清除信道(&amp;L)</translation>
    </message>
    <message>
        <source>Copy the selected cells and clear them</source>
        <translation>复制所选单元格并清除它们</translation>
    </message>
    <message>
        <source>Copy the selected cells (whole channels exactly)</source>
        <translation>复制所选单元格（整个信道按原样复制）</translation>
    </message>
    <message>
        <source>Paste channels or cells at the selected cell</source>
        <translation>在所选单元格处粘贴信道或单元格</translation>
    </message>
    <message>
        <source>Clear the selected cells</source>
        <translation>清除所选单元格</translation>
    </message>
    <message>
        <source>Insert an empty channel; the channels below move down</source>
        <translation>插入一个空信道；下面的信道依次下移</translation>
    </message>
    <message>
        <source>Delete the channel; the channels below move up</source>
        <translation>删除该信道；下面的信道依次上移</translation>
    </message>
    <message>
        <source>Swap the channel with the one above</source>
        <translation>与上一个信道交换位置</translation>
    </message>
    <message>
        <source>Swap the channel with the one below</source>
        <translation>与下一个信道交换位置</translation>
    </message>
    <message>
        <source>Empty the channel where it is</source>
        <translation>清空该信道，位置不变</translation>
    </message>
</context>
</TS>
