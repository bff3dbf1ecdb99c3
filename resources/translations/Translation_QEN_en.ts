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
    <name>CommandDescription</name>
    <message>
        <source>%1 (server %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (server %2, %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigLoader</name>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be read, so it is not written over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>DownloadForm</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
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
    <message>
        <source>&quot;%1&quot; names no branch to rebase on. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rebase failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rebase of %1 on %2 stopped before its end and is still in progress in the clone: finish it there, or run &quot;git rebase --abort&quot;.
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rebase of %1 on %2 failed.
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A branch named %1 exists already. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no branch to start from. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This clone has no development remote to fetch from. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The step &quot;%1&quot; failed; the steps after it were not run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The changes put aside by &quot;git stash&quot; are still in the stash.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetch and rebase failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pull failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No commit hash was given. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing to clean: no untracked or ignored file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>…and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files and folders will be deleted, ignored ones included:
%1

Nothing is deleted if you answer No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some of the files could not be deleted.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetch --all failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>git fetch --all did not fetch every remote:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loading the history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached HEAD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HEAD is detached at %1 and holds commits that no branch holds. Once HEAD leaves them, only the reflog finds them. Leave them anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a checked-out branch, and the clone is on none (%2). Check out a branch first. Nothing was run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The step &quot;%1&quot; was cancelled; the steps after it were not run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>detached at %1</source>
        <translation></translation>
    </message>
    <message>
        <source>Server not stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server of this workspace did not stop on Ctrl+C, so &quot;%1&quot; did not run. End what runs in the server terminal, then try again.</source>
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
    <message>
        <source>install not finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation was stopped before its end. It will start again at the next start of the application.</source>
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
        <source>For any information, contact %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you found a bug, you can send a mail to %1</source>
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
    <message>
        <source>status bar refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates come through the package manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was cancelled.</source>
        <translation></translation>
    </message>
    <message>
        <source>This build has no update key: it offers no update. Install a newer release to update.</source>
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
    <name>OperationGate</name>
    <message>
        <source>&quot;%1&quot; is refused: &quot;%2&quot; is still in progress.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OperationIndicator</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2, %3 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelling %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerWidget</name>
    <message>
        <source>Git</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global options</source>
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
        <source>Shell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enterprise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>install:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upgrades:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>debug level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Custom parameters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GIT terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen for the main HTTP service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>http-interface:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen interface address for HTTP services. Keep empty to listen on all interfaces (0.0.0.0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>longpolling-port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen port for the longpolling HTTP service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no http</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable the HTTP and Longpolling services entirely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>proxy mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate reverse proxy WSGI wrappers (headers rewriting) Only enable this when running behind a trusted web proxy!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Testing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch a python or YML test file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test report directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If set, will save sample of all reports in this directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable YAML and unit tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test commit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commit database changes performed by YAML or XML tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File where the server log will be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enable logfile rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syslog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send the log to the syslog server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log handler:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>setup a handler at LEVEL for a given PREFIX (PREFIX:LEVEL). An empty PREFIX indicates the root logger. This option can be repeated. Example: &quot;velt.orm:DEBUG&quot; or &quot;werkzeug:CRITICAL&quot; (default: &quot;:INFO&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log DB:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log DB level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logging database level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the SMTP email address for sending email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>smtp server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the SMTP server for sending email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>smtp port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the SMTP port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>smtp SSL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>if checked, SMTP connections will be encrypted with SSL (StartSSL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>smtp user:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the SMTP username for sending email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>smtp password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the SMTP password for sending email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database related options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the database user name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the database password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pg path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the pg executable path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db host:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the database host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the database port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db ssl mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the database ssl connection mode (see PostgreSQL documentation)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db max 
connections:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the maximum number of physical connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>db template:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a custom database template to create a new database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internationalisation options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specifies the languages for the translations you want to be loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the language of the translation file. Use it with --il8nexport or --il8n-import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>il8n export:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export all sentences to be translated to a CSV file, a PO file or a TGZ archive and exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>il8n import:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import a CSV or a PO file with translations and exit. The -l (language) option is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>il8n overwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrites existing translation terms on updating a module or importing a CSV or a PO file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modules:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify modules to export. Use in combination with --il8n-export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiprocessing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Workers:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify the number of workers, 0 disable prefork mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit memory soft:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum allowed virtual memory per worker, when reached the worker be reset after the current request (default 671088640 aka 640MB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit memory hard:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum allowed virtual memory per worker, when reached, any memory allocation will fail (default 805306368 aka 768MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit time cpu:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum allowed CPU time per request (default 60)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit time real:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum allowed Real time per request (default 120)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit time real cron:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum allowed Real time per request (default: limit time real). Set to 0 for no limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limit request:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum number of request to be processed per worker (default 8192)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dev mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable developper mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>debugger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qweb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>xml</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>werkzeug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop after init</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the server its initialization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unaccent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the unaccent function provided by the database when available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shell interface:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify a preferred REPL to use in shell mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>osv memory count limit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force a limit on the maximum of records kept in the virtual osv_memory tables. The default is False, wich means no count-based limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>osv memory age limit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force a limit on the maximum age of records kept in the virtual osv_memory tables. This is a decimal value expressed in hours, and the default is 1 hour.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>max cron threads:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum number of threads processing concurrently cron jobs (default 2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>geoip database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Absolute path to the GeoIP database file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, but the config has unknown values... check if your configuration still work! (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration save detected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Be careful, you have saved a configuration in ~/.veltrc. This can break the velt shell.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please provide minimum one DB to launch the server!</source>
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
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading the clones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: no shell prompt came back within %2 seconds after the line
%3
Look in the server terminal whether that line still runs or waits for an answer (a password, a question), and whether the shell shows its prompt; then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server not stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: what runs in the server terminal did not stop on Ctrl+C within %2 seconds. End it in the terminal (a debugger or a Python shell has its own command to quit), then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shell ended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: the shell of the server terminal ended. The next operation of this tab starts a new one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsReporter</name>
    <message>
        <source>Settings file unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2.

The launcher goes on with the default settings and will not save over that file until it is restarted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2.

Your changes are kept until the launcher is closed. Later failures are only reported on the standard error output.</source>
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
    <name>UpdateStep</name>
    <message>
        <source>update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An update is available. Do you want to download it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update not started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher goes on with the current version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new upgrader did not arrive in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new upgrader could not be fetched: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateStepWindow</name>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetching the new upgrader...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the upgrader: give the superuser&apos;s password when asked, then follow the upgrader&apos;s window until it ends.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpgraderLaunch</name>
    <message>
        <source>The upgrader cannot be started: gksudo was not found. Install the launcher again, or put gksudo on the PATH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The upgrader cannot be started: %1 is missing or not executable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The upgrader cannot be started: the shell could not be run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The upgrader did not run with superuser rights: the password was refused, the request dismissed, or the upgrader failed (gksudo ended with status %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The upgrader did not end in time: the launcher stopped waiting for it and counts the update as failed. Start the launcher again once the upgrader&apos;s window is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update was cancelled while the launcher waited for the upgrader.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WaitingPageNote</name>
    <message>
        <source>This workspace opens once &quot;%1&quot; has ended.</source>
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
    <message>
        <source>server %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workspace folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder: it was left in place.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
