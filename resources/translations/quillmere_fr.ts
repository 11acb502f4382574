<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AIEditorPage</name>
    <message>
        <source>AI Editor</source>
        <translation>Éditeur d&apos;IA</translation>
    </message>
</context>
<context>
    <name>AIHandler</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Player Guide</source>
        <translation>Guide du joueur</translation>
    </message>
</context>
<context>
    <name>AiProjectVersionTreeView</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>AiProjectsPage</name>
    <message>
        <source>AI Projects</source>
        <translation>Projets d&apos;IA</translation>
    </message>
</context>
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>VOUS</translation>
    </message>
</context>
<context>
    <name>CampaignMissionDataPage</name>
    <message>
        <source>Campaign Mission</source>
        <translation>Mission de campagne</translation>
    </message>
</context>
<context>
    <name>CampaignMissionListPage</name>
    <message>
        <source>Campaign</source>
        <translation>Campagne</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesModal</name>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Checking for Updates...</source>
        <translation>Recherche de mises à jour...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>There&apos;s a new version of lobby available</source>
        <translation>Une nouvelle version du lobby est disponible</translation>
    </message>
    <message>
        <source>Update now to get the latest features and improvements</source>
        <translation>Mettez à jour maintenant pour profiter des dernières fonctionnalités et améliorations</translation>
    </message>
    <message>
        <source>You are using the latest version of lobby.</source>
        <translation>Vous utilisez la dernière version du lobby.</translation>
    </message>
    <message>
        <source>An error occurred while checking for a software update.</source>
        <translation>Une erreur s&apos;est produite lors de la recherche d&apos;une mise à jour.</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
</context>
<context>
    <name>CustomAITreeView</name>
    <message>
        <source>AI Name</source>
        <translation>Nom de l&apos;IA</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronisé</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>Non synchronisé</translation>
    </message>
</context>
<context>
    <name>DisplayResolutionList</name>
    <message>
        <source>Custom</source>
        <translation>Autre</translation>
    </message>
</context>
<context>
    <name>EngineVersionTreeView</name>
    <message>
        <source>Engine Version</source>
        <translation>Version du moteur</translation>
    </message>
</context>
<context>
    <name>ExtrasPage</name>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
</context>
<context>
    <name>GameSettingsPage</name>
    <message>
        <source>Game Settings</source>
        <translation>Paramètres du jeu</translation>
    </message>
</context>
<context>
    <name>GameTestsPage</name>
    <message>
        <source>Game Tests</source>
        <translation>Tests du jeu</translation>
    </message>
</context>
<context>
    <name>GameVersionTreeView</name>
    <message>
        <source>Game Version</source>
        <translation>Version du jeu</translation>
    </message>
</context>
<context>
    <name>ListChoiceModal</name>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>Menu principal</translation>
    </message>
    <message>
        <source>Single Player</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Quick Skirmish</source>
        <translation>Escarmouche rapide</translation>
    </message>
    <message>
        <source>Custom Skirmish</source>
        <translation>Escarmouche personnalisée</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Rediffusions</translation>
    </message>
    <message>
        <source>Multiplayer</source>
        <translation>Multijoueur</translation>
    </message>
    <message>
        <source>Lobby Server</source>
        <translation>Serveur du lobby</translation>
    </message>
    <message>
        <source>Custom Server</source>
        <translation>Serveur personnalisé</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Developers</source>
        <translation>Développeurs</translation>
    </message>
    <message>
        <source>AI Projects</source>
        <translation>Projets d&apos;IA</translation>
    </message>
    <message>
        <source>Game Tests</source>
        <translation>Tests du jeu</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>MapsTreeView</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Map Name</source>
        <translation>Nom de la carte</translation>
    </message>
    <message>
        <source>Minimap</source>
        <translation>Minicarte</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Map Size</source>
        <translation>Taille de la carte</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Vent</translation>
    </message>
    <message>
        <source>Map Wind Strength</source>
        <translation>Force du vent sur la carte</translation>
    </message>
    <message>
        <source>Tidal</source>
        <translation>Marée</translation>
    </message>
    <message>
        <source>Map Tidal Strength</source>
        <translation>Force des marées sur la carte</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>Métal</translation>
    </message>
    <message>
        <source>Map Metal Capacity</source>
        <translation>Quantité de métal sur la carte</translation>
    </message>
</context>
<context>
    <name>MinimapDataWidget</name>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Split Map Horizontally</source>
        <translation>Diviser la carte horizontalement</translation>
    </message>
    <message>
        <source>Split Map Vertically</source>
        <translation>Diviser la carte verticalement</translation>
    </message>
    <message>
        <source>Split Map Diagonally</source>
        <translation>Diviser la carte en diagonale</translation>
    </message>
    <message>
        <source>Split Map Center</source>
        <translation>Diviser la carte au milieu des bords</translation>
    </message>
</context>
<context>
    <name>MissionEditorPage</name>
    <message>
        <source>Mission Editor</source>
        <translation>Éditeur de missions</translation>
    </message>
