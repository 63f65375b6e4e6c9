<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ChangesDlg</name>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>&amp;Open the Radio&apos;s Contents</source>
        <translation>&amp;Open the Radio&apos;s Contents</translation>
    </message>
    <message>
        <source>&amp;Write This Document</source>
        <translation>&amp;Write This Document</translation>
    </message>
    <message>
        <source>What</source>
        <translation>What</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Channel check</source>
        <translation>Channel check</translation>
    </message>
    <message numerus="yes">
        <source>Channel check: %n finding(s), advice only:</source>
        <translation>
            <numerusform>Channel check: %n finding, advice only:</numerusform>
            <numerusform>Channel check: %n findings, advice only:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChannelDelegate</name>
    <message>
        <source>%1, channel %2</source>
        <translation>%1, channel %2</translation>
    </message>
</context>
<context>
    <name>ChannelModel</name>
    <message>
        <source>empty</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>Edit %1 of Channel %2</source>
        <translation>Edit %1 of Channel %2</translation>
    </message>
</context>
<context>
    <name>ChannelPlansDlg</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>&amp;Replace all sixteen channels</source>
        <translation>&amp;Replace all sixteen channels</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Channel Plans</source>
        <translation>Channel Plans</translation>
    </message>
    <message>
        <source>&amp;Plans:</source>
        <translation>&amp;Plans:</translation>
    </message>
    <message>
        <source>Channel plans</source>
        <translation>Channel plans</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Description:</translation>
    </message>
    <message>
        <source>Description of the plan</source>
        <translation>Description of the plan</translation>
    </message>
    <message>
        <source>Why the plan does not fit</source>
        <translation>Why the plan does not fit</translation>
    </message>
    <message>
        <source>C&amp;hannels of the plan:</source>
        <translation>C&amp;hannels of the plan:</translation>
    </message>
    <message>
        <source>Channels of the plan</source>
        <translation>Channels of the plan</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>Receive</translation>
    </message>
    <message>
        <source>Transmit</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>Tones</source>
        <translation>Tones</translation>
    </message>
    <message>
        <source>Bandwidth allowed</source>
        <translation>Bandwidth allowed</translation>
    </message>
    <message>
        <source>Power limit</source>
        <translation>Power limit</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These channel lists could not be read:
%1</source>
        <translation>These channel lists could not be read:
%1</translation>
    </message>
    <message>
        <source>&amp;From row</source>
        <translation>&amp;From row</translation>
    </message>
    <message>
        <source>&amp;to row</source>
        <translation>&amp;to row</translation>
    </message>
    <message>
        <source>&amp;into channel</source>
        <translation>&amp;into channel</translation>
    </message>
    <message>
        <source>What applying the plan changes</source>
        <translation>What applying the plan changes</translation>
    </message>
    <message>
        <source>A channel list without a description.</source>
        <translation>A channel list without a description.</translation>
    </message>
    <message>
        <source>Service:</source>
        <translation>Service:</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>Region:</translation>
    </message>
    <message>
        <source>Licence needed:</source>
        <translation>Licence needed:</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Rule:</source>
        <translation>Rule:</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Source:</translation>
    </message>
    <message>
        <source>Not confirmed:</source>
        <translation>Not confirmed:</translation>
    </message>
    <message>
        <source>This plan does not fit the document&apos;s band.</source>
        <translation>This plan does not fit the document&apos;s band.</translation>
    </message>
    <message>
        <source>Choose a plan.</source>
        <translation>Choose a plan.</translation>
    </message>
    <message>
        <source>No channel will change.</source>
        <translation>No channel will change.</translation>
    </message>
    <message>
        <source>Channel %1 will be replaced.</source>
        <translation>Channel %1 will be replaced.</translation>
    </message>
    <message>
        <source>Channels %1 will be replaced.</source>
        <translation>Channels %1 will be replaced.</translation>
    </message>
    <message>
        <source>The other channels will be emptied.</source>
        <translation>The other channels will be emptied.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) of the plan cannot be applied.</source>
        <translation>
            <numerusform>%n row of the plan cannot be applied.</numerusform>
            <numerusform>%n rows of the plan cannot be applied.</numerusform>
        </translation>
    </message>
    <message>
        <source>These rows of the plan were left out; the others are applied:
%1</source>
        <translation>These rows of the plan were left out; the others are applied:
%1</translation>
    </message>
