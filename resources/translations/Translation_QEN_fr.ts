<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>DBList</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Select the DB to add to the server:</source>
        <translation>Sélectionnez la base de données à ajouter au serveur :</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Ou créez une nouvelle DB:</source>
        <translation>Ou créez une nouvelle DB :</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>DefaultConfigView</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Default Server Configuration</source>
        <translation>Configuration par défaut des serveurs</translation>
    </message>
    <message>
        <source>The default config is loaded on each new server or after a checkout (Community or enterprise)</source>
        <translation>La configuration par défaut est chargée pour chaque nouveau serveur ou après un checkout (Community ou enterprise)</translation>
    </message>
    <message>
        <source>demo data</source>
        <translation>données de démonstration</translation>
    </message>
    <message>
        <source>python 2</source>
        <translation>python 2</translation>
    </message>
    <message>
        <source>shell</source>
        <translation>shell</translation>
    </message>
    <message>
        <source>enterprise</source>
        <translation>enterprise</translation>
    </message>
    <message>
        <source>Install:</source>
        <translation>Installer :</translation>
    </message>
    <message>
        <source>Upgrades:</source>
        <translation>Mettre à jour :</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Set the port automatically at the start of the server to never collapse running instance.</source>
        <translation>Choisir le port automatiquement au démarrage du serveur pour ne jamais entrer en conflit avec une instance en cours.</translation>
    </message>
    <message>
        <source>Remove install modules from command after running the server one time</source>
        <translation>Retirer les modules à installer de la commande après un premier démarrage du serveur</translation>
    </message>
    <message>
        <source>Delay before a forced shutdown (in seconds): </source>
        <translation>Délai avant un arrêt forcé (en secondes) : </translation>
    </message>
    <message>
        <source> Language (truly effective after restart):</source>
        <translation> Langue (réellement effective après redémarrage) :</translation>
    </message>
    <message>
        <source>Accept to download Beta versions</source>
        <translation>Accepter de télécharger les versions bêta</translation>
    </message>
    <message>
        <source>Cursor type for terminals: </source>
        <translation>Type de curseur des terminaux : </translation>
    </message>
    <message>
        <source>I cursor</source>
        <translation>Curseur en I</translation>
    </message>
    <message>
        <source>Underscore cursor</source>
        <translation>Curseur souligné</translation>
    </message>
    <message>
        <source>Block cursor</source>
        <translation>Curseur bloc</translation>
    </message>
    <message>
        <source>Unable to open translation</source>
        <translation>Impossible d&apos;ouvrir la traduction</translation>
    </message>
    <message>
        <source>Sorry, we are not able to find translation file for your language: </source>
        <translation>Désolé, nous ne trouvons pas le fichier de traduction pour votre langue : </translation>
    </message>
</context>
<context>
    <name>Env</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>There is an error with your postgreSQL instance. Please check your configuration. Error: </source>
        <translation>Il y a une erreur avec votre instance PostgreSQL. Veuillez vérifier votre configuration. Erreur : </translation>
    </message>
</context>
<context>
    <name>Installler</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Hello ! As it is the first start of the application, we need to configure some elements together :</source>
        <translation>Bonjour ! Comme c&apos;est le premier démarrage de l&apos;application, nous devons configurer quelques éléments ensemble :</translation>
    </message>
    <message>
        <source>Server configuration</source>
        <translation>Configuration du serveur</translation>
    </message>
    <message>
        <source>The launcher come without any Velt instance. Would you like to create one?</source>
        <translation>Le launcher est livré sans instance Velt. Voulez-vous en créer une ?</translation>
    </message>
    <message>
        <source>Do you want to copy a local server or clone a server from github?</source>
        <translation>Voulez-vous copier un serveur local ou cloner un serveur depuis github ?</translation>
    </message>
    <message>
        <source>Copy local server</source>
        <translation>Copier un serveur local</translation>
    </message>
    <message>
        <source>Clone repository</source>
        <translation>Cloner le dépôt</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Select Velt directory</source>
        <translation>Sélectionnez le dossier Velt</translation>
    </message>
    <message>
        <source>Select Enterprise directory</source>
        <translation>Sélectionnez le dossier Enterprise</translation>
    </message>
    <message>
        <source>install finished</source>
        <translation>installation terminée</translation>
    </message>
    <message>
        <source>The installation process is terminated. You can now restart the application...</source>
        <translation>L&apos;installation est terminée. Vous pouvez maintenant redémarrer l&apos;application...</translation>
    </message>