</context>
<context>
    <name>MissionListPage</name>
    <message>
        <source>Mission</source>
        <translation>Mission</translation>
    </message>
</context>
<context>
    <name>MissionsCampaignHandler</name>
    <message>
        <source>First Light</source>
        <translation>Premières lueurs</translation>
    </message>
    <message>
        <source>The Iron Ford</source>
        <translation>Le Gué de fer</translation>
    </message>
    <message>
        <source>Ashes of Morvantis</source>
        <translation>Les Cendres de Morvantis</translation>
    </message>
</context>
<context>
    <name>MissionsHandler</name>
    <message>
        <source>Mission</source>
        <translation>Mission</translation>
    </message>
</context>
<context>
    <name>MissionsTutorialHandler</name>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
</context>
<context>
    <name>ModalPage</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
</context>
<context>
    <name>NSettingsSlider</name>
    <message>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
</context>
<context>
    <name>NotInSyncModal</name>
    <message>
        <source>Your Status - Not In Sync</source>
        <translation>Votre statut - non synchronisé</translation>
    </message>
    <message>
        <source>Battle In Sync Validation</source>
        <translation>Vérification de la synchronisation</translation>
    </message>
    <message>
        <source>Map Info</source>
        <translation>Infos sur la carte</translation>
    </message>
    <message>
        <source>To start the Battle you should download all of the above
Your download will start automatically</source>
        <translation>Pour lancer la bataille, vous devez télécharger tout ce qui précède
Le téléchargement démarrera automatiquement</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronisé</translation>
    </message>
    <message>
        <source>Not Synced</source>
        <translation>Non synchronisé</translation>
    </message>
</context>
<context>
    <name>PlayerGuidePage</name>
    <message>
        <source>Player Guide</source>
        <translation>Guide du joueur</translation>
    </message>
</context>
<context>
    <name>PlayerInfoModal</name>
    <message>
        <source>Player&apos;s Profile</source>
        <translation>Profil du joueur</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Heure locale</translation>
    </message>
</context>
<context>
    <name>QuitConfirmModal</name>
    <message>
        <source>Do you really want to quit?</source>
        <translation>Voulez-vous vraiment quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ReplaysManager</name>
    <message>
        <source>DUEL</source>
        <translation>DUEL</translation>
    </message>
</context>
<context>
    <name>ReplaysPage</name>
    <message>
        <source>Replays</source>
        <translation>Rediffusions</translation>
    </message>
</context>
<context>
    <name>ScreenResolutionTreeView</name>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>Résolution de l&apos;écran</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Screen Resolution Ratio</source>
        <translation>Format de l&apos;écran</translation>
    </message>
</context>
<context>
    <name>SelectAIModal</name>
    <message>
        <source>Select AI to play with</source>
        <translation>Choisir l&apos;IA avec qui jouer</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Insane</source>
        <translation>Démentiel</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisées</translation>
    </message>
</context>
<context>
    <name>SelectAISideModal</name>
    <message>
        <source>Select AI&apos;s side</source>
        <translation>Choisir le camp de l&apos;IA</translation>
    </message>
</context>
<context>
    <name>SelectAiProjectVersionModal</name>
    <message>
        <source>Select Ai Project Version</source>
        <translation>Choisir la version du projet d&apos;IA</translation>
    </message>
</context>
<context>
    <name>SelectColorModal</name>
    <message>
        <source>Select AI&apos;s color</source>
        <translation>Choisir la couleur de l&apos;IA</translation>
    </message>
    <message>
        <source>Select Player&apos;s color</source>
        <translation>Choisir la couleur du joueur</translation>
    </message>
</context>
<context>
    <name>SelectDifficultModal</name>
    <message>
        <source>Select AI&apos;s Difficult</source>
        <translation>Choisir la difficulté de l&apos;IA</translation>
    </message>
</context>
<context>
    <name>SelectEngineVersionModal</name>
    <message>
        <source>Select Engine Version</source>
        <translation>Choisir la version du moteur</translation>
    </message>
</context>
<context>
    <name>SelectGameVersionModal</name>
    <message>
        <source>Select Game Version</source>
        <translation>Choisir la version du jeu</translation>
    </message>
</context>
<context>
    <name>SelectLanguageModal</name>
    <message>
        <source>Select Language</source>
        <translation>Choisir la langue</translation>
    </message>
    <message>
        <source>The language choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Le choix de la langue n&apos;a pas pu être enregistré dans %1. Le lobby ne redémarre pas.</translation>
    </message>
</context>
<context>
    <name>SelectMapModal</name>
    <message>
        <source>Select Map</source>
        <translation>Choisir la carte</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SelectPlayGameModal</name>
    <message>
        <source>Select Game</source>
        <translation>Choisir le jeu</translation>
    </message>
    <message>
        <source>After select lobby is going to restart automatically</source>
        <translation>Après le choix, le lobby redémarrera automatiquement</translation>
    </message>
    <message>
        <source>The game choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Le choix du jeu n&apos;a pas pu être enregistré dans %1. Le lobby ne redémarre pas.</translation>
    </message>