</context>
<context>
    <name>CheckChannelsDlg</name>
    <message>
        <source>&amp;Go To</source>
        <translation>&amp;Go To</translation>
    </message>
    <message>
        <source>Check Channels</source>
        <translation>Check Channels</translation>
    </message>
    <message>
        <source>No findings.</source>
        <translation>No findings.</translation>
    </message>
    <message numerus="yes">
        <source>%n finding(s): advice only; nothing stops a write.</source>
        <translation>
            <numerusform>%n finding: advice only; nothing stops a write.</numerusform>
            <numerusform>%n findings: advice only; nothing stops a write.</numerusform>
        </translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Findings</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Finding</translation>
    </message>
</context>
<context>
    <name>CodeText</name>
    <message>
        <source>Channel Information</source>
        <translation>Channel Information</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>Write Data</translation>
    </message>
    <message>
        <source>Read Data</source>
        <translation>Read Data</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>The report could not be printed.</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>No serial device stands for this port on this computer: plug the cable in, or choose its port in Setup, COM Setup.</source>
        <translation>No serial device stands for this port on this computer: plug the cable in, or choose its port in Setup, COM Setup.</translation>
    </message>
</context>
<context>
    <name>ComSetupDlg</name>
    <message>
        <source>COM Setup</source>
        <translation>COM Setup</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>&amp;Keep this port for this cable</source>
        <translation>&amp;Keep this port for this cable</translation>
    </message>
    <message>
        <source>&amp;Find My Cable...</source>
        <translation>&amp;Find My Cable...</translation>
    </message>
    <message>
        <source>Stores the cable&apos;s own name (/dev/serial/by-id/...) for this port in Program.ini</source>
        <translation>Stores the cable&apos;s own name (/dev/serial/by-id/...) for this port in Program.ini</translation>
    </message>
    <message>
        <source>Unplug the programming cable from the computer, wait a moment, then plug it back in.</source>
        <translation>Unplug the programming cable from the computer, wait a moment, then plug it back in.</translation>
    </message>
    <message>
        <source>%1 is gone. Now plug the cable back in.</source>
        <translation>%1 is gone. Now plug the cable back in.</translation>
    </message>
    <message>
        <source>Your cable is %1: COM%2.</source>
        <translation>Your cable is %1: COM%2.</translation>
    </message>
    <message>
        <source>Your cable is %1, which none of COM1 to COM4 stands for now. Choose a port and keep &quot;Keep this port for this cable&quot; ticked: the port will stand for this cable.</source>
        <translation>Your cable is %1, which none of COM1 to COM4 stands for now. Choose a port and keep &quot;Keep this port for this cable&quot; ticked: the port will stand for this cable.</translation>
    </message>
    <message>
        <source>COM%1: Program.ini cannot hold %2 so that it reads back the same. Give the path without &quot;//&quot;, &quot;/*&quot; or control characters, such as /dev/ttyUSB0.</source>
        <translation>COM%1: Program.ini cannot hold %2 so that it reads back the same. Give the path without &quot;//&quot;, &quot;/*&quot; or control characters, such as /dev/ttyUSB0.</translation>
    </message>
    <message>
        <source>The port could not be kept in %1.
%2</source>
        <translation>The port could not be kept in %1.
%2</translation>
    </message>
    <message>
        <source>Use this &amp;device path:</source>
        <translation>Use this &amp;device path:</translation>
    </message>
    <message>
        <source>Device path of the chosen port</source>
        <translation>Device path of the chosen port</translation>
    </message>
    <message>
        <source>The device the chosen port stands for, kept in Program.ini; unticked, the port is the n-th serial device found</source>
        <translation>The device the chosen port stands for, kept in Program.ini; unticked, the port is the n-th serial device found</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>The port chosen before: no serial device stands for it now. Plug the cable in, or choose another port.</source>
        <translation>The port chosen before: no serial device stands for it now. Plug the cable in, or choose another port.</translation>
    </message>
    <message>
        <source>Enter the device path, such as /dev/ttyUSB0, /dev/serial/by-id/... or /dev/pts/3, or untick &quot;Use this device path&quot;.</source>
        <translation>Enter the device path, such as /dev/ttyUSB0, /dev/serial/by-id/... or /dev/pts/3, or untick &quot;Use this device path&quot;.</translation>
    </message>
    <message>
        <source>%1 is not a device path: it starts at the root folder, such as /dev/ttyUSB0.</source>
        <translation>%1 is not a device path: it starts at the root folder, such as /dev/ttyUSB0.</translation>
    </message>
    <message>
        <source>%1 does not exist. Plug the cable in, or check the path.</source>
        <translation>%1 does not exist. Plug the cable in, or check the path.</translation>
    </message>
    <message>
        <source>%1 is not a serial device.</source>
        <translation>%1 is not a serial device.</translation>
    </message>
    <message>
        <source>COM%1: %2</source>
        <translation>COM%1: %2</translation>
    </message>
