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
    <name>CommandDescription</name>
    <message>
        <source>%1 (server %2)</source>
        <translation>%1 (serveur %2)</translation>
    </message>
    <message>
        <source>%1 (server %2, %3)</source>
        <translation>%1 (serveur %2, %3)</translation>
    </message>
</context>
<context>
    <name>ConfigLoader</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it could not be read, so it is not written over</source>
        <translation>il n&apos;a pas pu être lu, il n&apos;est donc pas remplacé</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>le dossier %1 ne peut pas être créé</translation>
    </message>
</context>
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
        <translation>Ou créez une nouvelle base de données :</translation>
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
        <translation>La configuration par défaut est chargée pour chaque nouveau serveur et après chaque extraction de branche (Communauté ou Entreprise)</translation>
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
        <translation>entreprise</translation>
    </message>
    <message>
        <source>Install:</source>
        <translation>À installer :</translation>
    </message>
    <message>
        <source>Upgrades:</source>
        <translation>À mettre à jour :</translation>
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
        <translation> Langue (prise en compte au prochain démarrage) :</translation>
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
        <translation>Curseur en bloc</translation>
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
    <name>DownloadForm</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>downloading...</source>
        <translation>téléchargement...</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>vitesse</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
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
    <name>GitRepository</name>
    <message>
        <source>No origin upstream</source>
        <translation>Pas de dépôt amont velt</translation>
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
        <translation>URL du dépôt velt</translation>
    </message>
    <message>
        <source>velt-dev URL</source>
        <translation>URL du dépôt velt-dev</translation>
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
        <translation>Charger la suite...</translation>
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
        <translation>Voir sur GitHub</translation>
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
        <translation>Voir le commit sur GitHub</translation>
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
    <message>
        <source>&quot;%1&quot; names no branch to rebase on. Nothing was run.</source>
        <translation>« %1 » ne désigne aucune branche sur laquelle rebaser. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>Rebase failed</source>
        <translation>Échec du rebase</translation>
    </message>
    <message>
        <source>The rebase of %1 on %2 stopped before its end and is still in progress in the clone: finish it there, or run &quot;git rebase --abort&quot;.
%3</source>
        <translation>Le rebase de %1 sur %2 s&apos;est arrêté avant la fin et est toujours en cours dans le clone : terminez-le, ou lancez « git rebase --abort ».
%3</translation>
    </message>
    <message>
        <source>The rebase of %1 on %2 failed.
%3</source>
        <translation>Le rebase de %1 sur %2 a échoué.
%3</translation>
    </message>
    <message>
        <source>A branch named %1 exists already. Nothing was run.</source>
        <translation>Une branche nommée %1 existe déjà. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no branch to start from. Nothing was run.</source>
        <translation>« %1 » ne désigne aucune branche de départ. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>This clone has no development remote to fetch from. Nothing was run.</source>
        <translation>Ce clone n&apos;a pas de dépôt distant de développement à récupérer. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>The step &quot;%1&quot; failed; the steps after it were not run.</source>
        <translation>L&apos;étape « %1 » a échoué ; les étapes suivantes n&apos;ont pas été lancées.</translation>
    </message>
    <message>
        <source>The changes put aside by &quot;git stash&quot; are still in the stash.</source>
        <translation>Les modifications mises de côté par « git stash » sont toujours dans le stash.</translation>
    </message>
    <message>
        <source>Fetch and rebase failed</source>
        <translation>Échec du fetch et rebase</translation>
    </message>
    <message>
        <source>Pull failed</source>
        <translation>Échec du pull</translation>
    </message>
    <message>
        <source>No commit hash was given. Nothing was run.</source>
        <translation>Aucun hash de commit n&apos;a été donné. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>There is nothing to clean: no untracked or ignored file.</source>
        <translation>Il n&apos;y a rien à nettoyer : aucun fichier non suivi ou ignoré.</translation>
    </message>
    <message>
        <source>…and %1 more</source>
        <translation>…et %1 de plus</translation>
    </message>
    <message>
        <source>These files and folders will be deleted, ignored ones included:
%1

Nothing is deleted if you answer No.</source>
        <translation>Ces fichiers et dossiers seront supprimés, y compris ceux qui sont ignorés :
%1

