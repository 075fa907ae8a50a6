<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Co&amp;mpare With...</source>
        <translation>Co&amp;mpare With...</translation>
    </message>
    <message>
        <source>Compare the active document with a .dat file, field by field</source>
        <translation>Compare the active document with a .dat file, field by field</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Backup and verify around Program &gt; Write</source>
        <translation>Backup and verify around Program &gt; Write</translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation>&amp;Backups...</translation>
    </message>
    <message>
        <source>List the radio backups made before writing; open one</source>
        <translation>List the radio backups made before writing; open one</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>(empty)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>In the radio</source>
        <translation>In the radio</translation>
    </message>
    <message>
        <source>After the write</source>
        <translation>After the write</translation>
    </message>
    <message>
        <source>Write Data - Changes</source>
        <translation>Write Data - Changes</translation>
    </message>
    <message>
        <source>The radio already holds this image. Nothing will change if you write it.</source>
        <translation>The radio already holds this image. Nothing will change if you write it.</translation>
    </message>
    <message numerus="yes">
        <source>The write will change %n value(s) in the radio:</source>
        <translation>
            <numerusform>The write will change %n value in the radio:</numerusform>
            <numerusform>The write will change %n values in the radio:</numerusform>
        </translation>
    </message>
    <message>
        <source>Write anyway</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Compare With %1</source>
        <translation>Compare With %1</translation>
    </message>
    <message>
        <source>%1 and %2 hold the same image.</source>
        <translation>%1 and %2 hold the same image.</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) differ between %1 and %2:</source>
        <translation>
            <numerusform>%n value differs between %1 and %2:</numerusform>
            <numerusform>%n values differ between %1 and %2:</numerusform>
        </translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Compare With</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>&amp;Read the radio twice and compare</source>
        <translation>&amp;Read the radio twice and compare</translation>
    </message>
    <message>
        <source>Program &gt; Read and the backup before a write read the radio twice and compare; where the two reads differ, a third decides.</source>
        <translation>Program &gt; Read and the backup before a write read the radio twice and compare; where the two reads differ, a third decides.</translation>
    </message>
    <message>
        <source>&amp;Back up the radio before writing</source>
        <translation>&amp;Back up the radio before writing</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>&amp;Verify after writing</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>Open &amp;Folder</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Program &gt; Write</source>
        <translation>Program &gt; Write</translation>
    </message>
    <message>
        <source>Backups folder:</source>
        <translation>Backups folder:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The folder %1 could not be opened. Open it with your file manager.</source>
        <translation>The folder %1 could not be opened. Open it with your file manager.</translation>
    </message>
</context>
<context>
    <name>CBackupsDlg</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>Backups of the radio made before each write, in %1</source>
        <translation>Backups of the radio made before each write, in %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Radio type</source>
        <translation>Radio type</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>Open &amp;Folder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>(unknown)</translation>
    </message>
</context>
</TS>
