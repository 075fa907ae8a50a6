<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>&amp;Undo %1	Ctrl+Z</source>
        <translation>&amp;Undo %1	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo %1	Ctrl+Y</source>
        <translation>&amp;Redo %1	Ctrl+Y</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Undo the last change</translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation>Redo the change last undone</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>Cop&amp;y	Ctrl+C</source>
        <translation>Cop&amp;y	Ctrl+C</translation>
    </message>
    <message>
        <source>P&amp;aste	Ctrl+V</source>
        <translation>P&amp;aste	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Delete	Del</translation>
    </message>
    <message>
        <source>&amp;Insert Channel</source>
        <translation>&amp;Insert Channel</translation>
    </message>
    <message>
        <source>D&amp;elete Channel</source>
        <translation>D&amp;elete Channel</translation>
    </message>
    <message>
        <source>Mo&amp;ve Up	Ctrl+Up</source>
        <translation>Mo&amp;ve Up	Ctrl+Up</translation>
    </message>
    <message>
        <source>Move Do&amp;wn	Ctrl+Down</source>
        <translation>Move Do&amp;wn	Ctrl+Down</translation>
    </message>
    <message>
        <source>C&amp;lear Channel</source>
        <translation>C&amp;lear Channel</translation>
    </message>
    <message>
        <source>Copy the selected cells and clear them</source>
        <translation>Copy the selected cells and clear them</translation>
    </message>
    <message>
        <source>Copy the selected cells (whole channels exactly)</source>
        <translation>Copy the selected cells (whole channels exactly)</translation>
    </message>
    <message>
        <source>Paste channels or cells at the selected cell</source>
        <translation>Paste channels or cells at the selected cell</translation>
    </message>
    <message>
        <source>Clear the selected cells</source>
        <translation>Clear the selected cells</translation>
    </message>
    <message>
        <source>Insert an empty channel; the channels below move down</source>
        <translation>Insert an empty channel; the channels below move down</translation>
    </message>
    <message>
        <source>Delete the channel; the channels below move up</source>
        <translation>Delete the channel; the channels below move up</translation>
    </message>
    <message>
        <source>Swap the channel with the one above</source>
        <translation>Swap the channel with the one above</translation>
    </message>
    <message>
        <source>Swap the channel with the one below</source>
        <translation>Swap the channel with the one below</translation>
    </message>
    <message>
        <source>Empty the channel where it is</source>
        <translation>Empty the channel where it is</translation>
    </message>
</context>
</TS>