</context>
<context>
    <name>DocumentCommands</name>
    <message>
        <source>Channel 16 is in use: there is no room to insert a channel.</source>
        <translation>Channel 16 is in use: there is no room to insert a channel.</translation>
    </message>
    <message>
        <source>Channel lists (*.csv);;All files (*)</source>
        <translation>Channel lists (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>It is too large for a channel list.</source>
        <translation>It is too large for a channel list.</translation>
    </message>
    <message>
        <source>Cannot open the file %1.
%2</source>
        <translation>Cannot open the file %1.
%2</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>Cannot save the file %1.
%2</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) exported to %1</source>
        <translation>
            <numerusform>%n channel exported to %1</numerusform>
            <numerusform>%n channels exported to %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Clear Channels</source>
        <translation>Clear Channels</translation>
    </message>
    <message>
        <source>Clear Cells</source>
        <translation>Clear Cells</translation>
    </message>
    <message>
        <source>not one of the column&apos;s choices</source>
        <translation>not one of the column&apos;s choices</translation>
    </message>
    <message>
        <source>past the last channel or column</source>
        <translation>past the last channel or column</translation>
    </message>
    <message>
        <source>Channel %1, %2: &quot;%3&quot;: %4</source>
        <translation>Channel %1, %2: &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>Take the other cells?</source>
        <translation>Take the other cells?</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Nothing was pasted; these cells cannot be taken:
%1</source>
        <translation>Nothing was pasted; these cells cannot be taken:
%1</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Nothing was pasted; these rows of the channel list cannot be taken:
%1</source>
        <translation>Nothing was pasted; these rows of the channel list cannot be taken:
%1</translation>
    </message>
    <message>
        <source>Fill Down</source>
        <translation>Fill Down</translation>
    </message>
    <message>
        <source>Nothing was filled in; these cells cannot be taken:
%1</source>
        <translation>Nothing was filled in; these cells cannot be taken:
%1</translation>
    </message>
    <message>
        <source>Insert Channel %1</source>
        <translation>Insert Channel %1</translation>
    </message>
    <message>
        <source>Delete Channel %1</source>
        <translation>Delete Channel %1</translation>
    </message>
    <message>
        <source>Move Channel %1 Up</source>
        <translation>Move Channel %1 Up</translation>
    </message>
    <message>
        <source>Move Channel %1 Down</source>
        <translation>Move Channel %1 Down</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>Apply Channel Plan</source>
        <translation>Apply Channel Plan</translation>
    </message>
</context>
<context>
    <name>FleetDlg</name>
    <message>
        <source>Chec&amp;k only: read and compare, write nothing</source>
        <translation>Chec&amp;k only: read and compare, write nothing</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>&amp;Verify after writing</translation>
    </message>
    <message>
        <source>Write only c&amp;hanged rows</source>
        <translation>Write only c&amp;hanged rows</translation>
    </message>
    <message>
        <source>&amp;Fix radios that drifted</source>
        <translation>&amp;Fix radios that drifted</translation>
    </message>
    <message>
        <source>&amp;Allow another model (another identification)</source>
        <translation>&amp;Allow another model (another identification)</translation>
    </message>
    <message>
        <source>&amp;Next Round</source>
        <translation>&amp;Next Round</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>Save &amp;Log...</translation>
    </message>
    <message>
        <source>&amp;Print Summary...</source>
        <translation>&amp;Print Summary...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Program Several Radios</source>
        <translation>Program Several Radios</translation>
    </message>
    <message>
        <source>Ports</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>no device</source>
        <translation>no device</translation>
    </message>
    <message>
        <source>Progress on %1</source>
        <translation>Progress on %1</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Radios</source>
        <translation>Radios</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Identification</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Tick the ports whose cables are connected.</source>
        <translation>Tick the ports whose cables are connected.</translation>
    </message>
    <message>
        <source>Connect the next radio to %1, switch it on and press Enter or Space.</source>
        <translation>Connect the next radio to %1, switch it on and press Enter or Space.</translation>
    </message>
    <message>
        <source>No serial device stands for %1 on this computer: plug its cable in, or choose its device in Setup, Com Setup, or untick it.</source>
        <translation>No serial device stands for %1 on this computer: plug its cable in, or choose its device in Setup, Com Setup, or untick it.</translation>
    </message>
    <message numerus="yes">
        <source>Round %1 runs on %n port(s)...</source>
        <translation>
            <numerusform>Round %1 runs on %n port...</numerusform>
            <numerusform>Round %1 runs on %n ports...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The session has ended: %n radio(s) in %1 round(s).</source>
        <translation>
            <numerusform>The session has ended: %n radio in %1 round(s).</numerusform>
            <numerusform>The session has ended: %n radios in %1 round(s).</numerusform>
        </translation>
    </message>
    <message>
        <source>empty</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>The session ends when this round has ended.</source>
        <translation>The session ends when this round has ended.</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>Cannot save the file %1.
