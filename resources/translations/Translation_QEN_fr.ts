<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BranchSelector</name>
    <message>
        <source>Branch selector</source>
        <translation>Sélecteur de branche</translation>
    </message>
    <message>
        <source>Choose the branch to checkout or rebase:</source>
        <translation>Choisissez la branche à extraire ou sur laquelle rebaser :</translation>
    </message>
    <message>
        <source>Locale:</source>
        <translation>Locale :</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>velt/</source>
        <translation>velt/</translation>
    </message>
    <message>
        <source>velt-dev/</source>
        <translation>velt-dev/</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>GitRepository</name>
    <message>
        <source>No origin upstream</source>
        <translation>Pas de dépôt amont d&apos;origine</translation>
    </message>
    <message>
        <source>No velt-dev upstream</source>
        <translation>Pas de dépôt amont velt-dev</translation>
    </message>
    <message>
        <source>There is no upstream to velt encoded on the server %1 - %2. Do you want to create one?</source>
        <translation>Aucun dépôt amont vers velt n&apos;est défini sur le serveur %1 - %2. Voulez-vous en créer un ?</translation>
    </message>
    <message>
        <source>There is no upstream to velt-dev encoded on the server %1 - %2. Do you want to create one?</source>
        <translation>Aucun dépôt amont vers velt-dev n&apos;est défini sur le serveur %1 - %2. Voulez-vous en créer un ?</translation>
    </message>
    <message>
        <source>origin URL</source>
        <translation>URL d&apos;origine</translation>
    </message>
    <message>
        <source>velt-dev URL</source>
        <translation>URL velt-dev</translation>
    </message>
    <message>
        <source>Enter the URL of the Velt Repository:</source>
        <translation>Saisissez l&apos;URL du dépôt Velt :</translation>
    </message>
    <message>
        <source>Enter the URL of the Velt-dev Repository:</source>
        <translation>Saisissez l&apos;URL du dépôt Velt-dev :</translation>
    </message>
