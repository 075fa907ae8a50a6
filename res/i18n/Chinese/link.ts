<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ProcessDlg</name>
    <message>
        <location filename="../../ui/processdlg.ui" line="14"/>
        <source>Process</source>
        <translation>进度</translation>
    </message>
    <message>
        <location filename="../../ui/processdlg.ui" line="71"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../ui/processdlg.ui" line="99"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../ui/processdlg.ui" line="118"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