</context>
<context>
    <name>IntroWindow</name>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Kyd Velt Launcher</source>
        <translation>Kyd Velt Launcher</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>StatusBar</source>
        <translation>Barre d&apos;état</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>reset installer</source>
        <translation>réinitialiser l&apos;installateur</translation>
    </message>
    <message>
        <source>Kyd Velt Launcher

Version: </source>
        <translation>Kyd Velt Launcher

Version : </translation>
    </message>
    <message>
        <source>This launcher is NOT provided by Velt enterprise.</source>
        <translation>Ce lanceur n&apos;est PAS fourni par l&apos;entreprise Velt.</translation>
    </message>
    <message>
        <source>For any information, contact </source>
        <translation>Pour toute information, contactez </translation>
    </message>
    <message>
        <source>If you found a bug, you can send a mail to </source>
        <translation>Si vous trouvez un bogue, vous pouvez écrire à </translation>
    </message>
    <message>
        <source>launcher</source>
        <translation>lanceur</translation>
    </message>
    <message>
        <source>Installer reset</source>
        <translation>Réinitialisation de l&apos;installateur</translation>
    </message>
    <message>
        <source>The installer will be activated when you&apos;ll restart the application...</source>
        <translation>L&apos;installateur sera activé au prochain démarrage de l&apos;application...</translation>
    </message>
    <message>
        <source>Server: VRam used: </source>
        <translation>Serveur : mémoire virtuelle utilisée : </translation>
    </message>
    <message>
        <source> MB   Real RAM used: </source>
        <translation> Mo   mémoire réelle utilisée : </translation>
    </message>
    <message>
        <source>MB.     CPU used: </source>
        <translation>Mo.     CPU utilisé : </translation>
    </message>
    <message>
        <source>%.      PID: </source>
        <translation>%.      PID : </translation>
    </message>
    <message>
        <source>Server: Not Running</source>
        <translation>Serveur : arrêté</translation>
    </message>
    <message>
        <source>Server (port: </source>
        <translation>Serveur (port : </translation>
    </message>
    <message>
        <source>):  RAM: </source>
        <translation>) :  mémoire : </translation>
    </message>
    <message>
        <source>MB.  CPU used: </source>
        <translation>Mo.  CPU utilisé : </translation>
    </message>
    <message>
        <source>%.  PID: </source>
        <translation>%.  PID : </translation>
    </message>
    <message>
        <source>No server running...</source>
        <translation>Aucun serveur en cours d&apos;exécution...</translation>
    </message>
    <message>
        <source>Launcher: VM used: </source>
        <translation>Launcher : mémoire virtuelle utilisée : </translation>
    </message>
    <message>
        <source> MB.       RAM used: </source>
        <translation> Mo.       mémoire utilisée : </translation>
    </message>
    <message>
        <source> MB.     CPU used: </source>
        <translation> Mo.     CPU utilisé : </translation>
    </message>
    <message>
        <source>%.</source>
        <translation>%.</translation>
    </message>
    <message>
        <source>Close Velt Launcher</source>
        <translation>Fermer Velt Launcher</translation>
    </message>
    <message>
        <source>Do you want to close the server on the port </source>
        <translation>Voulez-vous arrêter le serveur sur le port </translation>
    </message>
</context>
<context>
    <name>MyQTermWidget</name>
    <message>
        <source>Context menu</source>
        <translation>Menu contextuel</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
</context>
<context>
    <name>ServerWidget</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Listen for the main HTTP service</source>
        <translation>Port d’écoute du service HTTP principal</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
</context>
<context>
    <name>StatusBarConfig</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Server status</source>
        <translation>État des serveurs</translation>
    </message>
    <message>
        <source>Don&apos;t show server status</source>
        <translation>Ne pas afficher l&apos;état des serveurs</translation>
    </message>
    <message>
        <source>Show current server status (selected tab)</source>
        <translation>Afficher l&apos;état du serveur courant (onglet sélectionné)</translation>
    </message>
    <message>
        <source>Show all servers status</source>
        <translation>Afficher l&apos;état de tous les serveurs</translation>
    </message>
    <message>
        <source>Show the status of the Velt Launcher</source>
        <translation>Afficher l&apos;état du Velt Launcher</translation>
    </message>
