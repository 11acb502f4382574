<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AIEditorPage</name>
    <message>
        <source>AI Editor</source>
        <translation>KI-Editor</translation>
    </message>
</context>
<context>
    <name>AIHandler</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Player Guide</source>
        <translation>Spielerhandbuch</translation>
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
        <translation>KI-Projekte</translation>
    </message>
</context>
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>DU</translation>
    </message>
</context>
<context>
    <name>CampaignMissionDataPage</name>
    <message>
        <source>Campaign Mission</source>
        <translation>Kampagnenmission</translation>
    </message>
</context>
<context>
    <name>CampaignMissionListPage</name>
    <message>
        <source>Campaign</source>
        <translation>Kampagne</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesModal</name>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Checking for Updates...</source>
        <translation>Suche nach Updates...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>There&apos;s a new version of lobby available</source>
        <translation>Eine neue Version der Lobby ist verfügbar</translation>
    </message>
    <message>
        <source>Update now to get the latest features and improvements</source>
        <translation>Aktualisiere jetzt, um die neuesten Funktionen und Verbesserungen zu erhalten</translation>
    </message>
    <message>
        <source>You are using the latest version of lobby.</source>
        <translation>Du verwendest die neueste Version der Lobby.</translation>
    </message>
    <message>
        <source>An error occurred while checking for a software update.</source>
        <translation>Bei der Suche nach einem Update ist ein Fehler aufgetreten.</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
</context>
<context>
    <name>CustomAITreeView</name>
    <message>
        <source>AI Name</source>
        <translation>KI-Name</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronisiert</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>Nicht synchronisiert</translation>
    </message>
</context>
<context>
    <name>DisplayResolutionList</name>
    <message>
        <source>Custom</source>
        <translation>Andere</translation>
    </message>
</context>
<context>
    <name>EngineVersionTreeView</name>
    <message>
        <source>Engine Version</source>
        <translation>Engine-Version</translation>
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
        <translation>Spieleinstellungen</translation>
    </message>
</context>
<context>
    <name>GameTestsPage</name>
    <message>
        <source>Game Tests</source>
        <translation>Spieltests</translation>
    </message>
</context>
<context>
    <name>GameVersionTreeView</name>
    <message>
        <source>Game Version</source>
        <translation>Spielversion</translation>
    </message>
</context>
<context>
    <name>ListChoiceModal</name>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>Single Player</source>
        <translation>Einzelspieler</translation>
    </message>
    <message>
        <source>Quick Skirmish</source>
        <translation>Schnelles Gefecht</translation>
    </message>
    <message>
        <source>Custom Skirmish</source>
        <translation>Eigenes Gefecht</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Wiederholungen</translation>
    </message>
    <message>
        <source>Multiplayer</source>
        <translation>Mehrspieler</translation>
    </message>
    <message>
        <source>Lobby Server</source>
        <translation>Lobby-Server</translation>
    </message>
    <message>
        <source>Custom Server</source>
        <translation>Eigener Server</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Developers</source>
        <translation>Entwickler</translation>
    </message>
    <message>
        <source>AI Projects</source>
        <translation>KI-Projekte</translation>
    </message>
    <message>
        <source>Game Tests</source>
        <translation>Spieltests</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>MapsTreeView</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Map Name</source>
        <translation>Kartenname</translation>
    </message>
    <message>
        <source>Minimap</source>
        <translation>Minikarte</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Map Size</source>
        <translation>Kartengröße</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Wind</translation>
    </message>
    <message>
        <source>Map Wind Strength</source>
        <translation>Windstärke der Karte</translation>
    </message>
    <message>
        <source>Tidal</source>
        <translation>Gezeiten</translation>
    </message>
    <message>
        <source>Map Tidal Strength</source>
        <translation>Gezeitenstärke der Karte</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>Metall</translation>
    </message>
    <message>
        <source>Map Metal Capacity</source>
        <translation>Metallvorkommen der Karte</translation>
    </message>
</context>
<context>
    <name>MinimapDataWidget</name>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Split Map Horizontally</source>
        <translation>Karte waagerecht teilen</translation>
    </message>
    <message>
        <source>Split Map Vertically</source>
        <translation>Karte senkrecht teilen</translation>
    </message>
    <message>
        <source>Split Map Diagonally</source>
        <translation>Karte diagonal teilen</translation>
    </message>
    <message>
        <source>Split Map Center</source>
        <translation>Karte an den Seitenmitten teilen</translation>
    </message>