%2</translation>
    </message>
    <message>
        <source>Print Summary</source>
        <translation>Print Summary</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>The help page %1 cannot be found.</source>
        <translation>The help page %1 cannot be found.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>No web browser could be started to show %1.
Open the address in a browser yourself.</source>
        <translation>No web browser could be started to show %1.
Open the address in a browser yourself.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Back (Alt+Left)</source>
        <translation>Back (Alt+Left)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Forward (Alt+Right)</source>
        <translation>Forward (Alt+Right)</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>The top of the manual</source>
        <translation>The top of the manual</translation>
    </message>
    <message>
        <source>Find in this page</source>
        <translation>Find in this page</translation>
    </message>
    <message>
        <source>Enter finds the next place</source>
        <translation>Enter finds the next place</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>Open in Browser</translation>
    </message>
    <message>
        <source>Show this place of the manual in the web browser</source>
        <translation>Show this place of the manual in the web browser</translation>
    </message>
    <message>
        <source>Searched from the top again</source>
        <translation>Searched from the top again</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>%1 - Help</source>
        <translation>%1 - Help</translation>
    </message>
</context>
<context>
    <name>ImportPreviewDlg</name>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Why it cannot be imported</source>
        <translation>Why it cannot be imported</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n row(s) that cannot be imported; nothing is changed.</source>
        <translation>
            <numerusform>The file has %n row that cannot be imported; nothing is changed.</numerusform>
            <numerusform>The file has %n rows that cannot be imported; nothing is changed.</numerusform>
        </translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>After the import</source>
        <translation>After the import</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) read from the file; %1 change.</source>
        <translation>
            <numerusform>%n channel read from the file; %1 change.</numerusform>
            <numerusform>%n channels read from the file; %1 change.</numerusform>
        </translation>
    </message>
    <message>
        <source>erased</source>
        <translation>erased</translation>
    </message>
</context>
<context>
    <name>LanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
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
        <source>The language could not be saved in %1.
%2</source>
        <translation>The language could not be saved in %1.
%2</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Arrange the document windows so they overlap</source>
        <translation>Arrange the document windows so they overlap</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>Arrange the document windows side by side</source>
        <translation>Arrange the document windows side by side</translation>
    </message>
    <message>
        <source>&amp;Next Window</source>
        <translation>&amp;Next Window</translation>
    </message>
    <message>
        <source>Show the next document</source>
        <translation>Show the next document</translation>
    </message>
    <message>
        <source>&amp;Previous Window</source>
        <translation>&amp;Previous Window</translation>
    </message>
    <message>
        <source>Show the previous document</source>
        <translation>Show the previous document</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Open an existing document
Open</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Close the active document
Close</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Save the active document
Save</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Save the active document with a new name
Save As</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Display full pages
Print Preview</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Change the printer and printing options
Print Setup</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Quit the application; prompts to save documents
Exit</translation>
    </message>
    <message>
        <source>Product I&amp;nformation</source>
        <translation>Product I&amp;nformation</translation>
    </message>
    <message>
        <source>C&amp;hannel Information</source>
        <translation>C&amp;hannel Information</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>&amp;Optional Features</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>&amp;Read</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>Read Data From Radio
Read</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>Write Data To Radio
Write</source>
        <translation>Write Data To Radio
