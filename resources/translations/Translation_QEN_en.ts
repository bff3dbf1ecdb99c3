<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BranchSelector</name>
    <message>
        <source>Branch selector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the branch to checkout or rebase:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Locale:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>velt/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>velt-dev/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GitRepository</name>
    <message>
        <source>No origin upstream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No velt-dev upstream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no upstream to velt encoded on the server %1 - %2. Do you want to create one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no upstream to velt-dev encoded on the server %1 - %2. Do you want to create one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>origin URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>velt-dev URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the URL of the Velt Repository:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the URL of the Velt-dev Repository:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GitWidget</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetch --all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Branch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clone not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is missing or is not a git work tree. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no branches found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Community (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enterprise (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load more...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Branch: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View on Github</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cherry-pick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stash pop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checkout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unstaged files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UNSTAGED FILES:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
UNTRACKED FILES:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View the commit on Github</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cherry this commit on the current branch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rebase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pull</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetch and rebase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View on Vettor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is unstaged changes on your current branch. Do you want to stash them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checkout failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The branch %1 could not be checked out:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checkout executed. Do you want to apply your stash now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No stash pop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You choose to NOT pop your stash. This program won&apos;t care anymore of that stash. Don&apos;t forget to recover it manually!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rebase </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> on </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rebase executed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Branch Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the name of your branch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commit hash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the hash of the commit to cherry-pick:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untracked files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is untracked files on your current directory. Are you SURE to want to launch a git clean -dfx as you will lose them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change branch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can&apos;t delete the branch you are currently on. Please change it before...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No upstream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no upstream configured on this branch. Are you sure to want to delete this branch wtihout having pushed it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Installler</name>
    <message>
        <source>Installer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installer is not available in this version yet.</source>
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
    <message>
        <source>No version found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No version found for the server %1. The launcher will use the master environment...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Python 3 unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Python 3 is not available on this version of Velt. Switching to Python 2...</source>
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
