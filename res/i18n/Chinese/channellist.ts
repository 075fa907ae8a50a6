<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CChannelImportDlg</name>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="26"/>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="28"/>
        <source>Channel list: %1</source>
        <translation>信道表：%1</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="31"/>
        <source>Place the rows:</source>
        <translation>放置各行：</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>Automatically</source>
        <translation>自动</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>By Location</source>
        <translation>按 Location 列</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>In file order</source>
        <translation>按文件顺序</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="36"/>
        <source>from channel</source>
        <translation>起始信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="62"/>
        <source>Replace all channels</source>
        <translation>替换全部信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="64"/>
        <source>Channels the list does not name become empty</source>
        <translation>表中没有的信道将被清空</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="65"/>
        <source>Only the channels in the file</source>
        <translation>只导入文件中的信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="67"/>
        <source>Channels the list does not name stay as they are</source>
        <translation>表中没有的信道保持不变</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="74"/>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="75"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="119"/>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="138"/>
        <source>Every row of the list can be imported.</source>
        <translation>信道表的每一行都可以导入。</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="139"/>
        <source>Rows that will not be imported:</source>
        <translation>以下各行不会导入：</translation>
    </message>
    <message numerus="yes">
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="139"/>
        <source>%n row(s) will not be imported:</source>
        <translation>
            <numerusform>以下 %n 行不会导入：</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="9"/>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="10"/>
        <source>Read channels from a CSV channel list into the active document</source>
        <translation>从 CSV 信道表读入信道到当前文档</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="11"/>
        <source>Expor&amp;t Channels...</source>
        <translation>导出信道(&amp;T)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="12"/>
        <source>Save the programmed channels as a CSV channel list</source>
        <translation>把已编程的信道保存为 CSV 信道表</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="13"/>
        <source>Print Channel S&amp;heet...</source>
        <translation>打印信道一览表(&amp;H)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="14"/>
        <source>Print the channels and settings on one page</source>
        <translation>在一页上打印信道和设置</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="15"/>
        <source>Export Channel Sheet as PD&amp;F...</source>
        <translation>导出信道一览表为 PDF(&amp;F)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="16"/>
        <source>Save the one-page channel sheet as a PDF file</source>
        <translation>把一页的信道一览表保存为 PDF 文件</translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="50"/>
        <source>No channel is programmed: there is nothing to export.</source>
        <translation>没有已编程的信道：没有可导出的内容。</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="54"/>
        <source>Export Channels</source>
        <translation>导出信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="55"/>
        <source>Channel lists (*.csv)</source>
        <translation>信道表 (*.csv)</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="63"/>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="101"/>
        <location filename="../../../print/ProgramViewSheet.cpp" line="77"/>
        <source>it is not a regular file</source>
        <translation>这不是普通文件</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="68"/>
        <source>Cannot write %1: %2.
The channels were not exported; choose another file.</source>
        <translation>无法写入 %1：%2。
信道没有导出；请另选文件。</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="78"/>
        <source>%1 was written, but some channels hold tones this radio does not list:
%2</source>
        <translation>%1 已写入，但有些信道的亚音不在本机列表中：
%2</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="84"/>
        <source>Exported %1 channel(s) to %2</source>
        <translation>已将 %1 个信道导出到 %2</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="91"/>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="125"/>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="93"/>
        <source>Channel lists (*.csv *.txt);;All files (*)</source>
        <translation>信道表 (*.csv *.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="111"/>
        <source>Cannot read %1: %2.</source>
        <translation>无法读取 %1：%2。</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="119"/>
        <source>%1 cannot be imported: %2</source>
        <translation>无法导入 %1：%2</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="37"/>
        <source>Print Channel Sheet</source>
        <translation>打印信道一览表</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="49"/>
        <source>The channel sheet could not be printed.</source>
        <translation>无法打印信道一览表。</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="63"/>
        <source>Export Channel Sheet as PDF</source>
        <translation>导出信道一览表为 PDF</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="63"/>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="81"/>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
</TS>