Write</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Show or hide the toolbar
Toggle ToolBar</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Show or hide the status bar
Toggle StatusBar</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>&amp;Control Bar</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>&amp;Com Setup</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;About Program...</source>
        <translation>&amp;About Program...</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>Open the manual at its contents
Contents</source>
        <translation>Open the manual at its contents
Contents</translation>
    </message>
    <message>
        <source>More Buttons</source>
        <translation>More Buttons</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Display program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Next Pane</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Switch to the next window pane
Next Pane</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Previous Pane</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Switch back to the previous window pane
Previous Pane</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>&amp;Setup</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>Radio &amp;History...</source>
        <translation>Radio &amp;History...</translation>
    </message>
    <message>
        <source>List the images read from and written to radios; open one or write it back</source>
        <translation>List the images read from and written to radios; open one or write it back</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>Save &amp;Log...</translation>
    </message>
    <message>
        <source>Save every byte of the last transfer to a file</source>
        <translation>Save every byte of the last transfer to a file</translation>
    </message>
    <message>
        <source>&amp;Backup Before Write</source>
        <translation>&amp;Backup Before Write</translation>
    </message>
    <message>
        <source>Read the radio and keep its contents before every write</source>
        <translation>Read the radio and keep its contents before every write</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>&amp;Verify After Write</translation>
    </message>
    <message>
        <source>Read the radio back after every write and compare</source>
        <translation>Read the radio back after every write and compare</translation>
    </message>
    <message>
        <source>Logs (*.log);;All files (*)</source>
        <translation>Logs (*.log);;All files (*)</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2</source>
        <translation>Cannot save the file %1.
%2</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Undo the last change</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>Redo the change undone last</translation>
    </message>
    <message>
        <source>&amp;Insert Channel</source>
        <translation>&amp;Insert Channel</translation>
    </message>
    <message>
        <source>Insert an empty channel here; the channels below move down</source>
        <translation>Insert an empty channel here; the channels below move down</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>&amp;Delete Channel</translation>
    </message>
    <message>
        <source>Delete this channel; the channels below move up</source>
        <translation>Delete this channel; the channels below move up</translation>
    </message>
    <message>
        <source>&amp;Move Channel Up</source>
        <translation>&amp;Move Channel Up</translation>
    </message>
    <message>
        <source>Swap this channel with the one above</source>
        <translation>Swap this channel with the one above</translation>
    </message>
    <message>
        <source>Move Channel Do&amp;wn</source>
        <translation>Move Channel Do&amp;wn</translation>
    </message>
    <message>
        <source>Swap this channel with the one below</source>
        <translation>Swap this channel with the one below</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>&amp;Import Channels...</translation>
    </message>
    <message>
        <source>Replace the channel list with one from a CSV file, after a preview</source>
        <translation>Replace the channel list with one from a CSV file, after a preview</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>&amp;Export Channels...</translation>
    </message>
    <message>
        <source>Save the channel list as a CSV file</source>
        <translation>Save the channel list as a CSV file</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>Select every channel</source>
        <translation>Select every channel</translation>
    </message>
    <message>
        <source>Copy the selected cells and clear them</source>
        <translation>Copy the selected cells and clear them</translation>
    </message>
    <message>
        <source>Copy the selected cells, or the current cell, for a spreadsheet or another channel list</source>
        <translation>Copy the selected cells, or the current cell, for a spreadsheet or another channel list</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>Clear the selected cells; clearing an Rx Frequency deletes its channel</source>
        <translation>Clear the selected cells; clearing an Rx Frequency deletes its channel</translation>
    </message>
    <message>
        <source>Paste cells from a spreadsheet, or a channel list, into the selection or from the current cell on</source>
        <translation>Paste cells from a spreadsheet, or a channel list, into the selection or from the current cell on</translation>
    </message>
    <message>
        <source>&amp;Fill Down</source>
        <translation>&amp;Fill Down</translation>
    </message>
    <message>
        <source>Copy the top row of the selection into the rows below it</source>
        <translation>Copy the top row of the selection into the rows below it</translation>
    </message>
    <message>
        <source>The program could not be started again in the other language (%1).
The language stays as it is.</source>
        <translation>The program could not be started again in the other language (%1).
The language stays as it is.</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; a data file holds exactly %3.</source>
        <translation>%1 holds %2 bytes; a data file holds exactly %3.</translation>
    </message>
    <message>
        <source>%1 is not a file.</source>
        <translation>%1 is not a file.</translation>
    </message>
    <message>
        <source>Cannot open the file %1.
