<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Programming &amp;Station...</source>
        <translation>编程工作站(&amp;S)...</translation>
    </message>
    <message>
        <source>Write the image into many radios, on every cable at once</source>
        <translation>将数据同时通过每条编程线写入多台对讲机</translation>
    </message>
    <message>
        <source>Programming &amp;Log...</source>
        <translation>编程记录(&amp;L)...</translation>
    </message>
    <message>
        <source>Every write into a radio: when, where, what and the backup</source>
        <translation>每次写入对讲机的记录：时间、端口、数据和备份</translation>
    </message>
</context>
<context>
    <name>CStationRow</name>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Port %1</source>
        <translation>端口 %1</translation>
    </message>
    <message>
        <source>Use port %1</source>
        <translation>使用端口 %1</translation>
    </message>
    <message>
        <source>Progress on %1</source>
        <translation>%1 的进度</translation>
    </message>
    <message>
        <source>Radios on %1</source>
        <translation>%1 上的对讲机</translation>
    </message>
    <message>
        <source>Start on %1</source>
        <translation>在 %1 上开始</translation>
    </message>
    <message>
        <source>Cancel on %1</source>
        <translation>取消 %1</translation>
    </message>
    <message>
        <source>Waiting for a radio</source>
        <translation>等待对讲机</translation>
    </message>
    <message>
        <source>Done: %1  Failed: %2</source>
        <translation>完成：%1  失败：%2</translation>
    </message>
    <message>
        <source>State of %1: %2</source>
        <translation>%1 的状态：%2</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>Done. Connect the next radio and press Start.</source>
        <translation>完成。请连接下一台对讲机并按“开始”。</translation>
    </message>
    <message>
        <source>Failed: cancelled</source>
        <translation>失败：已取消</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>Backup: %1</source>
        <translation>备份：%1</translation>
    </message>
</context>
<context>
    <name>CStationWindow</name>
    <message>
        <source>Start &amp;All</source>
        <translation>全部开始(&amp;A)</translation>
    </message>
    <message>
        <source>Cancel A&amp;ll</source>
        <translation>全部取消(&amp;L)</translation>
    </message>
    <message>
        <source>Programming Station</source>
        <translation>编程工作站</translation>
    </message>
    <message>
        <source>Image: %1
SHA-256: %2</source>
        <translation>数据：%1
SHA-256：%2</translation>
    </message>
    <message>
        <source>Image written</source>
        <translation>写入的数据</translation>
    </message>
    <message>
        <source>The programming log could not be written (%1); the radio's result is not affected.</source>
        <translation>无法写入编程记录（%1）；对讲机的结果不受影响。</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>合计</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Programmed: %1   Failed: %2   Elapsed: %3</source>
        <translation>已编程：%1   失败：%2   用时：%3</translation>
    </message>
    <message>
        <source>Radios are being programmed. Stop them and close the Programming Station?</source>
        <translation>正在为对讲机编程。要停止并关闭编程工作站吗？</translation>
    </message>
</context>
<context>
    <name>CProgrammingLogDlg</name>
    <message>
        <source>&amp;From</source>
        <translation>起始日期(&amp;F)</translation>
    </message>
    <message>
        <source>Open &amp;Backup</source>
        <translation>打开备份(&amp;B)</translation>
    </message>
    <message>
        <source>Programming Log</source>
        <translation>编程记录</translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation>查找(&amp;I)：</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>From date</source>
        <translation>起始日期</translation>
    </message>
    <message>
        <source>Only records from a date on</source>
        <translation>只显示某日期之后的记录</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>数据文件</translation>
    </message>
    <message>
        <source>Radio type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>操作员</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Programming log records</source>
        <translation>编程记录列表</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>导出 CSV(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The log could not be exported: %1</source>
        <translation>无法导出记录：%1</translation>
    </message>
</context>
<context>
    <name>CWriteOptionsDlg</name>
    <message>
        <source>O&amp;perator (in the programming log):</source>
        <translation>操作员（写入编程记录）(&amp;P)：</translation>
    </message>
</context>
</TS>
