<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>ComSetupDlg</name>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="12" />
            <source>COM Setup</source>
            <translation>串口设置</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="36" />
            <source>COM</source>
            <translation>串口</translation>
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
            <translation>确定</translation>
        </message>
        <message>
            <location filename="../../ui/comsetupdlg.ui" line="138" />
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>LanguageDlg</name>
        <message>
            <location filename="../../ui/languagedlg.ui" line="12" />
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="51" />
            <source>English</source>
            <translation>英文</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="74" />
            <source>Chinese</source>
            <translation>中文</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="114" />
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <location filename="../../ui/languagedlg.ui" line="143" />
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>OptionalFeaturesDlg</name>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="12" />
            <source>Optional Features</source>
            <translation>可选功能</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="44" />
            <source>Time-Out Timer</source>
            <translation>发射限时</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="70" />
            <source>Voice Annunciation</source>
            <translation>语音提示</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="96" />
            <source>TOT Pre-Alert</source>
            <translation>限时预警</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="122" />
            <source>Squelch Level</source>
            <translation>静噪等级</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="148" />
            <source>Call Tone</source>
            <translation>呼叫音</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="174" />
            <source>Vox Delay Time</source>
            <translation>声控延时</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="200" />
            <source>Vox Gain Level</source>
            <translation>声控灵敏度</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="228" />
            <source>Beep</source>
            <translation>按键音</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="251" />
            <source>Battery Saver</source>
            <translation>省电</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="263" />
            <source>Call Key Define</source>
            <translation>呼叫键定义</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="319" />
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <location filename="../../ui/optionalfeaturesdlg.ui" line="348" />
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>ProductInfoDlg</name>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="12" />
            <source>Product Information</source>
            <translation>类型设置</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="36" />
            <source>Setting</source>
            <translation>设置</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="51" />
            <source>Type</source>
            <translation>类型</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="74" />
            <source>ZL-260</source>
            <translation>ZL-260</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="82" />
            <source>Frequency</source>
            <translation>频段</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="105" />
            <source>130 - 160MHz</source>
            <translation>130 - 160MHz</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="131" />
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <location filename="../../ui/productinfodlg.ui" line="160" />
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>ScanInfoDlg</name>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="12" />
            <source>Scan Infomation</source>
            <translation>扫描信息</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="44" />
            <source>Priority</source>
            <translation>优先</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="67" />
            <source>None</source>
            <translation>无</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="72" />
            <source>Fixed</source>
            <translation>固定</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="77" />
            <source>Selected</source>
            <translation>选定</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="85" />
            <source>Priority Channel</source>
            <translation>优先信道</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="114" />
            <source>Look Back Time A</source>
            <translation>回看时间 A</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="154" />
            <source>Look Back Time B</source>
            <translation>回看时间 B</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="194" />
            <source>Revert Channel</source>
            <translation>回复信道</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="220" />
            <source>Dropout Delay Time</source>
            <translation>掉线延时</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="260" />
            <source>Tx Dwell Time</source>
            <translation>发射驻留时间</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="317" />
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <location filename="../../ui/scaninfodlg.ui" line="346" />
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
</TS>
