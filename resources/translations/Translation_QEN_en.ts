<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>DBList</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the DB to add to the server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ou créez une nouvelle DB:</source>
        <translation>Or create a new DB:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DefaultConfigView</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Server Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The default config is loaded on each new server or after a checkout (Community or enterprise)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>demo data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>python 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enterprise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrades:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the port automatically at the start of the server to never collapse running instance.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove install modules from command after running the server one time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay before a forced shutdown (in seconds): </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Language (truly effective after restart):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept to download Beta versions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cursor type for terminals: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underscore cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, we are not able to find translation file for your language: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Env</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is an error with your postgreSQL instance. Please check your configuration. Error: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Installler</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hello ! As it is the first start of the application, we need to configure some elements together :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher come without any Velt instance. Would you like to create one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to copy a local server or clone a server from github?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy local server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clone repository</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Velt directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Enterprise directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>install finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation process is terminated. You can now restart the application...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntroWindow</name>
    <message>
        <source>Loading</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Kyd Velt Launcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>StatusBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reset installer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kyd Velt Launcher

Version: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This launcher is NOT provided by Velt enterprise.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For any information, contact </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you found a bug, you can send a mail to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>launcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installer will be activated when you&apos;ll restart the application...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server: VRam used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MB   Real RAM used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MB.     CPU used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%.      PID: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server: Not Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server (port: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>):  RAM: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MB.  CPU used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%.  PID: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No server running...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launcher: VM used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MB.       RAM used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MB.     CPU used: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Velt Launcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to close the server on the port </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MyQTermWidget</name>
    <message>
        <source>Context menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerWidget</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen for the main HTTP service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusBarConfig</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t show server status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show current server status (selected tab)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show all servers status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the status of the Velt Launcher</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TODOWidget</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TermExecutor</name>
    <message>
        <source>Bug Splat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A launched command wrote into the error pipe. Please check that everything is ok!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Here is the result of the command: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unable to log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, but we are unable to open the trace log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, but we are unable to open the git log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>prune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are too many unreachable objects; run &apos;git prune&apos; to remove them...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>It seems to be the first time you launch Kyd Velt Launcher! First of all, thank you for downloading it. If you have any question, suggestion, don&apos;t hesitate to come to me or to send me an e-mail at %1.



If you want to be sure that this program doesn&apos;t break your actual configuration, you can launch it with the following arguments:
--trace or -t: log all commands in a file on your desktop
--sandbox or -s: all commands are deactivated. You can use -t with it, but you&apos;ll get no results from each of them. You must know that only commands are deactivated, the program is normally running (loading configuration, setting it, etc...). However, you can install in sandbox mode to see used commands.
--git-log or -g: all results of the execution of a git command will be printed in a file on your desktop.


Would you like to start the program now? (options detected: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, we are not able to find translation file for your language: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose your language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose your language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VeltLauncher: First launch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mainWidget</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Todo list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All 26 server workspaces are in use. Remove one before creating another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to copy the server A or clone a server from github?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy server A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clone repository</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to delete the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>? The delete will be permanent!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
