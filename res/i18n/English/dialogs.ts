<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>ComSetupDlg</name>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="12" />
            <source>COM Setup</source>
            <translation>COM Setup</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="36" />
            <source>COM</source>
            <translation>COM</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="51" />
            <source>COM1</source>
            <translation>COM1</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="61" />
            <source>COM2</source>
            <translation>COM2</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="71" />
            <source>COM3</source>
            <translation>COM3</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="81" />
            <source>COM4</source>
            <translation>COM4</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="109" />
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="138" />
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>LanguageDlg</name>
        <message>
            <location filename="../../ui/languagedlg.ui" line="12" />
            <source>Language</source>
            <translation>Language</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="51" />
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="74" />
            <source>Chinese</source>
            <translation>Chinese</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="114" />
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="143" />
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>OptionalFeaturesDlg</name>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="12" />
            <source>Optional Features</source>
            <translation>Optional Features</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="44" />
            <source>Time-Out Timer</source>
            <translation>Time-Out Timer</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="70" />
            <source>Voice Annunciation</source>
            <translation>Voice Annunciation</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="96" />
            <source>TOT Pre-Alert</source>
            <translation>TOT Pre-Alert</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="122" />
            <source>Squelch Level</source>
            <translation>Squelch Level</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="148" />
            <source>Call Tone</source>
            <translation>Call Tone</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="174" />
            <source>Vox Delay Time</source>
            <translation>Vox Delay Time</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="200" />
            <source>Vox Gain Level</source>
            <translation>Vox Gain Level</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="228" />
            <source>Beep</source>
            <translation>Beep</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="251" />
            <source>Battery Saver</source>
            <translation>Battery Saver</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="263" />
            <source>Call Key Define</source>
            <translation>Call Key Define</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="319" />
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="348" />
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>ProductInfoDlg</name>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="12" />
            <source>Product Information</source>
            <translation>Product Information</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="36" />
            <source>Setting</source>
            <translation>Setting</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="51" />
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="74" />
            <source>ZL-260</source>
            <translation>ZL-260</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="82" />
            <source>Frequency</source>
            <translation>Frequency</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="105" />
            <source>130 - 160MHz</source>
            <translation>130 - 160MHz</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="131" />
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="160" />
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>ScanInfoDlg</name>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="12" />
            <source>Scan Infomation</source>
            <translation>Scan Infomation</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="44" />
            <source>Priority</source>
            <translation>Priority</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="67" />
            <source>None</source>
            <translation>None</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="72" />
            <source>Fixed</source>
            <translation>Fixed</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="77" />
            <source>Selected</source>
            <translation>Selected</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="85" />
            <source>Priority Channel</source>
            <translation>Priority Channel</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="114" />
            <source>Look Back Time A</source>
            <translation>Look Back Time A</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="154" />
            <source>Look Back Time B</source>
            <translation>Look Back Time B</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="194" />
            <source>Revert Channel</source>
            <translation>Revert Channel</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="220" />
            <source>Dropout Delay Time</source>
            <translation>Dropout Delay Time</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="260" />
            <source>Tx Dwell Time</source>
            <translation>Tx Dwell Time</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="317" />
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="346" />
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
    </context>
</TS>
