<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="17"/>
        <source>About Program</source>
        <translation>About Program</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="44"/>
        <source>Program Version 1.0</source>
        <translation>Program Version 1.0</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="54"/>
        <source>Copyright (C) 2004</source>
        <translation>Copyright (C) 2004</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="64"/>
        <source>All rights reserved</source>
        <translation>All rights reserved</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="85"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="111"/>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="112"/>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="113"/>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="114"/>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="115"/>
        <source>Save &amp;As...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="116"/>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="117"/>
        <source>Print Pre&amp;view</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="118"/>
        <source>Export P&amp;DF...</source>
        <translation>Export P&amp;DF...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="119"/>
        <source>Save the report of the active document as a PDF file</source>
        <translation>Save the report of the active document as a PDF file</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="120"/>
        <source>P&amp;rint Setup...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="121"/>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="122"/>
        <source>&amp;Product Information</source>
        <translation>&amp;Product Information</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="123"/>
        <source>&amp;Channel Information</source>
        <translation>&amp;Channel Information</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="124"/>
        <source>&amp;Optional Features</source>
        <translation>&amp;Optional Features</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="125"/>
        <source>&amp;Read	Ctrl+R</source>
        <translation>&amp;Read	Ctrl+R</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="126"/>
        <source>&amp;Write	Ctrl+W</source>
        <translation>&amp;Write	Ctrl+W</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="127"/>
        <source>Scan Info</source>
        <translation>Scan Info</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="128"/>
        <source>&amp;Toolbar</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="129"/>
        <source>&amp;Status Bar</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="130"/>
        <source>&amp;Control Bar</source>
        <translation>&amp;Control Bar</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="131"/>
        <source>&amp;Com Setup</source>
        <translation>&amp;Com Setup</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="132"/>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="133"/>
        <location filename="../../../shell/MainFrame.cpp" line="137"/>
        <source>&amp;About Program...</source>
        <translation>&amp;About Program...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="134"/>
        <source>Next Pane</source>
        <translation>Next Pane</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="135"/>
        <source>Previous Pane</source>
        <translation>Previous Pane</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="309"/>
        <location filename="../../../shell/ProgramApp.cpp" line="160"/>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="36"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="42"/>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="38"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="49"/>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="39"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="52"/>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="47"/>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="48"/>
        <source>&amp;Program</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="51"/>
        <source>&amp;Setup</source>
        <translation>&amp;Setup</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="58"/>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="15"/>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="17"/>
        <source>


*.dat
.dat
Program.Document
Program Document</source>
        <translation>


*.dat
.dat
Program.Document
Program Document</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="18"/>
        <source>Read Data From Radio
Read</source>
        <translation>Read Data From Radio
Read</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="19"/>
        <source>Write Data To Radio
Write</source>
        <translation>Write Data To Radio
Write</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="20"/>
        <source>Out of range,please input again.</source>
        <translation>Out of range,please input again.</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="22"/>
        <source>Communication Error,Please check all the connections and the radio power</source>
        <translation>Communication Error,Please check all the connections and the radio power</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="24"/>
        <source>All data will be Cleared!</source>
        <translation>All data will be Cleared!</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="26"/>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok</source>
        <translation>Could not Open the Port,Please check whether the Port are occupied or the device are ok</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="29"/>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>Program Interrupt, Please reset the radio and try again</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="31"/>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>Error data Value, please input according the step value(6.25K/5k).</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="33"/>
        <source>Caution</source>
        <translation>Caution</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="34"/>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="35"/>
        <source>Create a new document
New</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="36"/>
        <source>Open an existing document
Open</source>
        <translation>Open an existing document
Open</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="37"/>
        <source>Close the active document
Close</source>
        <translation>Close the active document
Close</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="38"/>
        <source>Save the active document
Save</source>
        <translation>Save the active document
Save</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="40"/>
        <source>Save the active document with a new name
Save As</source>
        <translation>Save the active document with a new name
Save As</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="42"/>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Change the printer and printing options
Print Setup</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="43"/>
        <source>Print the active document
Print</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="44"/>
        <source>Display full pages
Print Preview</source>
        <translation>Display full pages
Print Preview</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="46"/>
        <source>Display program information, version number and copyright
About</source>
        <translation>Display program information, version number and copyright
About</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="49"/>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Quit the application; prompts to save documents
Exit</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="50"/>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Switch to the next window pane
Next Pane</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="52"/>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Switch back to the previous window pane
Previous Pane</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="53"/>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Show or hide the toolbar
Toggle ToolBar</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="55"/>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Show or hide the status bar
Toggle StatusBar</translation>
    </message>
</context>
</TS>