</context>
<context>
    <name>MissionEditorPage</name>
    <message>
        <source>Mission Editor</source>
        <translation>Missionseditor</translation>
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
        <translation>Erstes Licht</translation>
    </message>
    <message>
        <source>The Iron Ford</source>
        <translation>Die Eiserne Furt</translation>
    </message>
    <message>
        <source>Ashes of Morvantis</source>
        <translation>Die Asche von Morvantis</translation>
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
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation>AN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
</context>
<context>
    <name>NSettingsSlider</name>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
</context>
<context>
    <name>NotInSyncModal</name>
    <message>
        <source>Your Status - Not In Sync</source>
        <translation>Dein Status - nicht synchron</translation>
    </message>
    <message>
        <source>Battle In Sync Validation</source>
        <translation>Synchronitätsprüfung der Schlacht</translation>
    </message>
    <message>
        <source>Map Info</source>
        <translation>Karteninfo</translation>
    </message>
    <message>
        <source>To start the Battle you should download all of the above
Your download will start automatically</source>
        <translation>Um die Schlacht zu starten, musst du alles oben Genannte herunterladen
Der Download startet automatisch</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronisiert</translation>
    </message>
    <message>
        <source>Not Synced</source>
        <translation>Nicht synchronisiert</translation>
    </message>
</context>
<context>
    <name>PlayerGuidePage</name>
    <message>
        <source>Player Guide</source>
        <translation>Spielerhandbuch</translation>
    </message>
</context>
<context>
    <name>PlayerInfoModal</name>
    <message>
        <source>Player&apos;s Profile</source>
        <translation>Spielerprofil</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Ortszeit</translation>
    </message>
</context>
<context>
    <name>QuitConfirmModal</name>
    <message>
        <source>Do you really want to quit?</source>
        <translation>Willst du wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>ReplaysManager</name>
    <message>
        <source>DUEL</source>
        <translation>DUELL</translation>
    </message>
</context>
<context>
    <name>ReplaysPage</name>
    <message>
        <source>Replays</source>
        <translation>Wiederholungen</translation>
    </message>
</context>
<context>
    <name>ScreenResolutionTreeView</name>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>Bildschirmauflösung</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Verhältnis</translation>
    </message>
    <message>
        <source>Screen Resolution Ratio</source>
        <translation>Seitenverhältnis des Bildschirms</translation>
    </message>
</context>
<context>
    <name>SelectAIModal</name>
    <message>
        <source>Select AI to play with</source>
        <translation>KI zum Mitspielen wählen</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Insane</source>
        <translation>Wahnsinnig</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
</context>
<context>
    <name>SelectAISideModal</name>
    <message>
        <source>Select AI&apos;s side</source>
        <translation>Seite der KI wählen</translation>
    </message>
</context>
<context>
    <name>SelectAiProjectVersionModal</name>
    <message>
        <source>Select Ai Project Version</source>
        <translation>Version des KI-Projekts wählen</translation>
    </message>
</context>
<context>
    <name>SelectColorModal</name>
    <message>
        <source>Select AI&apos;s color</source>
        <translation>Farbe der KI wählen</translation>
    </message>
    <message>
        <source>Select Player&apos;s color</source>
        <translation>Farbe des Spielers wählen</translation>
    </message>
</context>
<context>
    <name>SelectDifficultModal</name>
    <message>
        <source>Select AI&apos;s Difficult</source>
        <translation>Schwierigkeit der KI wählen</translation>
    </message>
</context>
<context>
    <name>SelectEngineVersionModal</name>
    <message>
        <source>Select Engine Version</source>
        <translation>Engine-Version wählen</translation>
    </message>
</context>
<context>
    <name>SelectGameVersionModal</name>
    <message>
        <source>Select Game Version</source>
        <translation>Spielversion wählen</translation>
    </message>
</context>
<context>
    <name>SelectLanguageModal</name>
    <message>
        <source>Select Language</source>
        <translation>Sprache wählen</translation>
    </message>
    <message>
        <source>The language choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Die Sprachauswahl konnte nicht in %1 gespeichert werden. Die Lobby wird nicht neu gestartet.</translation>
    </message>
</context>
<context>
    <name>SelectMapModal</name>
    <message>
        <source>Select Map</source>
        <translation>Karte wählen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SelectPlayGameModal</name>
    <message>
        <source>Select Game</source>
        <translation>Spiel wählen</translation>
    </message>
    <message>
        <source>After select lobby is going to restart automatically</source>
        <translation>Nach der Auswahl startet die Lobby automatisch neu</translation>
    </message>
    <message>
        <source>The game choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Die Spielauswahl konnte nicht in %1 gespeichert werden. Die Lobby wird nicht neu gestartet.</translation>
    </message>
