<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Co&amp;mpare With...</source>
        <translation>对比文件(&amp;M)...</translation>
    </message>
    <message>
        <source>Compare the active document with a .dat file, field by field</source>
        <translation>将当前文档与一个 .dat 文件逐项对比</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>选项(&amp;O)...</translation>
    </message>
    <message>
        <source>Backup and verify around Program &gt; Write</source>
        <translation>写频前备份、写频后校验的设置</translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation>备份(&amp;B)...</translation>
    </message>
    <message>
        <source>List the radio backups made before writing; open one</source>
        <translation>列出写频前所做的对讲机备份，并可打开其中之一</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>(empty)</source>
        <translation>（空）</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>In the radio</source>
        <translation>对讲机中</translation>
    </message>
    <message>
        <source>After the write</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>Write Data - Changes</source>
        <translation>写数据 - 变更</translation>
    </message>
    <message>
        <source>The radio already holds this image. Nothing will change if you write it.</source>
        <translation>对讲机中已是此数据，写入不会改变任何内容。</translation>
    </message>
    <message numerus="yes">
        <source>The write will change %n value(s) in the radio:</source>
        <translation>
            <numerusform>写入将改变对讲机中的 %n 项：</numerusform>
        </translation>
    </message>
    <message>
        <source>Write anyway</source>
        <translation>仍然写入</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Compare With %1</source>
        <translation>与 %1 对比</translation>
    </message>
    <message>
        <source>%1 and %2 hold the same image.</source>
        <translation>%1 与 %2 的数据相同。</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) differ between %1 and %2:</source>
        <translation>
            <numerusform>%1 与 %2 有 %n 项不同：</numerusform>
        </translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>对比文件</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>&amp;Read the radio twice and compare</source>
        <translation>读取两次并比较(&amp;R)</translation>
    </message>
    <message>
        <source>Program &gt; Read and the backup before a write read the radio twice and compare; where the two reads differ, a third decides.</source>
        <translation>“编程 &gt; 读频”和写频前的备份都会读取对讲机两次并比较；两次不一致时，由第三次读取裁定。</translation>
    </message>
    <message>
        <source>&amp;Back up the radio before writing</source>
        <translation>写频前备份对讲机(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>写频后校验(&amp;V)</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>打开文件夹(&amp;F)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Program &gt; Write</source>
        <translation>编程 &gt; 写频</translation>
    </message>
    <message>
        <source>Backups folder:</source>
        <translation>备份文件夹：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The folder %1 could not be opened. Open it with your file manager.</source>
        <translation>无法打开文件夹 %1。请用文件管理器打开它。</translation>
    </message>
</context>
<context>
    <name>CBackupsDlg</name>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Backups of the radio made before each write, in %1</source>
        <translation>每次写频前所做的对讲机备份，位于 %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Radio type</source>
        <translation>对讲机类型</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>打开文件夹(&amp;F)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>（未知）</translation>
    </message>
</context>
</TS>
