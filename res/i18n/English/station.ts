<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Programming &amp;Station...</source>
        <translation>Programming &amp;Station...</translation>
    </message>
    <message>
        <source>Write the image into many radios, on every cable at once</source>
        <translation>Write the image into many radios, on every cable at once</translation>
    </message>
    <message>
        <source>Programming &amp;Log...</source>
        <translation>Programming &amp;Log...</translation>
    </message>
    <message>
        <source>Every write into a radio: when, where, what and the backup</source>
        <translation>Every write into a radio: when, where, what and the backup</translation>
    </message>
</context>
<context>
    <name>CStationRow</name>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Port %1</source>
        <translation>Port %1</translation>
    </message>
    <message>
        <source>Use port %1</source>
        <translation>Use port %1</translation>
    </message>
    <message>
        <source>Progress on %1</source>
        <translation>Progress on %1</translation>
    </message>
    <message>
        <source>Radios on %1</source>
        <translation>Radios on %1</translation>
    </message>
    <message>
        <source>Start on %1</source>
        <translation>Start on %1</translation>
    </message>
    <message>
        <source>Cancel on %1</source>
        <translation>Cancel on %1</translation>
    </message>
    <message>
        <source>Waiting for a radio</source>
        <translation>Waiting for a radio</translation>
    </message>
    <message>
        <source>Done: %1  Failed: %2</source>
        <translation>Done: %1  Failed: %2</translation>
    </message>
    <message>
        <source>State of %1: %2</source>
        <translation>State of %1: %2</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>Done. Connect the next radio and press Start.</source>
        <translation>Done. Connect the next radio and press Start.</translation>
    </message>
    <message>
        <source>Failed: cancelled</source>
        <translation>Failed: cancelled</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>Backup: %1</source>
        <translation>Backup: %1</translation>
    </message>
</context>
<context>
    <name>CStationWindow</name>
    <message>
        <source>Start &amp;All</source>
        <translation>Start &amp;All</translation>
    </message>
    <message>
        <source>Cancel A&amp;ll</source>
        <translation>Cancel A&amp;ll</translation>
    </message>
    <message>
        <source>Programming Station</source>
        <translation>Programming Station</translation>
    </message>
    <message>
        <source>Image: %1
SHA-256: %2</source>
        <translation>Image: %1
SHA-256: %2</translation>
    </message>
    <message>
        <source>Image written</source>
        <translation>Image written</translation>
    </message>
    <message>
        <source>The programming log could not be written (%1); the radio's result is not affected.</source>
        <translation>The programming log could not be written (%1); the radio's result is not affected.</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totals</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Programmed: %1   Failed: %2   Elapsed: %3</source>
        <translation>Programmed: %1   Failed: %2   Elapsed: %3</translation>
    </message>
    <message>
        <source>Radios are being programmed. Stop them and close the Programming Station?</source>
        <translation>Radios are being programmed. Stop them and close the Programming Station?</translation>
    </message>
</context>
<context>
    <name>CProgrammingLogDlg</name>
    <message>
        <source>&amp;From</source>
        <translation>&amp;From</translation>
    </message>
    <message>
        <source>Open &amp;Backup</source>
        <translation>Open &amp;Backup</translation>
    </message>
    <message>
        <source>Programming Log</source>
        <translation>Programming Log</translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation>F&amp;ind:</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>From date</source>
        <translation>From date</translation>
    </message>
    <message>
        <source>Only records from a date on</source>
        <translation>Only records from a date on</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Radio type</source>
        <translation>Radio type</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Programming log records</source>
        <translation>Programming log records</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>The log could not be exported: %1</source>
        <translation>The log could not be exported: %1</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>O&amp;perator (in the programming log):</source>
        <translation>O&amp;perator (in the programming log):</translation>
    </message>
</context>
</TS>