</context>
<context>
    <name>TODOWidget</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fait</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>TermExecutor</name>
    <message>
        <source>Bug Splat</source>
        <translation>Bug Splat</translation>
    </message>
    <message>
        <source>A launched command wrote into the error pipe. Please check that everything is ok!</source>
        <translation>Une commande lancée a écrit sur la sortie d&apos;erreur. Vérifiez que tout va bien !</translation>
    </message>
    <message>
        <source>Here is the result of the command: </source>
        <translation>Voici le résultat de la commande : </translation>
    </message>
    <message>
        <source>unable to log</source>
        <translation>journalisation impossible</translation>
    </message>
    <message>
        <source>Sorry, but we are unable to open the trace log file</source>
        <translation>Désolé, impossible d&apos;ouvrir le journal des commandes</translation>
    </message>
    <message>
        <source>Sorry, but we are unable to open the git log file</source>
        <translation>Désolé, impossible d&apos;ouvrir le journal git</translation>
    </message>
    <message>
        <source>prune</source>
        <translation>prune</translation>
    </message>
    <message>
        <source>There are too many unreachable objects; run &apos;git prune&apos; to remove them...</source>
        <translation>Il y a trop d&apos;objets inaccessibles ; lancez &apos;git prune&apos; pour les supprimer...</translation>
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
        <translation>C&apos;est apparemment la première fois que vous lancez Kyd Velt Launcher ! Tout d&apos;abord, merci de l&apos;avoir téléchargé. Pour toute question ou suggestion, n&apos;hésitez pas à venir me voir ou à m&apos;écrire à %1.



Pour être sûr que ce programme ne casse pas votre configuration actuelle, vous pouvez le lancer avec les arguments suivants :
--trace ou -t : toutes les commandes sont journalisées dans un fichier sur votre bureau
--sandbox ou -s : toutes les commandes sont désactivées. Vous pouvez ajouter -t, mais aucune commande ne donnera de résultat. Seules les commandes sont désactivées, le programme fonctionne normalement (chargement de la configuration, réglages, etc...). Vous pouvez même lancer l&apos;installation en mode sandbox pour voir les commandes utilisées.
--git-log ou -g : le résultat de chaque commande git est écrit dans un fichier sur votre bureau.


Voulez-vous démarrer le programme maintenant ? (options détectées : </translation>
    </message>
    <message>
        <source>Unable to open translation</source>
        <translation>Impossible d&apos;ouvrir la traduction</translation>
    </message>
    <message>
        <source>Sorry, we are not able to find translation file for your language: </source>
        <translation>Désolé, nous ne trouvons pas le fichier de traduction pour votre langue : </translation>
    </message>
    <message>
        <source>Choose your language</source>
        <translation>Choisissez votre langue</translation>
    </message>
    <message>
        <source>Choose your language:</source>
        <translation>Choisissez votre langue :</translation>
    </message>
    <message>
        <source>VeltLauncher: First launch</source>
        <translation>VeltLauncher : premier lancement</translation>
    </message>
</context>
<context>
    <name>mainWidget</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>New server</source>
        <translation>Nouveau serveur</translation>
    </message>
    <message>
        <source>Todo list</source>
        <translation>Liste de tâches</translation>
    </message>
    <message>
        <source>All 26 server workspaces are in use. Remove one before creating another.</source>
        <translation>Les 26 espaces de serveur sont utilisés. Supprimez-en un avant d’en créer un autre.</translation>
    </message>
    <message>
        <source>Do you want to copy the server A or clone a server from github?</source>
        <translation>Voulez-vous copier le serveur A ou cloner un serveur depuis github ?</translation>
    </message>
    <message>
        <source>Copy server A</source>
        <translation>Copier le serveur A</translation>
    </message>
    <message>
        <source>Clone repository</source>
        <translation>Cloner le dépôt</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Supprimer le serveur</translation>
    </message>
    <message>
        <source>Are you sure to delete the </source>
        <translation>Voulez-vous vraiment supprimer le </translation>
    </message>
    <message>
        <source>? The delete will be permanent!</source>
        <translation> ? La suppression sera définitive !</translation>
    </message>
</context>
</TS>
