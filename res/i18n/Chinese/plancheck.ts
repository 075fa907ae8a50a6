<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Check &amp;Channels...</source>
        <translation>检查信道(&amp;C)...</translation>
    </message>
    <message>
        <source>List what looks wrong in the channel plan; go to a cell from the list</source>
        <translation>列出信道规划中可能有误之处，并可从列表转到相应单元格</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>Write Data - Channel Check</source>
        <translation>写数据 - 信道检查</translation>
    </message>
    <message>
        <source>The radio is not read before this write (Setup &gt; Options), so the changes it makes are not listed.</source>
        <translation>本次写频前不读取对讲机（设置 &gt; 选项），因此不列出将要做出的变更。</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>Re&amp;gion for the channel check:</source>
        <translation>信道检查的地区(&amp;G)：</translation>
    </message>
</context>
</TS>