%2</source>
        <translation>Cannot open the file %1.
%2</translation>
    </message>
    <message>
        <source>Cannot save the file %1.
%2
The document is still open; try another folder or name.</source>
        <translation>Cannot save the file %1.
%2
The document is still open; try another folder or name.</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation>Co&amp;mpare with File...</translation>
    </message>
    <message>
        <source>List where a data file differs from the active document</source>
        <translation>List where a data file differs from the active document</translation>
    </message>
    <message>
        <source>&amp;Compare with Radio</source>
        <translation>&amp;Compare with Radio</translation>
    </message>
    <message>
        <source>Read the radio and list where it differs from the active document</source>
        <translation>Read the radio and list where it differs from the active document</translation>
    </message>
    <message>
        <source>&amp;Show Changes Before Writing</source>
        <translation>&amp;Show Changes Before Writing</translation>
    </message>
    <message>
        <source>After the backup, list what a write will change and ask first</source>
        <translation>After the backup, list what a write will change and ask first</translation>
    </message>
    <message>
        <source>Write &amp;Only Changed Rows</source>
        <translation>Write &amp;Only Changed Rows</translation>
    </message>
    <message>
        <source>Send only the rows that differ from the backup</source>
        <translation>Send only the rows that differ from the backup</translation>
    </message>
    <message>
        <source>Program &amp;Several Radios...</source>
        <translation>Program &amp;Several Radios...</translation>
    </message>
    <message>
        <source>Give the active document to one radio after another, on one or more ports, with a log</source>
        <translation>Give the active document to one radio after another, on one or more ports, with a log</translation>
    </message>
    <message>
        <source>Channel Plan&amp;s...</source>
        <translation>Channel Plan&amp;s...</translation>
    </message>
    <message>
        <source>Fill channels from a channel plan such as PMR446, FRS, GMRS, MURS or a list of your own</source>
        <translation>Fill channels from a channel plan such as PMR446, FRS, GMRS, MURS or a list of your own</translation>
    </message>
    <message>
        <source>Chec&amp;k Channels...</source>
        <translation>Chec&amp;k Channels...</translation>
    </message>
    <message>
        <source>List channels that break a service&apos;s rule or will not work as meant</source>
        <translation>List channels that break a service&apos;s rule or will not work as meant</translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Navigation Bar</source>
        <translation>Navigation Bar</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
</context>
<context>
    <name>OptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>Optional Features</translation>
    </message>
</context>
<context>
    <name>ProcessDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Transfer progress</source>
        <translation>Transfer progress</translation>
    </message>
</context>
<context>
    <name>ProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Choose a type</source>
        <translation>Choose a type</translation>
    </message>
    <message>
        <source>Choose a band</source>
        <translation>Choose a band</translation>
    </message>
    <message>
        <source>Keep these channels as they are (a write then asks before sending them), or clear them?</source>
        <translation>Keep these channels as they are (a write then asks before sending them), or clear them?</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Clear Channels</source>
        <translation>Clear Channels</translation>
    </message>
</context>
<context>
    <name>ProgramApp</name>
    <message>
        <source>All data will be Cleared!</source>
        <translation>All data will be Cleared!</translation>
    </message>
