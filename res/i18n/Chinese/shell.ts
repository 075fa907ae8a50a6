<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="17"/>
        <source>About Program</source>
        <translation>关于 Program</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="44"/>
        <source>Program Version 1.0</source>
        <translation>Program 1.0 版</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="54"/>
        <source>Copyright (C) 2004</source>
        <translation>版权所有 (C) 2004</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="64"/>
        <source>All rights reserved</source>
        <translation>保留所有权利</translation>
    </message>
    <message>
        <location filename="../../ui/aboutdlg.ui" line="85"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="111"/>
        <source>&amp;New	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="112"/>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="113"/>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="114"/>
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="115"/>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="116"/>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>打印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="117"/>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="118"/>
        <source>Export P&amp;DF...</source>
        <translation>导出 PDF(&amp;D)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="119"/>
        <source>Save the report of the active document as a PDF file</source>
        <translation>将当前文档的报表保存为 PDF 文件</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="120"/>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="121"/>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="122"/>
        <source>&amp;Product Information</source>
        <translation>类型设置(&amp;P)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="123"/>
        <source>&amp;Channel Information</source>
        <translation>信道信息(&amp;C)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="124"/>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="125"/>
        <source>&amp;Read	Ctrl+R</source>
        <translation>读频(&amp;R)	Ctrl+R</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="126"/>
        <source>&amp;Write	Ctrl+W</source>
        <translation>写频(&amp;W)	Ctrl+W</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="127"/>
        <source>Scan Info</source>
        <translation>扫描信息</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="128"/>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="129"/>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="130"/>
        <source>&amp;Control Bar</source>
        <translation>控制栏(&amp;C)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="131"/>
        <source>&amp;Com Setup</source>
        <translation>串口设置(&amp;C)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="132"/>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="133"/>
        <location filename="../../../shell/MainFrame.cpp" line="137"/>
        <source>&amp;About Program...</source>
        <translation>关于 Program(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="134"/>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="135"/>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrame.cpp" line="309"/>
        <location filename="../../../shell/ProgramApp.cpp" line="160"/>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="36"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="42"/>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="38"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="49"/>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="39"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="52"/>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="47"/>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="48"/>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="51"/>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="58"/>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <location filename="../../../shell/MainFrameBars.cpp" line="102"/>
        <location filename="../../../shell/MainFrameBars.cpp" line="163"/>
        <source>SCRL</source>
        <translation>滚动</translation>
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
Program 文档</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="18"/>
        <source>Read Data From Radio
Read</source>
        <translation>从对讲机读取数据
读频</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="19"/>
        <source>Write Data To Radio
Write</source>
        <translation>将数据写入对讲机
写频</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="20"/>
        <source>Out of range,please input again.</source>
        <translation>超出范围，请重新输入。</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="22"/>
        <source>Communication Error,Please check all the connections and the radio power</source>
        <translation>通信错误，请检查所有连接和对讲机电源</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="24"/>
        <source>All data will be Cleared!</source>
        <translation>所有数据将被清除！</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="26"/>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok</source>
        <translation>无法打开串口，请检查串口是否被占用或设备是否正常</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="29"/>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>编程中断，请重新启动对讲机后再试</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="31"/>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>数据错误，请按步进值（6.25K/5K）输入。</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="33"/>
        <source>Caution</source>
        <translation>注意</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="34"/>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="35"/>
        <source>Create a new document
New</source>
        <translation>建立新文档
新建</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="36"/>
        <source>Open an existing document
Open</source>
        <translation>打开一个现有文档
打开</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="37"/>
        <source>Close the active document
Close</source>
        <translation>关闭当前文档
关闭</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="38"/>
        <source>Save the active document
Save</source>
        <translation>保存当前文档
保存</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="40"/>
        <source>Save the active document with a new name
Save As</source>
        <translation>用新名称保存当前文档
另存为</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="42"/>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>更改打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="43"/>
        <source>Print the active document
Print</source>
        <translation>打印当前文档
打印</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="44"/>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="46"/>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="49"/>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出应用程序；提示保存文档
退出</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="50"/>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>切换到下一个窗格
下一窗格</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="52"/>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>切换回上一个窗格
上一窗格</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="53"/>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
切换工具栏</translation>
    </message>
    <message>
        <location filename="../../../shell/StringTable.cpp" line="55"/>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
切换状态栏</translation>
    </message>
</context>
</TS>