</context>
<context>
    <name>GitWidget</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Refresh list</source>
        <translation>Actualiser la liste</translation>
    </message>
    <message>
        <source>Fetch --all</source>
        <translation>Fetch --all</translation>
    </message>
    <message>
        <source>New Branch</source>
        <translation>Nouvelle branche</translation>
    </message>
    <message>
        <source>Clone not found</source>
        <translation>Clone introuvable</translation>
    </message>
    <message>
        <source>The folder %1 is missing or is not a git work tree. Nothing was run.</source>
        <translation>Le dossier %1 est absent ou n&apos;est pas un arbre de travail git. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>no branches found</source>
        <translation>aucune branche trouvée</translation>
    </message>
    <message>
        <source>Community (</source>
        <translation>Communauté (</translation>
    </message>
    <message>
        <source>Enterprise (</source>
        <translation>Entreprise (</translation>
    </message>
    <message>
        <source>)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>Load more...</source>
        <translation>Charger plus...</translation>
    </message>
    <message>
        <source>Branch: </source>
        <translation>Branche : </translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>View on Github</source>
        <translation>Voir sur Github</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Nettoyer</translation>
    </message>
    <message>
        <source>Cherry-pick</source>
        <translation>Cherry-pick</translation>
    </message>
    <message>
        <source>Stash</source>
        <translation>Remiser</translation>
    </message>
    <message>
        <source>Stash pop</source>
        <translation>Appliquer la remise</translation>
    </message>
    <message>
        <source>Checkout</source>
        <translation>Extraire</translation>
    </message>
    <message>
        <source>Unstaged files</source>
        <translation>Fichiers non indexés</translation>
    </message>
    <message>
        <source>UNSTAGED FILES:</source>
        <translation>FICHIERS NON INDEXÉS :</translation>
    </message>
    <message>
        <source>
UNTRACKED FILES:</source>
        <translation>
FICHIERS NON SUIVIS :</translation>
    </message>
    <message>
        <source>View the commit on Github</source>
        <translation>Voir le commit sur Github</translation>
    </message>
    <message>
        <source>Cherry this commit on the current branch</source>
        <translation>Appliquer ce commit sur la branche courante</translation>
    </message>
    <message>
        <source>Rebase</source>
        <translation>Rebaser</translation>
    </message>
    <message>
        <source>Pull</source>
        <translation>Pull</translation>
    </message>
    <message>
        <source>Fetch and rebase</source>
        <translation>Fetch et rebase</translation>
    </message>
    <message>
        <source>View on Vettor</source>
        <translation>Voir sur Vettor</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>There is unstaged changes on your current branch. Do you want to stash them?</source>
        <translation>Il y a des modifications non indexées sur votre branche courante. Voulez-vous les remiser ?</translation>
    </message>
    <message>
        <source>Checkout failed</source>
        <translation>Échec de l&apos;extraction</translation>
    </message>
    <message>
        <source>The branch %1 could not be checked out:
%2</source>
        <translation>La branche %1 n&apos;a pas pu être extraite :
%2</translation>
    </message>
    <message>
        <source>Checkout executed. Do you want to apply your stash now?</source>
        <translation>Extraction effectuée. Voulez-vous appliquer votre remise maintenant ?</translation>
    </message>
    <message>
        <source>No stash pop</source>
        <translation>Remise non appliquée</translation>
    </message>
    <message>
        <source>You choose to NOT pop your stash. This program won&apos;t care anymore of that stash. Don&apos;t forget to recover it manually!</source>
        <translation>Vous avez choisi de NE PAS appliquer votre remise. Ce programme ne s&apos;en occupera plus. N&apos;oubliez pas de la récupérer vous-même !</translation>
    </message>
    <message>
        <source>Rebase </source>
        <translation>Rebase de </translation>
    </message>
    <message>
        <source> on </source>
        <translation> sur </translation>
    </message>
    <message>
        <source>Rebase executed</source>
        <translation>Rebase effectué</translation>
    </message>
    <message>
        <source>Branch Name</source>
        <translation>Nom de la branche</translation>
    </message>
    <message>
        <source>Choose the name of your branch</source>
        <translation>Choisissez le nom de votre branche</translation>
    </message>
    <message>
        <source>Commit hash</source>
        <translation>Hash du commit</translation>
    </message>
    <message>
        <source>Enter the hash of the commit to cherry-pick:</source>
        <translation>Saisissez le hash du commit à appliquer :</translation>
    </message>
    <message>
        <source>Untracked files</source>
        <translation>Fichiers non suivis</translation>
    </message>
    <message>
        <source>There is untracked files on your current directory. Are you SURE to want to launch a git clean -dfx as you will lose them?</source>
        <translation>Il y a des fichiers non suivis dans votre dossier courant. Êtes-vous SÛR de vouloir lancer un git clean -dfx ? Vous les perdrez.</translation>
    </message>
    <message>
        <source>Change branch</source>
        <translation>Changez de branche</translation>
    </message>
    <message>
        <source>You can&apos;t delete the branch you are currently on. Please change it before...</source>
        <translation>Vous ne pouvez pas supprimer la branche sur laquelle vous êtes. Changez-en d&apos;abord...</translation>
    </message>
    <message>
        <source>No upstream</source>
        <translation>Pas de branche amont</translation>
    </message>
    <message>
        <source>There is no upstream configured on this branch. Are you sure to want to delete this branch wtihout having pushed it?</source>
        <translation>Aucune branche amont n&apos;est configurée pour cette branche. Voulez-vous vraiment la supprimer sans l&apos;avoir poussée ?</translation>
    </message>
</context>
<context>
    <name>Installler</name>
    <message>
        <source>Installer</source>
        <translation>Installateur</translation>
    </message>
    <message>
        <source>The installer is not available in this version yet.</source>
        <translation>L&apos;installateur n&apos;est pas encore disponible dans cette version.</translation>
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
    <message>
        <source>No version found</source>
        <translation>Aucune version trouvée</translation>
    </message>
    <message>
        <source>No version found for the server %1. The launcher will use the master environment...</source>
        <translation>Aucune version trouvée pour le serveur %1. Le lanceur utilisera l&apos;environnement master...</translation>
    </message>
    <message>
        <source>Python 3 unavailable</source>
        <translation>Python 3 indisponible</translation>
    </message>
    <message>
        <source>Python 3 is not available on this version of Velt. Switching to Python 2...</source>
        <translation>Python 3 n&apos;est pas disponible pour cette version de Velt. Passage à Python 2...</translation>
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