</context>
<context>
    <name>ProgramDoc</name>
    <message>
        <source>Radio data (*.dat);;All files (*)</source>
        <translation>Radio data (*.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Read from Radio</source>
        <translation>Read from Radio</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Parent Directory</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Create New Folder</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>List View</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Detail View</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>File &amp;name:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Files of type:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>New Folder</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Show &amp;hidden files</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Date Modified</translation>
    </message>
</context>
<context>
    <name>QMdiSubWindow</name>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Move</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Size</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimize</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Ma&amp;ximize</translation>
    </message>
    <message>
        <source>Stay on &amp;Top</source>
        <translation>Stay on &amp;Top</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>Restore Down</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
</context>
<context>
    <name>RadioHistoryDlg</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Write to Radio</source>
        <translation>&amp;Write to Radio</translation>
    </message>
    <message>
        <source>Radio History</source>
        <translation>Radio History</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Kept in %1</source>
        <translation>Kept in %1</translation>
    </message>
    <message>
        <source>The image of %1 cannot be loaded.
%2</source>
        <translation>The image of %1 cannot be loaded.
%2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
</context>
<context>
    <name>RadioTransfer</name>
    <message>
        <source>Write Again</source>
        <translation>Write Again</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>Restore Backup</translation>
    </message>
    <message>
        <source>Write Without Backup</source>
        <translation>Write Without Backup</translation>
    </message>
    <message>
        <source>Program, Save Log... keeps every byte of this transfer for a closer look.</source>
        <translation>Program, Save Log... keeps every byte of this transfer for a closer look.</translation>
    </message>
    <message>
        <source>If the radio is on and the cable is plugged in, this may be the wrong port: choose the port of the programming cable in Setup, COM Setup.</source>
        <translation>If the radio is on and the cable is plugged in, this may be the wrong port: choose the port of the programming cable in Setup, COM Setup.</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>No such file or directory</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Input/output error</translation>
    </message>
</context>
<context>
    <name>TransferController</name>
    <message>
        <source>The images of this transfer could not be kept in the radio history (%1).
%2
The transfer itself is not affected.</source>
        <translation>The images of this transfer could not be kept in the radio history (%1).
%2
The transfer itself is not affected.</translation>
    </message>
    <message>
        <source>Write to the radio anyway?</source>
        <translation>Write to the radio anyway?</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>The radio holds no type and band that Program.ini lists (type %1, band %2). Choose them in Edit &gt; Product Information; until then no frequency can be typed.</source>
        <translation>The radio holds no type and band that Program.ini lists (type %1, band %2). Choose them in Edit &gt; Product Information; until then no frequency can be typed.</translation>
    </message>
    <message>
        <source>%1 is used from now on, but it could not be remembered for the next start.
%2</source>
        <translation>%1 is used from now on, but it could not be remembered for the next start.
%2</translation>
    </message>
    <message>
        <source>Read from the radio on %1 into the document.</source>
        <translation>Read from the radio on %1 into the document.</translation>
    </message>
    <message>
        <source>Written to the radio on %1 and verified.</source>
        <translation>Written to the radio on %1 and verified.</translation>
    </message>
    <message>
        <source>Written to the radio on %1.</source>
        <translation>Written to the radio on %1.</translation>
    </message>
    <message>
        <source>Read from the radio on %1 to compare; the document is unchanged.</source>
        <translation>Read from the radio on %1 to compare; the document is unchanged.</translation>
    </message>
    <message>
        <source>Nothing was written: the radio on %1 already holds this document.</source>
        <translation>Nothing was written: the radio on %1 already holds this document.</translation>
    </message>
    <message>
        <source>The radio already holds these channels and options; nothing was written.</source>
        <translation>The radio already holds these channels and options; nothing was written.</translation>
    </message>
    <message>
        <source>Write Anyway</source>
        <translation>Write Anyway</translation>
    </message>
    <message>
        <source>Nothing was written to the radio on %1.</source>
        <translation>Nothing was written to the radio on %1.</translation>
    </message>
    <message>
        <source>Written to the radio on %1 and verified: the changed rows could not be written alone, so the whole memory was.</source>
        <translation>Written to the radio on %1 and verified: the changed rows could not be written alone, so the whole memory was.</translation>
    </message>
    <message>
        <source>Written to the radio on %1: the changed rows could not be written alone, so the whole memory was.</source>
        <translation>Written to the radio on %1: the changed rows could not be written alone, so the whole memory was.</translation>
    </message>
    <message>
        <source>Writing changes these channels and options in the radio on %1. Write?</source>
        <translation>Writing changes these channels and options in the radio on %1. Write?</translation>
    </message>
    <message>
        <source>The radio&apos;s type or band differs from this document&apos;s: the document may be meant for another model. Write only if this is the radio you mean.</source>
        <translation>The radio&apos;s type or band differs from this document&apos;s: the document may be meant for another model. Write only if this is the radio you mean.</translation>
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
        <source>The radio on %1 holds the same channels and options as this document.</source>
        <translation>The radio on %1 holds the same channels and options as this document.</translation>
    </message>
    <message>
        <source>%1 holds the same image as this document.</source>
        <translation>%1 holds the same image as this document.</translation>
    </message>
    <message>
        <source>Compare with Radio</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>Compare with File</translation>
    </message>
    <message>
        <source>Where the radio on %1 differs from this document:</source>
        <translation>Where the radio on %1 differs from this document:</translation>
    </message>
    <message>
        <source>Where %1 differs from this document:</source>
        <translation>Where %1 differs from this document:</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>In the document</source>
        <translation>In the document</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
</context>
</TS>