</context>
<context>
    <name>SelectScreenResolutionModal</name>
    <message>
        <source>Select Screen Resolution</source>
        <translation>Choisir la résolution de l&apos;écran</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SelectSideModal</name>
    <message>
        <source>Select Player&apos;s Side</source>
        <translation>Choisir le camp du joueur</translation>
    </message>
</context>
<context>
    <name>SelectStartPositionModal</name>
    <message>
        <source>Select Start Position</source>
        <translation>Choisir la position de départ</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Fixe</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Aléatoire</translation>
    </message>
    <message>
        <source>Choose In Game</source>
        <translation>Choisir en jeu</translation>
    </message>
</context>
<context>
    <name>SelectTauntModal</name>
    <message>
        <source>Select Taunt</source>
        <translation>Choisir une provocation</translation>
    </message>
</context>
<context>
    <name>SendLogModal</name>
    <message>
        <source>Send Logs to developers</source>
        <translation>Envoyer les journaux aux développeurs</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>To make a screenshot of the game or lobby - press &apos;F12&apos;&apos; key</source>
        <translation>Pour une capture d&apos;écran du jeu ou du lobby, appuyez sur la touche &apos;F12&apos;</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Describe your problem</source>
        <translation>Décrivez votre problème</translation>
    </message>
    <message>
        <source>Game LOG</source>
        <translation>Journal du jeu</translation>
    </message>
    <message>
        <source>Lobby LOG</source>
        <translation>Journal du lobby</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Game Screenshot</source>
        <translation>Capture du jeu</translation>
    </message>
    <message>
        <source>Lobby Screenshot</source>
        <translation>Capture du lobby</translation>
    </message>
    <message>
        <source>Sending LOGs</source>
        <translation>Envoi des journaux</translation>
    </message>
    <message>
        <source>LOGs sent</source>
        <translation>Journaux envoyés</translation>
    </message>
    <message>
        <source>Error, LOGs not sent</source>
        <translation>Erreur, journaux non envoyés</translation>
    </message>
</context>
<context>
    <name>ShowChangeLogModal</name>
    <message>
        <source>Change Log</source>
        <translation>Journal des modifications</translation>
    </message>
    <message>
        <source>Lobby Change LOG</source>
        <translation>Journal des modifications du lobby</translation>
    </message>
</context>
<context>
    <name>SimplePage</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>SkirmishCustomPage</name>
    <message>
        <source>Custom Skirmish</source>
        <translation>Escarmouche personnalisée</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickHandler</name>
    <message>
        <source>No Name</source>
        <translation>Sans nom</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickPage</name>
    <message>
        <source>Quick Skirmish</source>
        <translation>Escarmouche rapide</translation>
    </message>
</context>
<context>
    <name>SpringLoginPage</name>
    <message>
        <source>Multiplayer</source>
        <translation>Multijoueur</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Connexion</translation>
    </message>
</context>
<context>
    <name>SpringLoginPageCustom</name>
    <message>
        <source>Custom Server</source>
        <translation>Serveur personnalisé</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Connexion</translation>
    </message>
</context>
<context>
    <name>SpringMainPage</name>
    <message>
        <source>Lobby</source>
        <translation>Lobby</translation>
    </message>
</context>
<context>
    <name>SteamLoginPage</name>
    <message>
        <source>Steam Login</source>
        <translation>Connexion Steam</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Connexion</translation>
    </message>
</context>
<context>
    <name>SyncStatus</name>
    <message>
        <source>Searching</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Téléchargement</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>Erreurs</translation>
    </message>
</context>
<context>
    <name>TauntsTreeView</name>
    <message>
        <source>Taunt Number</source>
        <translation>Numéro de la provocation</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Taunt Title</source>
        <translation>Titre de la provocation</translation>
    </message>
</context>
<context>
    <name>TutorialMissionDataPage</name>
    <message>
        <source>Tutorial Mission</source>
        <translation>Mission d&apos;entraînement</translation>
    </message>
</context>
<context>
    <name>TutorialMissionListPage</name>
    <message>
        <source>Tutorials</source>
        <translation>Tutoriels</translation>
    </message>
</context>
<context>
    <name>TypePasswordModal</name>
    <message>
        <source>Battle is password protected</source>
        <translation>La bataille est protégée par un mot de passe</translation>
    </message>
    <message>
        <source>Please enter the password:</source>
        <translation>Veuillez saisir le mot de passe&#xa0;:</translation>
    </message>
</context>
<context>
    <name>UTCTimeWidget</name>
    <message>
        <source>CET</source>
        <translation>HEC</translation>
    </message>
    <message>
        <source>Central European Time</source>
        <translation>Heure d&apos;Europe centrale</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Coordinated Universal Time</source>
        <translation>Temps universel coordonné</translation>
    </message>
    <message>
        <source>NOW</source>
        <translation>LOCALE</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Heure locale</translation>
    </message>
</context>
<context>
    <name>UpdatesPage</name>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
</context>
</TS>