Rien n&apos;est supprimé si vous répondez Non.</translation>
    </message>
    <message>
        <source>Some of the files could not be deleted.
%1</source>
        <translation>Certains fichiers n&apos;ont pas pu être supprimés.
%1</translation>
    </message>
    <message>
        <source>Fetch --all failed</source>
        <translation>Échec du fetch --all</translation>
    </message>
    <message>
        <source>git fetch --all did not fetch every remote:
%1</source>
        <translation>git fetch --all n&apos;a pas récupéré tous les dépôts distants :
%1</translation>
    </message>
    <message>
        <source>loading the history</source>
        <translation>chargement de l&apos;historique</translation>
    </message>
    <message>
        <source>Detached HEAD</source>
        <translation>HEAD détachée</translation>
    </message>
    <message>
        <source>HEAD is detached at %1 and holds commits that no branch holds. Once HEAD leaves them, only the reflog finds them. Leave them anyway?</source>
        <translation>HEAD est détachée sur %1 et porte des commits qu&apos;aucune branche ne porte. Une fois que HEAD les aura quittés, seul le reflog les retrouvera. Les quitter quand même ?</translation>
    </message>
    <message>
        <source>%1 needs a checked-out branch, and the clone is on none (%2). Check out a branch first. Nothing was run.</source>
        <translation>%1 a besoin d&apos;une branche extraite, et le clone n&apos;est sur aucune (%2). Extrayez d&apos;abord une branche. Rien n&apos;a été lancé.</translation>
    </message>
    <message>
        <source>The step &quot;%1&quot; was cancelled; the steps after it were not run.</source>
        <translation>L&apos;étape « %1 » a été annulée ; les étapes suivantes n&apos;ont pas été lancées.</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>detached at %1</source>
        <translation>détachée sur %1</translation>
    </message>
    <message>
        <source>Server not stopped</source>
        <translation>Serveur non arrêté</translation>
    </message>
    <message>
        <source>The server of this workspace did not stop on Ctrl+C, so &quot;%1&quot; did not run. End what runs in the server terminal, then try again.</source>
        <translation>Le serveur de cet espace de travail ne s&apos;est pas arrêté sur Ctrl+C, donc « %1 » n&apos;a pas été lancé. Terminez ce qui tourne dans le terminal du serveur, puis réessayez.</translation>
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
        <translation>Le lanceur est livré sans instance Velt. Voulez-vous en créer une ?</translation>
    </message>
    <message>
        <source>Do you want to copy a local server or clone a server from github?</source>
        <translation>Voulez-vous copier un serveur local ou cloner un serveur depuis GitHub ?</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Select Velt directory</source>
        <translation>Sélectionnez le dossier Velt</translation>
    </message>
    <message>
        <source>Select Enterprise directory</source>
        <translation>Sélectionnez le dossier Entreprise</translation>
    </message>
    <message>
        <source>install finished</source>
        <translation>Installation terminée</translation>
    </message>
    <message>
        <source>The installation process is terminated. You can now restart the application...</source>
        <translation>L&apos;installation est terminée. Vous pouvez maintenant redémarrer l&apos;application...</translation>
    </message>
    <message>
        <source>install not finished</source>
        <translation>installation inachevée</translation>
    </message>
    <message>
        <source>The installation was stopped before its end. It will start again at the next start of the application.</source>
        <translation>L&apos;installation a été arrêtée avant sa fin. Elle reprendra au prochain démarrage de l&apos;application.</translation>
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
        <translation>Réinitialiser l&apos;installateur</translation>
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
        <source>For any information, contact %1</source>
        <translation>Pour toute information, contactez %1</translation>
    </message>
    <message>
        <source>If you found a bug, you can send a mail to %1</source>
        <translation>Si vous trouvez un bogue, vous pouvez écrire à %1</translation>
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
        <translation>Mo.     utilisation CPU : </translation>
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
        <translation>Mo.  utilisation CPU : </translation>
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
        <translation>Lanceur : mémoire virtuelle utilisée : </translation>
    </message>
    <message>
        <source> MB.       RAM used: </source>
        <translation> Mo.       mémoire utilisée : </translation>
    </message>
    <message>
        <source> MB.     CPU used: </source>
        <translation> Mo.     utilisation CPU : </translation>
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
    <message>
        <source>status bar refresh</source>
        <translation>mise à jour de la barre d&apos;état</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <source>Updates come through the package manager.</source>
        <translation>Les mises à jour arrivent par le gestionnaire de paquets.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was cancelled.</source>
        <translation>« %1 » a été annulé.</translation>
    </message>
    <message>
        <source>This build has no update key: it offers no update. Install a newer release to update.</source>
        <translation>Cette version n&apos;a pas de clé de mise à jour : elle ne propose aucune mise à jour. Installez une version plus récente pour mettre à jour.</translation>
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
    <name>OperationGate</name>
    <message>
        <source>&quot;%1&quot; is refused: &quot;%2&quot; is still in progress.</source>
        <translation>« %1 » est refusé : « %2 » est encore en cours.</translation>
    </message>
