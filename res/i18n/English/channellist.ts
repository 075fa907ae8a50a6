<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CChannelImportDlg</name>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="26"/>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="28"/>
        <source>Channel list: %1</source>
        <translation>Channel list: %1</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="31"/>
        <source>Place the rows:</source>
        <translation>Place the rows:</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>Automatically</source>
        <translation>Automatically</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>By Location</source>
        <translation>By Location</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="34"/>
        <source>In file order</source>
        <translation>In file order</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="36"/>
        <source>from channel</source>
        <translation>from channel</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="62"/>
        <source>Replace all channels</source>
        <translation>Replace all channels</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="64"/>
        <source>Channels the list does not name become empty</source>
        <translation>Channels the list does not name become empty</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="65"/>
        <source>Only the channels in the file</source>
        <translation>Only the channels in the file</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="67"/>
        <source>Channels the list does not name stay as they are</source>
        <translation>Channels the list does not name stay as they are</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="74"/>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="75"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="119"/>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="138"/>
        <source>Every row of the list can be imported.</source>
        <translation>Every row of the list can be imported.</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="139"/>
        <source>Rows that will not be imported:</source>
        <translation>Rows that will not be imported:</translation>
    </message>
    <message numerus="yes">
        <location filename="../../../dialogs/ChannelImportDlg.cpp" line="139"/>
        <source>%n row(s) will not be imported:</source>
        <translation>
            <numerusform>%n row will not be imported:</numerusform>
            <numerusform>%n rows will not be imported:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="9"/>
        <source>&amp;Import Channels...</source>
        <translation>&amp;Import Channels...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="10"/>
        <source>Read channels from a CSV channel list into the active document</source>
        <translation>Read channels from a CSV channel list into the active document</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="11"/>
        <source>Expor&amp;t Channels...</source>
        <translation>Expor&amp;t Channels...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="12"/>
        <source>Save the programmed channels as a CSV channel list</source>
        <translation>Save the programmed channels as a CSV channel list</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="13"/>
        <source>Print Channel S&amp;heet...</source>
        <translation>Print Channel S&amp;heet...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="14"/>
        <source>Print the channels and settings on one page</source>
        <translation>Print the channels and settings on one page</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="15"/>
        <source>Export Channel Sheet as PD&amp;F...</source>
        <translation>Export Channel Sheet as PD&amp;F...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameChannels.cpp" line="16"/>
        <source>Save the one-page channel sheet as a PDF file</source>
        <translation>Save the one-page channel sheet as a PDF file</translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="50"/>
        <source>No channel is programmed: there is nothing to export.</source>
        <translation>No channel is programmed: there is nothing to export.</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="54"/>
        <source>Export Channels</source>
        <translation>Export Channels</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="55"/>
        <source>Channel lists (*.csv)</source>
        <translation>Channel lists (*.csv)</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="63"/>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="101"/>
        <location filename="../../../print/ProgramViewSheet.cpp" line="77"/>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="68"/>
        <source>Cannot write %1: %2.
The channels were not exported; choose another file.</source>
        <translation>Cannot write %1: %2.
The channels were not exported; choose another file.</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="78"/>
        <source>%1 was written, but some channels hold tones this radio does not list:
%2</source>
        <translation>%1 was written, but some channels hold tones this radio does not list:
%2</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="84"/>
        <source>Exported %1 channel(s) to %2</source>
        <translation>Exported %1 channel(s) to %2</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="91"/>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="125"/>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="93"/>
        <source>Channel lists (*.csv *.txt);;All files (*)</source>
        <translation>Channel lists (*.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="111"/>
        <source>Cannot read %1: %2.</source>
        <translation>Cannot read %1: %2.</translation>
    </message>
    <message>
        <location filename="../../../dialogs/ProgramViewChannelList.cpp" line="119"/>
        <source>%1 cannot be imported: %2</source>
        <translation>%1 cannot be imported: %2</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="37"/>
        <source>Print Channel Sheet</source>
        <translation>Print Channel Sheet</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="49"/>
        <source>The channel sheet could not be printed.</source>
        <translation>The channel sheet could not be printed.</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="63"/>
        <source>Export Channel Sheet as PDF</source>
        <translation>Export Channel Sheet as PDF</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="63"/>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF Files (*.pdf)</translation>
    </message>
    <message>
        <location filename="../../../print/ProgramViewSheet.cpp" line="81"/>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
</TS>