</context>
<context>
    <name>SelectScreenResolutionModal</name>
    <message>
        <source>Select Screen Resolution</source>
        <translation>Bildschirmauflösung wählen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SelectSideModal</name>
    <message>
        <source>Select Player&apos;s Side</source>
        <translation>Seite des Spielers wählen</translation>
    </message>
</context>
<context>
    <name>SelectStartPositionModal</name>
    <message>
        <source>Select Start Position</source>
        <translation>Startposition wählen</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Fest</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Choose In Game</source>
        <translation>Im Spiel wählen</translation>
    </message>
</context>
<context>
    <name>SelectTauntModal</name>
    <message>
        <source>Select Taunt</source>
        <translation>Spott wählen</translation>
    </message>
</context>
<context>
    <name>SendLogModal</name>
    <message>
        <source>Send Logs to developers</source>
        <translation>Logs an die Entwickler senden</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>To make a screenshot of the game or lobby - press &apos;F12&apos;&apos; key</source>
        <translation>Für einen Screenshot des Spiels oder der Lobby drücke die Taste &apos;F12&apos;</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Describe your problem</source>
        <translation>Beschreibe dein Problem</translation>
    </message>
    <message>
        <source>Game LOG</source>
        <translation>Spiel-Log</translation>
    </message>
    <message>
        <source>Lobby LOG</source>
        <translation>Lobby-Log</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Game Screenshot</source>
        <translation>Screenshot des Spiels</translation>
    </message>
    <message>
        <source>Lobby Screenshot</source>
        <translation>Screenshot der Lobby</translation>
    </message>
    <message>
        <source>Sending LOGs</source>
        <translation>Logs werden gesendet</translation>
    </message>
    <message>
        <source>LOGs sent</source>
        <translation>Logs gesendet</translation>
    </message>
    <message>
        <source>Error, LOGs not sent</source>
        <translation>Fehler, Logs nicht gesendet</translation>
    </message>
</context>
<context>
    <name>ShowChangeLogModal</name>
    <message>
        <source>Change Log</source>
        <translation>Änderungsprotokoll</translation>
    </message>
    <message>
        <source>Lobby Change LOG</source>
        <translation>Änderungsprotokoll der Lobby</translation>
    </message>
</context>
<context>
    <name>SimplePage</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>SkirmishCustomPage</name>
    <message>
        <source>Custom Skirmish</source>
        <translation>Eigenes Gefecht</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickHandler</name>
    <message>
        <source>No Name</source>
        <translation>Namenlos</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickPage</name>
    <message>
        <source>Quick Skirmish</source>
        <translation>Schnelles Gefecht</translation>
    </message>
</context>
<context>
    <name>SpringLoginPage</name>
    <message>
        <source>Multiplayer</source>
        <translation>Mehrspieler</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Anmelden</translation>
    </message>
</context>
<context>
    <name>SpringLoginPageCustom</name>
    <message>
        <source>Custom Server</source>
        <translation>Eigener Server</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Anmelden</translation>
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
        <translation>Steam-Anmeldung</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Anmelden</translation>
    </message>
</context>
<context>
    <name>SyncStatus</name>
    <message>
        <source>Searching</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>Fehlerhaft</translation>
    </message>
</context>
<context>
    <name>TauntsTreeView</name>
    <message>
        <source>Taunt Number</source>
        <translation>Spottnummer</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Taunt Title</source>
        <translation>Titel des Spotts</translation>
    </message>
</context>
<context>
    <name>TutorialMissionDataPage</name>
    <message>
        <source>Tutorial Mission</source>
        <translation>Tutorial-Mission</translation>
    </message>
</context>
<context>
    <name>TutorialMissionListPage</name>
    <message>
        <source>Tutorials</source>
        <translation>Tutorials</translation>
    </message>
</context>
<context>
    <name>TypePasswordModal</name>
    <message>
        <source>Battle is password protected</source>
        <translation>Die Schlacht ist passwortgeschützt</translation>
    </message>
    <message>
        <source>Please enter the password:</source>
        <translation>Bitte gib das Passwort ein:</translation>
    </message>
</context>
<context>
    <name>UTCTimeWidget</name>
    <message>
        <source>CET</source>
        <translation>MEZ</translation>
    </message>
    <message>
        <source>Central European Time</source>
        <translation>Mitteleuropäische Zeit</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Coordinated Universal Time</source>
        <translation>Koordinierte Weltzeit</translation>
    </message>
    <message>
        <source>NOW</source>
        <translation>JETZT</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Ortszeit</translation>
    </message>
</context>
<context>
    <name>UpdatesPage</name>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
</context>
</TS>