</context>
<context>
    <name>OperationIndicator</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1, %2 s</source>
        <translation>%1, %2 s</translation>
    </message>
    <message>
        <source>%1: %2, %3 s</source>
        <translation>%1 : %2, %3 s</translation>
    </message>
    <message>
        <source>Cancelling %1</source>
        <translation>Annulation de %1</translation>
    </message>
</context>
<context>
    <name>ServerWidget</name>
    <message>
        <source>Git</source>
        <translation>Git</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Global options</source>
        <translation>Options globales</translation>
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
        <source>Shell</source>
        <translation>Shell</translation>
    </message>
    <message>
        <source>Enterprise</source>
        <translation>Entreprise</translation>
    </message>
    <message>
        <source>install:</source>
        <translation>à installer :</translation>
    </message>
    <message>
        <source>upgrades:</source>
        <translation>à mettre à jour :</translation>
    </message>
    <message>
        <source>database:</source>
        <translation>base de données :</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>debug level:</source>
        <translation>niveau de débogage :</translation>
    </message>
    <message>
        <source>(Custom parameters)</source>
        <translation>(Paramètres personnalisés)</translation>
    </message>
    <message>
        <source>Start server</source>
        <translation>Démarrer le serveur</translation>
    </message>
    <message>
        <source>Stop server</source>
        <translation>Arrêter le serveur</translation>
    </message>
    <message>
        <source>Restart server</source>
        <translation>Redémarrer le serveur</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Supprimer la base</translation>
    </message>
    <message>
        <source>GIT terminal</source>
        <translation>Terminal GIT</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>HTTP</source>
        <translation>HTTP</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Listen for the main HTTP service</source>
        <translation>Port d&apos;écoute du service HTTP principal</translation>
    </message>
    <message>
        <source>http-interface:</source>
        <translation>interface http :</translation>
    </message>
    <message>
        <source>Listen interface address for HTTP services. Keep empty to listen on all interfaces (0.0.0.0)</source>
        <translation>Adresse de l&apos;interface d&apos;écoute des services HTTP. Laisser vide pour écouter sur toutes les interfaces (0.0.0.0)</translation>
    </message>
    <message>
        <source>longpolling-port:</source>
        <translation>port longpolling :</translation>
    </message>
    <message>
        <source>Listen port for the longpolling HTTP service</source>
        <translation>Port d&apos;écoute du service HTTP longpolling</translation>
    </message>
    <message>
        <source>no http</source>
        <translation>sans http</translation>
    </message>
    <message>
        <source>Disable the HTTP and Longpolling services entirely</source>
        <translation>Désactive entièrement les services HTTP et Longpolling</translation>
    </message>
    <message>
        <source>proxy mode</source>
        <translation>mode proxy</translation>
    </message>
    <message>
        <source>Activate reverse proxy WSGI wrappers (headers rewriting) Only enable this when running behind a trusted web proxy!</source>
        <translation>Active les enveloppes WSGI de proxy inverse (réécriture des en-têtes). À n&apos;activer que derrière un proxy web de confiance !</translation>
    </message>
    <message>
        <source>Testing</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Test file:</source>
        <translation>Fichier de test :</translation>
    </message>
    <message>
        <source>Launch a python or YML test file</source>
        <translation>Lance un fichier de test python ou YML</translation>
    </message>
    <message>
        <source>Test report directory:</source>
        <translation>Dossier des rapports de test :</translation>
    </message>
    <message>
        <source>If set, will save sample of all reports in this directory</source>
        <translation>Si renseigné, un exemplaire de chaque rapport est enregistré dans ce dossier</translation>
    </message>
    <message>
        <source>Test enable</source>
        <translation>Activer les tests</translation>
    </message>
    <message>
        <source>Enable YAML and unit tests</source>
        <translation>Active les tests YAML et unitaires</translation>
    </message>
    <message>
        <source>Test commit</source>
        <translation>Valider en base</translation>
    </message>
    <message>
        <source>Commit database changes performed by YAML or XML tests</source>
        <translation>Valide dans la base les modifications faites par les tests YAML ou XML</translation>
    </message>
    <message>
        <source>Logging</source>
        <translation>Journalisation</translation>
    </message>
    <message>
        <source>Log file:</source>
        <translation>Fichier journal :</translation>
    </message>
    <message>
        <source>File where the server log will be stored</source>
        <translation>Fichier où le journal du serveur est enregistré</translation>
    </message>
    <message>
        <source>Log rotate</source>
        <translation>Rotation du journal</translation>
    </message>
    <message>
        <source>enable logfile rotation</source>
        <translation>active la rotation du fichier journal</translation>
    </message>
    <message>
        <source>Syslog</source>
        <translation>Syslog</translation>
    </message>
    <message>
        <source>Send the log to the syslog server</source>
        <translation>Envoie le journal au serveur syslog</translation>
    </message>
    <message>
        <source>Log handler:</source>
        <translation>Gestionnaire de journal :</translation>
    </message>
    <message>
        <source>setup a handler at LEVEL for a given PREFIX (PREFIX:LEVEL). An empty PREFIX indicates the root logger. This option can be repeated. Example: &quot;velt.orm:DEBUG&quot; or &quot;werkzeug:CRITICAL&quot; (default: &quot;:INFO&quot;)</source>
        <translation>définit un gestionnaire au NIVEAU donné pour un PRÉFIXE (PRÉFIXE:NIVEAU). Un PRÉFIXE vide désigne le journal racine. Cette option peut être répétée. Exemple : &quot;velt.orm:DEBUG&quot; ou &quot;werkzeug:CRITICAL&quot; (par défaut : &quot;:INFO&quot;)</translation>
    </message>
    <message>
        <source>Log DB:</source>
        <translation>Base du journal :</translation>
    </message>
    <message>
        <source>Log DB level:</source>
        <translation>Niveau du journal en base :</translation>
    </message>
    <message>
        <source>Logging database level</source>
        <translation>Niveau de journalisation en base de données</translation>
    </message>
    <message>
        <source>SMTP Configuration</source>
        <translation>Configuration SMTP</translation>
    </message>
    <message>
        <source>Email from:</source>
        <translation>Adresse de l&apos;expéditeur :</translation>
    </message>
    <message>
        <source>Specify the SMTP email address for sending email</source>
        <translation>Adresse électronique SMTP d&apos;envoi des courriels</translation>
    </message>
    <message>
        <source>smtp server:</source>
        <translation>serveur smtp :</translation>
    </message>
    <message>
        <source>Specify the SMTP server for sending email</source>
        <translation>Serveur SMTP d&apos;envoi des courriels</translation>
    </message>
    <message>
        <source>smtp port:</source>
        <translation>port smtp :</translation>
    </message>
    <message>
        <source>Specify the SMTP port</source>
        <translation>Port SMTP</translation>
    </message>
    <message>
        <source>smtp SSL</source>
        <translation>smtp SSL</translation>
    </message>
    <message>
        <source>if checked, SMTP connections will be encrypted with SSL (StartSSL)</source>
        <translation>si coché, les connexions SMTP sont chiffrées avec SSL (StartSSL)</translation>
    </message>
    <message>
        <source>smtp user:</source>
        <translation>utilisateur smtp :</translation>
    </message>
    <message>
        <source>Specify the SMTP username for sending email</source>
        <translation>Nom d&apos;utilisateur SMTP pour l&apos;envoi des courriels</translation>
    </message>
    <message>
        <source>smtp password:</source>
        <translation>mot de passe smtp :</translation>
    </message>
    <message>
        <source>Specify the SMTP password for sending email</source>
        <translation>Mot de passe SMTP pour l&apos;envoi des courriels</translation>
    </message>
    <message>
        <source>Database related options</source>
        <translation>Options de base de données</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Utilisateur :</translation>
    </message>
    <message>
        <source>Specify the database user name</source>
        <translation>Nom d&apos;utilisateur de la base de données</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Specify the database password</source>
        <translation>Mot de passe de la base de données</translation>
    </message>
    <message>
        <source>pg path:</source>
        <translation>chemin pg :</translation>
    </message>
    <message>
        <source>Specify the pg executable path</source>
        <translation>Chemin des exécutables pg</translation>
    </message>
    <message>
        <source>db host:</source>
        <translation>hôte de la base :</translation>
    </message>
    <message>
        <source>Specify the database host</source>
        <translation>Hôte de la base de données</translation>
    </message>
    <message>
        <source>db port:</source>
        <translation>port de la base :</translation>
    </message>
    <message>
        <source>Specify the database port</source>
        <translation>Port de la base de données</translation>
    </message>
    <message>
        <source>db ssl mode:</source>
        <translation>mode ssl de la base :</translation>
    </message>
    <message>
        <source>Specify the database ssl connection mode (see PostgreSQL documentation)</source>
        <translation>Mode de connexion ssl à la base de données (voir la documentation de PostgreSQL)</translation>
    </message>
    <message>
        <source>db max 
