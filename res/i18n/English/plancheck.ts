<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Check &amp;Channels...</source>
        <translation>Check &amp;Channels...</translation>
    </message>
    <message>
        <source>List what looks wrong in the channel plan; go to a cell from the list</source>
        <translation>List what looks wrong in the channel plan; go to a cell from the list</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>Write Data - Channel Check</source>
        <translation>Write Data - Channel Check</translation>
    </message>
    <message>
        <source>The radio is not read before this write (Setup &gt; Options), so the changes it makes are not listed.</source>
        <translation>The radio is not read before this write (Setup &gt; Options), so the changes it makes are not listed.</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>Re&amp;gion for the channel check:</source>
        <translation>Re&amp;gion for the channel check:</translation>
    </message>
</context>
</TS>
