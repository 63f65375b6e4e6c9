<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
</context>
<context>
    <name>ChangesDlg</name>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Open the Radio&apos;s Contents</source>
        <translation>打开对讲机的内容(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Write This Document</source>
        <translation>写入本文档(&amp;W)</translation>
    </message>
    <message>
        <source>What</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Channel check</source>
        <translation>信道检查</translation>
    </message>
    <message numerus="yes">
        <source>Channel check: %n finding(s), advice only:</source>
        <translation>
            <numerusform>信道检查：%n 条提示，仅供参考：</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChannelDelegate</name>
    <message>
        <source>%1, channel %2</source>
        <translation>%1，信道 %2</translation>
    </message>
</context>
<context>
    <name>ChannelModel</name>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>Edit %1 of Channel %2</source>
        <translation>编辑信道 %2 的%1</translation>
    </message>
</context>
<context>
    <name>ChannelPlansDlg</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 至 %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>&amp;Replace all sixteen channels</source>
        <translation>替换全部十六个信道(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>应用(&amp;A)</translation>
    </message>
    <message>
        <source>Channel Plans</source>
        <translation>信道方案</translation>
    </message>
    <message>
        <source>&amp;Plans:</source>
        <translation>方案(&amp;P)：</translation>
    </message>
    <message>
        <source>Channel plans</source>
        <translation>信道方案</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>地区</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>说明(&amp;D)：</translation>
    </message>
    <message>
        <source>Description of the plan</source>
        <translation>方案的说明</translation>
    </message>
    <message>
        <source>Why the plan does not fit</source>
        <translation>方案不适用的原因</translation>
    </message>
    <message>
        <source>C&amp;hannels of the plan:</source>
        <translation>方案的信道(&amp;H)：</translation>
    </message>
    <message>
        <source>Channels of the plan</source>
        <translation>方案的信道</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Transmit</source>
        <translation>发射</translation>
    </message>
    <message>
        <source>Tones</source>
        <translation>亚音</translation>
    </message>
    <message>
        <source>Bandwidth allowed</source>
        <translation>允许的带宽</translation>
    </message>
    <message>
        <source>Power limit</source>
        <translation>功率限值</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>These channel lists could not be read:
%1</source>
        <translation>以下信道列表无法读取：
%1</translation>
    </message>
    <message>
        <source>&amp;From row</source>
        <translation>从第(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;to row</source>
        <translation>行到第(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;into channel</source>
        <translation>行，放入信道(&amp;I)</translation>
    </message>
    <message>
        <source>What applying the plan changes</source>
        <translation>应用方案将改动的内容</translation>
    </message>
    <message>
        <source>A channel list without a description.</source>
        <translation>没有说明的信道列表。</translation>
    </message>
    <message>
        <source>Service:</source>
        <translation>业务：</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>地区：</translation>
    </message>
    <message>
        <source>Licence needed:</source>
        <translation>需要执照：</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Rule:</source>
        <translation>规定：</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>出处：</translation>
    </message>
    <message>
        <source>Not confirmed:</source>
        <translation>未经核实：</translation>
    </message>
    <message>
        <source>This plan does not fit the document&apos;s band.</source>
        <translation>此方案不适用于本文档的频段。</translation>
    </message>
    <message>
        <source>Choose a plan.</source>
        <translation>请选择一个方案。</translation>
    </message>
    <message>
        <source>No channel will change.</source>
        <translation>没有信道会改变。</translation>
    </message>
    <message>
        <source>Channel %1 will be replaced.</source>
        <translation>信道 %1 将被替换。</translation>
    </message>
    <message>
        <source>Channels %1 will be replaced.</source>
        <translation>信道 %1 将被替换。</translation>
    </message>
    <message>
        <source>The other channels will be emptied.</source>
        <translation>其余信道将被清空。</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) of the plan cannot be applied.</source>
        <translation>
            <numerusform>方案中有 %n 行无法应用。</numerusform>
        </translation>
    </message>
    <message>
        <source>These rows of the plan were left out; the others are applied:
%1</source>
        <translation>方案的以下各行未被应用，其余各行已应用：
%1</translation>
    </message>
</context>
<context>
    <name>CheckChannelsDlg</name>
    <message>
        <source>&amp;Go To</source>
        <translation>转到(&amp;G)</translation>
    </message>
    <message>
        <source>Check Channels</source>
        <translation>检查信道</translation>
    </message>
    <message>
        <source>No findings.</source>
        <translation>没有发现问题。</translation>
    </message>
    <message numerus="yes">
        <source>%n finding(s): advice only; nothing stops a write.</source>
        <translation>
            <numerusform>%n 条提示：仅供参考，不会阻止写频。</numerusform>
        </translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>检查结果</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>字段</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>CodeText</name>
    <message>
        <source>Channel Information</source>
        <translation>信道信息</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>写数据</translation>
    </message>
    <message>
        <source>Read Data</source>
        <translation>读数据</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>无法打印报表。</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>No serial device stands for this port on this computer: plug the cable in, or choose its port in Setup, COM Setup.</source>
        <translation>本机没有与此端口对应的串口设备：请插上编程线，或在 设置 &gt; 通信口设置 中选择编程线所在的端口。</translation>
    </message>
</context>
<context>
    <name>ComSetupDlg</name>
    <message>
        <source>COM Setup</source>
        <translation>通信口设置</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>&amp;Keep this port for this cable</source>
        <translation>此端口固定用于这条编程线(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Find My Cable...</source>
        <translation>查找编程线(&amp;F)...</translation>
    </message>
    <message>
        <source>Stores the cable&apos;s own name (/dev/serial/by-id/...) for this port in Program.ini</source>
        <translation>在 Program.ini 中为此端口保存编程线自己的名称 (/dev/serial/by-id/...)</translation>
    </message>
    <message>
        <source>Unplug the programming cable from the computer, wait a moment, then plug it back in.</source>
        <translation>请从电脑上拔下编程线，稍等片刻，再重新插上。</translation>
    </message>
    <message>
        <source>%1 is gone. Now plug the cable back in.</source>
        <translation>%1 已拔下。现在请重新插上编程线。</translation>
    </message>
    <message>
        <source>Your cable is %1: COM%2.</source>
        <translation>您的编程线是 %1：COM%2。</translation>
    </message>
    <message>
        <source>Your cable is %1, which none of COM1 to COM4 stands for now. Choose a port and keep &quot;Keep this port for this cable&quot; ticked: the port will stand for this cable.</source>
        <translation>您的编程线是 %1，目前 COM1 至 COM4 都不对应它。请选择一个端口并保持勾选“此端口固定用于这条编程线”：该端口将对应这条编程线。</translation>
    </message>
    <message>
        <source>COM%1: Program.ini cannot hold %2 so that it reads back the same. Give the path without &quot;//&quot;, &quot;/*&quot; or control characters, such as /dev/ttyUSB0.</source>
        <translation>COM%1：Program.ini 无法保存 %2 并原样读回。请输入不含“//”、“/*”或控制字符的路径，例如 /dev/ttyUSB0。</translation>
    </message>
    <message>
        <source>The port could not be kept in %1.
%2</source>
        <translation>无法把端口保存到 %1。
%2</translation>
    </message>
    <message>
        <source>Use this &amp;device path:</source>
        <translation>使用此设备路径(&amp;D):</translation>
    </message>
    <message>
        <source>Device path of the chosen port</source>
        <translation>所选端口的设备路径</translation>
    </message>
    <message>
        <source>The device the chosen port stands for, kept in Program.ini; unticked, the port is the n-th serial device found</source>
        <translation>所选端口对应的设备，保存在 Program.ini 中；不勾选时，端口为找到的第 n 个串口设备</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>缺失</translation>
    </message>
    <message>
        <source>The port chosen before: no serial device stands for it now. Plug the cable in, or choose another port.</source>
        <translation>先前选择的端口：现在没有与之对应的串口设备。请插上编程线，或选择其他端口。</translation>
    </message>
    <message>
        <source>Enter the device path, such as /dev/ttyUSB0, /dev/serial/by-id/... or /dev/pts/3, or untick &quot;Use this device path&quot;.</source>
        <translation>请输入设备路径，例如 /dev/ttyUSB0、/dev/serial/by-id/... 或 /dev/pts/3，或取消勾选“使用此设备路径”。</translation>
    </message>
    <message>
        <source>%1 is not a device path: it starts at the root folder, such as /dev/ttyUSB0.</source>
        <translation>%1 不是设备路径：设备路径从根目录开始，例如 /dev/ttyUSB0。</translation>
    </message>
    <message>
        <source>%1 does not exist. Plug the cable in, or check the path.</source>
        <translation>%1 不存在。请插上编程线，或检查路径。</translation>
    </message>
    <message>
        <source>%1 is not a serial device.</source>
        <translation>%1 不是串口设备。</translation>
    </message>
    <message>
        <source>COM%1: %2</source>
        <translation>COM%1：%2</translation>
    </message>
</context>
<context>
    <name>DocumentCommands</name>
    <message>
        <source>Channel 16 is in use: there is no room to insert a channel.</source>
        <translation>信道 16 正在使用：没有空位插入信道。</translation>
    </message>
    <message>
        <source>Channel lists (*.csv);;All files (*)</source>
        <translation>信道列表 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>It is too large for a channel list.</source>
        <translation>文件太大，不是信道列表。</translation>
    </message>
    <message>
        <source>Cannot open the file %1.
%2</source>
        <translation>无法打开文件 %1。
%2</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>无法保存文件 %1。
%2</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) exported to %1</source>
        <translation>
            <numerusform>已将 %n 个信道导出到 %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Clear Channels</source>
        <translation>清除信道</translation>
    </message>
    <message>
        <source>Clear Cells</source>
        <translation>清除单元格</translation>
    </message>
    <message>
        <source>not one of the column&apos;s choices</source>
        <translation>不是该列的可选项</translation>
    </message>
    <message>
        <source>past the last channel or column</source>
        <translation>超出最后一个信道或最后一列</translation>
    </message>
    <message>
        <source>Channel %1, %2: &quot;%3&quot;: %4</source>
        <translation>信道 %1，%2：“%3”：%4</translation>
    </message>
    <message>
        <source>Take the other cells?</source>
        <translation>是否接受其余的单元格？</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Nothing was pasted; these cells cannot be taken:
%1</source>
        <translation>没有粘贴任何内容；以下单元格不能接受：
%1</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>Nothing was pasted; these rows of the channel list cannot be taken:
%1</source>
        <translation>没有粘贴任何内容；信道列表的以下各行不能接受：
%1</translation>
    </message>
    <message>
        <source>Fill Down</source>
        <translation>向下填充</translation>
    </message>
    <message>
        <source>Nothing was filled in; these cells cannot be taken:
%1</source>
        <translation>没有填充任何内容；以下单元格不能接受：
%1</translation>
    </message>
    <message>
        <source>Insert Channel %1</source>
        <translation>插入信道 %1</translation>
    </message>
    <message>
        <source>Delete Channel %1</source>
        <translation>删除信道 %1</translation>
    </message>
    <message>
        <source>Move Channel %1 Up</source>
        <translation>信道 %1 上移</translation>
    </message>
    <message>
        <source>Move Channel %1 Down</source>
        <translation>信道 %1 下移</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Apply Channel Plan</source>
        <translation>应用信道方案</translation>
    </message>
</context>
<context>
    <name>FleetDlg</name>
    <message>
        <source>Chec&amp;k only: read and compare, write nothing</source>
        <translation>仅检查：读出并比较，不写入(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>写入后校验(&amp;V)</translation>
    </message>
    <message>
        <source>Write only c&amp;hanged rows</source>
        <translation>只写入改动的行(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Fix radios that drifted</source>
        <translation>修正有偏差的对讲机(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Allow another model (another identification)</source>
        <translation>允许其他型号（识别码不同）(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Next Round</source>
        <translation>下一轮(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>停止(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>保存日志(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Print Summary...</source>
        <translation>打印汇总(&amp;P)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Program Several Radios</source>
        <translation>批量写入对讲机</translation>
    </message>
    <message>
        <source>Ports</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>no device</source>
        <translation>无设备</translation>
    </message>
    <message>
        <source>Progress on %1</source>
        <translation>%1 的进度</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Radios</source>
        <translation>对讲机列表</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>对讲机</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>轮次</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Identification</source>
        <translation>识别码</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>改动</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Tick the ports whose cables are connected.</source>
        <translation>请勾选已连接写频线的端口。</translation>
    </message>
    <message>
        <source>Connect the next radio to %1, switch it on and press Enter or Space.</source>
        <translation>请将下一台对讲机连接到 %1，打开电源，然后按 Enter 或空格键。</translation>
    </message>
    <message>
        <source>No serial device stands for %1 on this computer: plug its cable in, or choose its device in Setup, Com Setup, or untick it.</source>
        <translation>本机上没有与 %1 对应的串口设备：请插好写频线，或在“设置”、“通讯口设置”中选择其设备，或取消勾选该端口。</translation>
    </message>
    <message numerus="yes">
        <source>Round %1 runs on %n port(s)...</source>
        <translation>
            <numerusform>第 %1 轮正在 %n 个端口上进行...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The session has ended: %n radio(s) in %1 round(s).</source>
        <translation>
            <numerusform>本次已结束：%1 轮共 %n 台对讲机。</numerusform>
        </translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>The session ends when this round has ended.</source>
        <translation>本轮结束后，本次写入即结束。</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>无法保存文件 %1。
%2</translation>
    </message>
    <message>
        <source>Print Summary</source>
        <translation>打印汇总</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>The help page %1 cannot be found.</source>
        <translation>找不到帮助页面 %1。</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>No web browser could be started to show %1.
Open the address in a browser yourself.</source>
        <translation>无法启动网页浏览器来显示 %1。
请自行在浏览器中打开这个地址。</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Back (Alt+Left)</source>
        <translation>后退 (Alt+Left)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Forward (Alt+Right)</source>
        <translation>前进 (Alt+Right)</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>The top of the manual</source>
        <translation>回到说明书开头</translation>
    </message>
    <message>
        <source>Find in this page</source>
        <translation>在本页中查找</translation>
    </message>
    <message>
        <source>Enter finds the next place</source>
        <translation>按回车查找下一处</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>在浏览器中打开</translation>
    </message>
    <message>
        <source>Show this place of the manual in the web browser</source>
        <translation>在网页浏览器中显示说明书的此处</translation>
    </message>
    <message>
        <source>Searched from the top again</source>
        <translation>已从开头重新查找</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>未找到</translation>
    </message>
    <message>
        <source>%1 - Help</source>
        <translation>%1 - 帮助</translation>
    </message>
</context>
<context>
    <name>ImportPreviewDlg</name>
    <message>
        <source>&amp;Import</source>
        <translation>导入(&amp;I)</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Why it cannot be imported</source>
        <translation>不能导入的原因</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n row(s) that cannot be imported; nothing is changed.</source>
        <translation>
            <numerusform>文件中有 %n 行不能导入；没有作任何修改。</numerusform>
        </translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>现在</translation>
    </message>
    <message>
        <source>After the import</source>
        <translation>导入后</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) read from the file; %1 change.</source>
        <translation>
            <numerusform>从文件读取了 %n 个信道；%1 个有变化。</numerusform>
        </translation>
    </message>
    <message>
        <source>erased</source>
        <translation>已擦除</translation>
    </message>
</context>
<context>
    <name>LanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The language could not be saved in %1.
%2</source>
        <translation>无法把语言保存到 %1。
%2</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>层叠(&amp;C)</translation>
    </message>
    <message>
        <source>Arrange the document windows so they overlap</source>
        <translation>层叠排列文档窗口</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>平铺(&amp;T)</translation>
    </message>
    <message>
        <source>Arrange the document windows side by side</source>
        <translation>并排排列文档窗口</translation>
    </message>
    <message>
        <source>&amp;Next Window</source>
        <translation>下一个窗口(&amp;N)</translation>
    </message>
    <message>
        <source>Show the next document</source>
        <translation>显示下一个文档</translation>
    </message>
    <message>
        <source>&amp;Previous Window</source>
        <translation>上一个窗口(&amp;P)</translation>
    </message>
    <message>
        <source>Show the previous document</source>
        <translation>显示上一个文档</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>建立新文档
新建</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开一个现有文档
打开</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>关闭活动文档
关闭</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存活动文档
保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>用新名称保存活动文档
另存为</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印活动文档
打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>更改打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出应用程序；提示保存文档
退出</translation>
    </message>
    <message>
        <source>Product I&amp;nformation</source>
        <translation>类型设置(&amp;N)</translation>
    </message>
    <message>
        <source>C&amp;hannel Information</source>
        <translation>信道信息(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>从对讲机读取数据
读频</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write Data To Radio
Write</source>
        <translation>向对讲机写入数据
写频</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
切换工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
切换状态栏</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>控制栏(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>通信口设置(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;About Program...</source>
        <translation>关于本程序(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>目录(&amp;C)</translation>
    </message>
    <message>
        <source>Open the manual at its contents
Contents</source>
        <translation>打开手册的目录
目录</translation>
    </message>
    <message>
        <source>More Buttons</source>
        <translation>更多按钮</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>切换到下一个窗格
下一窗格</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>切换回上一个窗格
上一窗格</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>是否保存对 %1 的修改？</translation>
    </message>
    <message>
        <source>Radio &amp;History...</source>
        <translation>电台历史(&amp;H)...</translation>
    </message>
    <message>
        <source>List the images read from and written to radios; open one or write it back</source>
        <translation>列出从对讲机读取和写入对讲机的数据；打开其中一项或把它写回</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>保存日志(&amp;L)...</translation>
    </message>
    <message>
        <source>Save every byte of the last transfer to a file</source>
        <translation>把上次传输的每个字节保存到文件</translation>
    </message>
    <message>
        <source>&amp;Backup Before Write</source>
        <translation>写前备份(&amp;B)</translation>
    </message>
    <message>
        <source>Read the radio and keep its contents before every write</source>
        <translation>每次写频前先读取并保存对讲机的内容</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>写后校验(&amp;V)</translation>
    </message>
    <message>
        <source>Read the radio back after every write and compare</source>
        <translation>每次写频后读回对讲机并比较</translation>
    </message>
    <message>
        <source>Logs (*.log);;All files (*)</source>
        <translation>日志 (*.log);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>无法保存文件 %1。
%2</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>撤销上一次修改</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>重做上一次撤销的修改</translation>
    </message>
    <message>
        <source>&amp;Insert Channel</source>
        <translation>插入信道(&amp;I)</translation>
    </message>
    <message>
        <source>Insert an empty channel here; the channels below move down</source>
        <translation>在此处插入一个空信道；下面的信道依次下移</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>删除信道(&amp;D)</translation>
    </message>
    <message>
        <source>Delete this channel; the channels below move up</source>
        <translation>删除此信道；下面的信道依次上移</translation>
    </message>
    <message>
        <source>&amp;Move Channel Up</source>
        <translation>信道上移(&amp;M)</translation>
    </message>
    <message>
        <source>Swap this channel with the one above</source>
        <translation>把此信道与上面的信道交换</translation>
    </message>
    <message>
        <source>Move Channel Do&amp;wn</source>
        <translation>信道下移(&amp;W)</translation>
    </message>
    <message>
        <source>Swap this channel with the one below</source>
        <translation>把此信道与下面的信道交换</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>Replace the channel list with one from a CSV file, after a preview</source>
        <translation>预览后用 CSV 文件中的信道列表替换当前信道列表</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>导出信道(&amp;E)...</translation>
    </message>
    <message>
        <source>Save the channel list as a CSV file</source>
        <translation>把信道列表保存为 CSV 文件</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>Select every channel</source>
        <translation>选中全部信道</translation>
    </message>
    <message>
        <source>Copy the selected cells and clear them</source>
        <translation>复制选中的单元格并将其清除</translation>
    </message>
    <message>
        <source>Copy the selected cells, or the current cell, for a spreadsheet or another channel list</source>
        <translation>复制选中的单元格（或当前单元格），供电子表格或其他信道列表使用</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>清除(&amp;L)</translation>
    </message>
    <message>
        <source>Clear the selected cells; clearing an Rx Frequency deletes its channel</source>
        <translation>清除选中的单元格；清除接收频率即删除该信道</translation>
    </message>
    <message>
        <source>Paste cells from a spreadsheet, or a channel list, into the selection or from the current cell on</source>
        <translation>把电子表格的单元格或信道列表粘贴到选择区域，或从当前单元格起粘贴</translation>
    </message>
    <message>
        <source>&amp;Fill Down</source>
        <translation>向下填充(&amp;F)</translation>
    </message>
    <message>
        <source>Copy the top row of the selection into the rows below it</source>
        <translation>把选择区域最上面一行复制到下面各行</translation>
    </message>
    <message>
        <source>The program could not be started again in the other language (%1).
The language stays as it is.</source>
        <translation>无法以另一种语言重新启动程序 (%1)。
语言保持不变。</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; a data file holds exactly %3.</source>
        <translation>%1 有 %2 字节；数据文件必须正好是 %3 字节。</translation>
    </message>
    <message>
        <source>%1 is not a file.</source>
        <translation>%1 不是文件。</translation>
    </message>
    <message>
        <source>Cannot open the file %1.
%2</source>
        <translation>无法打开文件 %1。
%2</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2
The document is still open; try another folder or name.</source>
        <translation>无法保存文件 %1。
%2
文档仍然打开；请换一个文件夹或文件名再试。</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation>与文件比较(&amp;M)...</translation>
    </message>
    <message>
        <source>List where a data file differs from the active document</source>
        <translation>列出数据文件与活动文档的不同之处</translation>
    </message>
    <message>
        <source>&amp;Compare with Radio</source>
        <translation>与对讲机比较(&amp;C)</translation>
    </message>
    <message>
        <source>Read the radio and list where it differs from the active document</source>
        <translation>读取对讲机，列出它与活动文档的不同之处</translation>
    </message>
    <message>
        <source>&amp;Show Changes Before Writing</source>
        <translation>写前显示改动(&amp;S)</translation>
    </message>
    <message>
        <source>After the backup, list what a write will change and ask first</source>
        <translation>备份之后列出写频将改动的内容，并先询问</translation>
    </message>
    <message>
        <source>Write &amp;Only Changed Rows</source>
        <translation>只写改动的行(&amp;O)</translation>
    </message>
    <message>
        <source>Send only the rows that differ from the backup</source>
        <translation>只发送与备份不同的行</translation>
    </message>
    <message>
        <source>Program &amp;Several Radios...</source>
        <translation>批量写入对讲机(&amp;S)...</translation>
    </message>
    <message>
        <source>Give the active document to one radio after another, on one or more ports, with a log</source>
        <translation>将当前文档逐台写入对讲机，可同时使用多个端口，并记录日志</translation>
    </message>
    <message>
        <source>Channel Plan&amp;s...</source>
        <translation>信道方案(&amp;S)...</translation>
    </message>
    <message>
        <source>Fill channels from a channel plan such as PMR446, FRS, GMRS, MURS or a list of your own</source>
        <translation>用信道方案（如 PMR446、FRS、GMRS、MURS 或您自己的列表）填充信道</translation>
    </message>
    <message>
        <source>Chec&amp;k Channels...</source>
        <translation>检查信道(&amp;K)...</translation>
    </message>
    <message>
        <source>List channels that break a service&apos;s rule or will not work as meant</source>
        <translation>列出违反业务规定或无法按预期工作的信道</translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Navigation Bar</source>
        <translation>导航栏</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>页面</translation>
    </message>
</context>
<context>
    <name>OptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
</context>
<context>
    <name>ProcessDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Transfer progress</source>
        <translation>传输进度</translation>
    </message>
</context>
<context>
    <name>ProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Choose a type</source>
        <translation>请选择类型</translation>
    </message>
    <message>
        <source>Choose a band</source>
        <translation>请选择频段</translation>
    </message>
    <message>
        <source>Keep these channels as they are (a write then asks before sending them), or clear them?</source>
        <translation>保留这些信道不变（写入对讲机前会再次询问），还是清除它们？</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>Clear Channels</source>
        <translation>清除信道</translation>
    </message>
</context>
<context>
    <name>ProgramApp</name>
    <message>
        <source>All data will be Cleared!</source>
        <translation>所有数据将被清除！</translation>
    </message>
</context>
<context>
    <name>ProgramDoc</name>
    <message>
        <source>Radio data (*.dat);;All files (*)</source>
        <translation>对讲机数据 (*.dat);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Read from Radio</source>
        <translation>读频</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>查找范围：</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>上级目录</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>新建文件夹</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>列表视图</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>详细视图</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>文件名(&amp;N)：</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>文件类型：</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>新建文件夹</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>重命名(&amp;R)</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>显示隐藏文件(&amp;H)</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>修改日期</translation>
    </message>
</context>
<context>
    <name>QMdiSubWindow</name>
    <message>
        <source>&amp;Restore</source>
        <translation>还原(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>移动(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>大小(&amp;S)</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>最小化(&amp;N)</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>最大化(&amp;X)</translation>
    </message>
    <message>
        <source>Stay on &amp;Top</source>
        <translation>置顶(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>向下还原</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
</context>
<context>
    <name>RadioHistoryDlg</name>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Write to Radio</source>
        <translation>写入对讲机(&amp;W)</translation>
    </message>
    <message>
        <source>Radio History</source>
        <translation>电台历史</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>种类</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>信道数</translation>
    </message>
    <message>
        <source>Kept in %1</source>
        <translation>保存在 %1</translation>
    </message>
    <message>
        <source>The image of %1 cannot be loaded.
%2</source>
        <translation>无法载入 %1 的数据。
%2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>RadioTransfer</name>
    <message>
        <source>Write Again</source>
        <translation>重新写入</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>恢复备份</translation>
    </message>
    <message>
        <source>Write Without Backup</source>
        <translation>不备份直接写入</translation>
    </message>
    <message>
        <source>Program, Save Log... keeps every byte of this transfer for a closer look.</source>
        <translation>编程 &gt; 保存日志... 可以保存本次传输的每个字节，以便仔细检查。</translation>
    </message>
    <message>
        <source>If the radio is on and the cable is plugged in, this may be the wrong port: choose the port of the programming cable in Setup, COM Setup.</source>
        <translation>如果对讲机已开机且编程线已插好，可能选错了端口：请在 设置 &gt; 通信口设置 中选择编程线所在的端口。</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>No such file or directory</source>
        <translation>文件或目录不存在</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>没有该设备或地址</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>没有该设备</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>没有权限</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>不允许此操作</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>这是一个文件夹</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>设备上没有剩余空间</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>超出磁盘配额</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>只读文件系统</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>文件太大</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>文件名太长</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>设备或资源正忙</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>输入/输出错误</translation>
    </message>
</context>
<context>
    <name>TransferController</name>
    <message>
        <source>The images of this transfer could not be kept in the radio history (%1).
%2
The transfer itself is not affected.</source>
        <translation>本次传输的数据无法保存到电台历史 (%1)。
%2
传输本身不受影响。</translation>
    </message>
    <message>
        <source>Write to the radio anyway?</source>
        <translation>仍然写入对讲机吗？</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>The radio holds no type and band that Program.ini lists (type %1, band %2). Choose them in Edit &gt; Product Information; until then no frequency can be typed.</source>
        <translation>对讲机中的类型和频段不在 Program.ini 的列表中（类型 %1，频段 %2）。请在“编辑 &gt; 类型设置”中选择；选择之前无法输入频率。</translation>
    </message>
    <message>
        <source>%1 is used from now on, but it could not be remembered for the next start.
%2</source>
        <translation>从现在起使用 %1，但无法记住它以供下次启动使用。
%2</translation>
    </message>
    <message>
        <source>Read from the radio on %1 into the document.</source>
        <translation>已通过 %1 从对讲机读取到文档。</translation>
    </message>
    <message>
        <source>Written to the radio on %1 and verified.</source>
        <translation>已通过 %1 写入对讲机并校验。</translation>
    </message>
    <message>
        <source>Written to the radio on %1.</source>
        <translation>已通过 %1 写入对讲机。</translation>
    </message>
    <message>
        <source>Read from the radio on %1 to compare; the document is unchanged.</source>
        <translation>已通过 %1 读取对讲机用于比较；文档没有改变。</translation>
    </message>
    <message>
        <source>Nothing was written: the radio on %1 already holds this document.</source>
        <translation>没有写入任何内容：%1 上的对讲机已经存有本文档。</translation>
    </message>
    <message>
        <source>The radio already holds these channels and options; nothing was written.</source>
        <translation>对讲机已经存有这些信道和选项；没有写入任何内容。</translation>
    </message>
    <message>
        <source>Write Anyway</source>
        <translation>仍然写入</translation>
    </message>
    <message>
        <source>Nothing was written to the radio on %1.</source>
        <translation>没有向 %1 上的对讲机写入任何内容。</translation>
    </message>
    <message>
        <source>Written to the radio on %1 and verified: the changed rows could not be written alone, so the whole memory was.</source>
        <translation>已通过 %1 写入对讲机并校验：改动的行无法单独写入，因此写入了全部存储。</translation>
    </message>
    <message>
        <source>Written to the radio on %1: the changed rows could not be written alone, so the whole memory was.</source>
        <translation>已通过 %1 写入对讲机：改动的行无法单独写入，因此写入了全部存储。</translation>
    </message>
    <message>
        <source>Writing changes these channels and options in the radio on %1. Write?</source>
        <translation>写频将改动 %1 上对讲机的以下信道和选项。是否写入？</translation>
    </message>
    <message>
        <source>The radio&apos;s type or band differs from this document&apos;s: the document may be meant for another model. Write only if this is the radio you mean.</source>
        <translation>对讲机的类型或频段与本文档的不同：本文档可能是另一型号的。只有确认这是您要写的对讲机时才写入。</translation>
    </message>
    <message>
        <source>In the radio</source>
        <translation>对讲机中</translation>
    </message>
    <message>
        <source>After the write</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>The radio on %1 holds the same channels and options as this document.</source>
        <translation>%1 上的对讲机存有与本文档相同的信道和选项。</translation>
    </message>
    <message>
        <source>%1 holds the same image as this document.</source>
        <translation>%1 存有与本文档相同的数据。</translation>
    </message>
    <message>
        <source>Compare with Radio</source>
        <translation>与对讲机比较</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>Where the radio on %1 differs from this document:</source>
        <translation>%1 上的对讲机与本文档的不同之处：</translation>
    </message>
    <message>
        <source>Where %1 differs from this document:</source>
        <translation>%1 与本文档的不同之处：</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>文件中</translation>
    </message>
    <message>
        <source>In the document</source>
        <translation>文档中</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>对讲机</translation>
    </message>
</context>
</TS>