connections:</source>
        <translation>connexions max 
à la base :</translation>
    </message>
    <message>
        <source>Specify the maximum number of physical connections</source>
        <translation>Nombre maximal de connexions physiques</translation>
    </message>
    <message>
        <source>db template:</source>
        <translation>modèle de base :</translation>
    </message>
    <message>
        <source>Specify a custom database template to create a new database</source>
        <translation>Modèle de base personnalisé pour créer une nouvelle base</translation>
    </message>
    <message>
        <source>Internationalisation options:</source>
        <translation>Options d&apos;internationalisation :</translation>
    </message>
    <message>
        <source>load language:</source>
        <translation>charger la langue :</translation>
    </message>
    <message>
        <source>Specifies the languages for the translations you want to be loaded</source>
        <translation>Langues des traductions à charger</translation>
    </message>
    <message>
        <source>language:</source>
        <translation>langue :</translation>
    </message>
    <message>
        <source>Specify the language of the translation file. Use it with --il8nexport or --il8n-import</source>
        <translation>Langue du fichier de traduction. À utiliser avec --il8nexport ou --il8n-import</translation>
    </message>
    <message>
        <source>il8n export:</source>
        <translation>export il8n :</translation>
    </message>
    <message>
        <source>Export all sentences to be translated to a CSV file, a PO file or a TGZ archive and exit</source>
        <translation>Exporte toutes les phrases à traduire vers un fichier CSV, un fichier PO ou une archive TGZ, puis quitte</translation>
    </message>
    <message>
        <source>il8n import:</source>
        <translation>import il8n :</translation>
    </message>
    <message>
        <source>import a CSV or a PO file with translations and exit. The -l (language) option is required</source>
        <translation>importe un fichier CSV ou PO de traductions, puis quitte. L&apos;option -l (langue) est obligatoire</translation>
    </message>
    <message>
        <source>il8n overwrite</source>
        <translation>écraser il8n</translation>
    </message>
    <message>
        <source>Overwrites existing translation terms on updating a module or importing a CSV or a PO file</source>
        <translation>Remplace les traductions existantes lors de la mise à jour d&apos;un module ou de l&apos;import d&apos;un fichier CSV ou PO</translation>
    </message>
    <message>
        <source>modules:</source>
        <translation>modules :</translation>
    </message>
    <message>
        <source>Specify modules to export. Use in combination with --il8n-export</source>
        <translation>Modules à exporter. À utiliser avec --il8n-export</translation>
    </message>
    <message>
        <source>Multiprocessing options</source>
        <translation>Options multiprocessus</translation>
    </message>
    <message>
        <source>Workers:</source>
        <translation>Workers :</translation>
    </message>
    <message>
        <source>Specify the number of workers, 0 disable prefork mode.</source>
        <translation>Nombre de workers, 0 désactive le mode prefork.</translation>
    </message>
    <message>
        <source>limit memory soft:</source>
        <translation>limite mémoire souple :</translation>
    </message>
    <message>
        <source>Maximum allowed virtual memory per worker, when reached the worker be reset after the current request (default 671088640 aka 640MB)</source>
        <translation>Mémoire virtuelle maximale par worker ; une fois atteinte, le worker est réinitialisé après la requête en cours (par défaut 671088640, soit 640 Mo)</translation>
    </message>
    <message>
        <source>limit memory hard:</source>
        <translation>limite mémoire stricte :</translation>
    </message>
    <message>
        <source>Maximum allowed virtual memory per worker, when reached, any memory allocation will fail (default 805306368 aka 768MB).</source>
        <translation>Mémoire virtuelle maximale par worker ; une fois atteinte, toute allocation mémoire échoue (par défaut 805306368, soit 768 Mo).</translation>
    </message>
    <message>
        <source>limit time cpu:</source>
        <translation>limite de temps cpu :</translation>
    </message>
    <message>
        <source>Maximum allowed CPU time per request (default 60)</source>
        <translation>Temps CPU maximal par requête (par défaut 60)</translation>
    </message>
    <message>
        <source>limit time real:</source>
        <translation>limite de temps réel :</translation>
    </message>
    <message>
        <source>Maximum allowed Real time per request (default 120)</source>
        <translation>Temps réel maximal par requête (par défaut 120)</translation>
    </message>
    <message>
        <source>limit time real cron:</source>
        <translation>limite de temps réel cron :</translation>
    </message>
    <message>
        <source>Maximum allowed Real time per request (default: limit time real). Set to 0 for no limit</source>
        <translation>Temps réel maximal par requête (par défaut : limite de temps réel). 0 pour aucune limite</translation>
    </message>
    <message>
        <source>limit request:</source>
        <translation>limite de requêtes :</translation>
    </message>
    <message>
        <source>Maximum number of request to be processed per worker (default 8192)</source>
        <translation>Nombre maximal de requêtes traitées par worker (par défaut 8192)</translation>
    </message>
    <message>
        <source>Advanced options</source>
        <translation>Options avancées</translation>
    </message>
    <message>
        <source>dev mode:</source>
        <translation>mode dev :</translation>
    </message>
    <message>
        <source>Enable developper mode</source>
        <translation>Active le mode développeur</translation>
    </message>
    <message>
        <source>all</source>
        <translation>all</translation>
    </message>
    <message>
        <source>debugger</source>
        <translation>débogueur</translation>
    </message>
    <message>
        <source>reload</source>
        <translation>reload</translation>
    </message>
    <message>
        <source>qweb</source>
        <translation>qweb</translation>
    </message>
    <message>
        <source>xml</source>
        <translation>xml</translation>
    </message>
    <message>
        <source>werkzeug</source>
        <translation>werkzeug</translation>
    </message>
    <message>
        <source>Stop after init</source>
        <translation>Arrêter après l&apos;initialisation</translation>
    </message>
    <message>
        <source>Stop the server its initialization</source>
        <translation>Arrête le serveur après son initialisation</translation>
    </message>
    <message>
        <source>unaccent</source>
        <translation>unaccent</translation>
    </message>
    <message>
        <source>Use the unaccent function provided by the database when available</source>
        <translation>Utilise la fonction unaccent de la base de données quand elle existe</translation>
    </message>
    <message>
        <source>shell interface:</source>
        <translation>interface du shell :</translation>
    </message>
    <message>
        <source>Specify a preferred REPL to use in shell mode.</source>
        <translation>REPL préféré en mode shell.</translation>
    </message>
    <message>
        <source>osv memory count limit:</source>
        <translation>limite du nombre osv memory :</translation>
    </message>
    <message>
        <source>Force a limit on the maximum of records kept in the virtual osv_memory tables. The default is False, wich means no count-based limit</source>
        <translation>Impose un nombre maximal d&apos;enregistrements dans les tables virtuelles osv_memory. Par défaut False, c&apos;est-à-dire sans limite de nombre</translation>
    </message>
    <message>
        <source>osv memory age limit:</source>
        <translation>limite d&apos;âge osv memory :</translation>
    </message>
    <message>
        <source>Force a limit on the maximum age of records kept in the virtual osv_memory tables. This is a decimal value expressed in hours, and the default is 1 hour.</source>
        <translation>Impose un âge maximal aux enregistrements des tables virtuelles osv_memory. Valeur décimale en heures, 1 heure par défaut.</translation>
    </message>
    <message>
        <source>max cron threads:</source>
        <translation>threads cron max :</translation>
    </message>
    <message>
        <source>Maximum number of threads processing concurrently cron jobs (default 2)</source>
        <translation>Nombre maximal de threads traitant les tâches cron en parallèle (par défaut 2)</translation>
    </message>
    <message>
        <source>geoip database:</source>
        <translation>base geoip :</translation>
    </message>
    <message>
        <source>Absolute path to the GeoIP database file.</source>
        <translation>Chemin absolu du fichier de base de données GeoIP.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Sorry, but the config has unknown values... check if your configuration still work! (</source>
        <translation>Désolé, la configuration contient des valeurs inconnues... vérifiez qu&apos;elle fonctionne toujours ! (</translation>
    </message>
    <message>
        <source>Configuration save detected</source>
        <translation>Configuration enregistrée détectée</translation>
    </message>
    <message>
        <source>Be careful, you have saved a configuration in ~/.veltrc. This can break the velt shell.</source>
        <translation>Attention, vous avez enregistré une configuration dans ~/.veltrc. Cela peut casser le shell velt.</translation>
    </message>
    <message>
        <source>Please provide minimum one DB to launch the server!</source>
        <translation>Veuillez indiquer au moins une base de données pour lancer le serveur !</translation>
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
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>reading the clones</source>
        <translation>lecture des clones</translation>
    </message>
    <message>
        <source>No prompt</source>
        <translation>Pas d&apos;invite</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: no shell prompt came back within %2 seconds after the line
%3
Look in the server terminal whether that line still runs or waits for an answer (a password, a question), and whether the shell shows its prompt; then try again.</source>
        <translation>« %1 » a été arrêté : aucune invite du shell n&apos;est revenue dans les %2 secondes après la ligne
%3
Regardez dans le terminal du serveur si cette ligne tourne encore ou attend une réponse (un mot de passe, une question), et si le shell affiche son invite ; puis réessayez.</translation>
    </message>
    <message>
        <source>Server not stopped</source>
        <translation>Serveur non arrêté</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: what runs in the server terminal did not stop on Ctrl+C within %2 seconds. End it in the terminal (a debugger or a Python shell has its own command to quit), then try again.</source>
        <translation>« %1 » a été arrêté : ce qui tourne dans le terminal du serveur ne s&apos;est pas arrêté sur Ctrl+C en %2 secondes. Terminez-le dans le terminal (un débogueur ou un shell Python a sa propre commande pour quitter), puis réessayez.</translation>
    </message>
    <message>
        <source>Shell ended</source>
        <translation>Shell terminé</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was stopped: the shell of the server terminal ended. The next operation of this tab starts a new one.</source>
        <translation>« %1 » a été arrêté : le shell du terminal du serveur s&apos;est terminé. La prochaine opération de cet onglet en démarre un nouveau.</translation>
    </message>
</context>
<context>
    <name>SettingsReporter</name>
    <message>
        <source>Settings file unreadable</source>
        <translation>Fichier de configuration illisible</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2.

The launcher goes on with the default settings and will not save over that file until it is restarted.</source>
        <translation>Le fichier de configuration %1 ne peut pas être lu : %2.

Le lanceur continue avec la configuration par défaut et n&apos;écrira pas par-dessus ce fichier avant son redémarrage.</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Configuration non enregistrée</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2.

Your changes are kept until the launcher is closed. Later failures are only reported on the standard error output.</source>
        <translation>La configuration n&apos;a pas pu être enregistrée dans %1 : %2.

Vos modifications sont conservées jusqu&apos;à la fermeture du lanceur. Les échecs suivants sont signalés uniquement sur la sortie d&apos;erreur standard.</translation>
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
        <translation>Afficher l&apos;état du lanceur</translation>
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
    <name>UpdateStep</name>
    <message>
        <source>update</source>
        <translation>mise à jour</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download it?</source>
        <translation>Une mise à jour est disponible. Voulez-vous la télécharger ?</translation>
    </message>
    <message>
        <source>Update not started</source>
        <translation>Mise à jour non lancée</translation>
    </message>
    <message>
        <source>The launcher goes on with the current version.</source>
        <translation>Le lanceur continue avec la version actuelle.</translation>
    </message>
    <message>
        <source>The update was cancelled.</source>
        <translation>La mise à jour a été annulée.</translation>
    </message>
    <message>
        <source>The new upgrader did not arrive in time.</source>
        <translation>Le nouveau programme de mise à jour n&apos;est pas arrivé à temps.</translation>
    </message>
    <message>
        <source>The new upgrader could not be fetched: %1</source>
        <translation>Le nouveau programme de mise à jour n&apos;a pas pu être téléchargé : %1</translation>
    </message>
</context>
<context>
    <name>UpdateStepWindow</name>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Fetching the new upgrader...</source>
        <translation>Téléchargement du nouveau programme de mise à jour...</translation>
    </message>
    <message>
        <source>Waiting for the upgrader: give the superuser&apos;s password when asked, then follow the upgrader&apos;s window until it ends.</source>
        <translation>En attente du programme de mise à jour : donnez le mot de passe du superutilisateur quand il est demandé, puis suivez la fenêtre du programme de mise à jour jusqu&apos;à la fin.</translation>
    </message>
</context>
<context>
    <name>UpgraderLaunch</name>
    <message>
        <source>The upgrader cannot be started: gksudo was not found. Install the launcher again, or put gksudo on the PATH.</source>
        <translation>Le programme de mise à jour ne peut pas être lancé : gksudo est introuvable. Réinstallez le lanceur, ou placez gksudo dans le PATH.</translation>
    </message>
    <message>
        <source>The upgrader cannot be started: %1 is missing or not executable.</source>
        <translation>Le programme de mise à jour ne peut pas être lancé : %1 est absent ou n&apos;est pas exécutable.</translation>
    </message>
    <message>
        <source>The upgrader cannot be started: the shell could not be run.</source>
        <translation>Le programme de mise à jour ne peut pas être lancé : le shell n&apos;a pas pu être exécuté.</translation>
    </message>
    <message>
        <source>The upgrader did not run with superuser rights: the password was refused, the request dismissed, or the upgrader failed (gksudo ended with status %1).</source>
        <translation>Le programme de mise à jour n&apos;a pas tourné avec les droits du superutilisateur : le mot de passe a été refusé, la demande annulée, ou le programme a échoué (gksudo s&apos;est terminé avec le code %1).</translation>
    </message>
    <message>
        <source>The upgrader did not end in time: the launcher stopped waiting for it and counts the update as failed. Start the launcher again once the upgrader&apos;s window is closed.</source>
        <translation>Le programme de mise à jour ne s&apos;est pas terminé à temps : le lanceur a cessé de l&apos;attendre et considère la mise à jour comme échouée. Relancez le lanceur une fois la fenêtre du programme de mise à jour fermée.</translation>
    </message>
    <message>
        <source>The update was cancelled while the launcher waited for the upgrader.</source>
        <translation>La mise à jour a été annulée pendant que le lanceur attendait le programme de mise à jour.</translation>
    </message>
</context>
<context>
    <name>WaitingPageNote</name>
    <message>
        <source>This workspace opens once &quot;%1&quot; has ended.</source>
        <translation>Cet espace de travail s&apos;ouvrira une fois « %1 » terminé.</translation>
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
        <translation>Les 26 espaces de serveur sont utilisés. Supprimez-en un avant d&apos;en créer un autre.</translation>
    </message>
    <message>
        <source>Do you want to copy the server A or clone a server from github?</source>
        <translation>Voulez-vous copier le serveur A ou cloner un serveur depuis GitHub ?</translation>
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
    <message>
        <source>server %1</source>
        <translation>serveur %1</translation>
    </message>
    <message>
        <source>The workspace folder %1 cannot be created.</source>
        <translation>Le dossier des espaces de serveur %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>%1 is not a folder: it was left in place.</source>
        <translation>%1 n&apos;est pas un dossier : il a été laissé en place.</translation>
    </message>
</context>
</TS>
