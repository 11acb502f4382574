<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs">
<context>
    <name>AIEditorPage</name>
    <message>
        <source>AI Editor</source>
        <translation>Editor AI</translation>
    </message>
</context>
<context>
    <name>AIHandler</name>
    <message>
        <source>Unknown</source>
        <translation>Neznámý</translation>
    </message>
</context>
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Player Guide</source>
        <translation>Příručka hráče</translation>
    </message>
</context>
<context>
    <name>AiProjectVersionTreeView</name>
    <message>
        <source>Version</source>
        <translation>Verze</translation>
    </message>
</context>
<context>
    <name>AiProjectsPage</name>
    <message>
        <source>AI Projects</source>
        <translation>Projekty AI</translation>
    </message>
</context>
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>TY</translation>
    </message>
</context>
<context>
    <name>CampaignMissionDataPage</name>
    <message>
        <source>Campaign Mission</source>
        <translation>Mise kampaně</translation>
    </message>
</context>
<context>
    <name>CampaignMissionListPage</name>
    <message>
        <source>Campaign</source>
        <translation>Kampaň</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesModal</name>
    <message>
        <source>Updates</source>
        <translation>Aktualizace</translation>
    </message>
    <message>
        <source>Checking for Updates...</source>
        <translation>Hledání aktualizací...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Stáhnout</translation>
    </message>
    <message>
        <source>There&apos;s a new version of lobby available</source>
        <translation>Je k dispozici nová verze lobby</translation>
    </message>
    <message>
        <source>Update now to get the latest features and improvements</source>
        <translation>Aktualizujte nyní a získejte nejnovější funkce a vylepšení</translation>
    </message>
    <message>
        <source>You are using the latest version of lobby.</source>
        <translation>Používáte nejnovější verzi lobby.</translation>
    </message>
    <message>
        <source>An error occurred while checking for a software update.</source>
        <translation>Při hledání aktualizace došlo k chybě.</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>Dnes</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Včera</translation>
    </message>
</context>
<context>
    <name>CustomAITreeView</name>
    <message>
        <source>AI Name</source>
        <translation>Název AI</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>Neznámý</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronizováno</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>Nesynchronizováno</translation>
    </message>
</context>
<context>
    <name>DisplayResolutionList</name>
    <message>
        <source>Custom</source>
        <translation>Jiný</translation>
    </message>
</context>
<context>
    <name>EngineVersionTreeView</name>
    <message>
        <source>Engine Version</source>
        <translation>Verze enginu</translation>
    </message>
</context>
<context>
    <name>ExtrasPage</name>
    <message>
        <source>Extras</source>
        <translation>Doplňky</translation>
    </message>
</context>
<context>
    <name>GameSettingsPage</name>
    <message>
        <source>Game Settings</source>
        <translation>Nastavení hry</translation>
    </message>
</context>
<context>
    <name>GameTestsPage</name>
    <message>
        <source>Game Tests</source>
        <translation>Testy hry</translation>
    </message>
</context>
<context>
    <name>GameVersionTreeView</name>
    <message>
        <source>Game Version</source>
        <translation>Verze hry</translation>
    </message>
</context>
<context>
    <name>ListChoiceModal</name>
    <message>
        <source>Select</source>
        <translation>Vybrat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>Hlavní nabídka</translation>
    </message>
    <message>
        <source>Single Player</source>
        <translation>Hra jednoho hráče</translation>
    </message>
    <message>
        <source>Quick Skirmish</source>
        <translation>Rychlá bitva</translation>
    </message>
    <message>
        <source>Custom Skirmish</source>
        <translation>Vlastní bitva</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Záznamy</translation>
    </message>
    <message>
        <source>Multiplayer</source>
        <translation>Hra více hráčů</translation>
    </message>
    <message>
        <source>Lobby Server</source>
        <translation>Server lobby</translation>
    </message>
    <message>
        <source>Custom Server</source>
        <translation>Vlastní server</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Nastavení</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Doplňky</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualizace</translation>
    </message>
    <message>
        <source>Developers</source>
        <translation>Pro vývojáře</translation>
    </message>
    <message>
        <source>AI Projects</source>
        <translation>Projekty AI</translation>
    </message>
    <message>
        <source>Game Tests</source>
        <translation>Testy hry</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Konec</translation>
    </message>
</context>
<context>
    <name>MapsTreeView</name>
    <message>
        <source>Name</source>
        <translation>Název</translation>
    </message>
    <message>
        <source>Map Name</source>
        <translation>Název mapy</translation>
    </message>
    <message>
        <source>Minimap</source>
        <translation>Minimapa</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Velikost</translation>
    </message>
    <message>
        <source>Map Size</source>
        <translation>Velikost mapy</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Vítr</translation>
    </message>
    <message>
        <source>Map Wind Strength</source>
        <translation>Síla větru na mapě</translation>
    </message>
    <message>
        <source>Tidal</source>
        <translation>Příliv</translation>
    </message>
    <message>
        <source>Map Tidal Strength</source>
        <translation>Síla přílivu na mapě</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>Kov</translation>
    </message>
    <message>
        <source>Map Metal Capacity</source>
        <translation>Zásoby kovu na mapě</translation>
    </message>
</context>
<context>
    <name>MinimapDataWidget</name>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>Split Map Horizontally</source>
        <translation>Rozdělit mapu vodorovně</translation>
    </message>
    <message>
        <source>Split Map Vertically</source>
        <translation>Rozdělit mapu svisle</translation>
    </message>
    <message>
        <source>Split Map Diagonally</source>
        <translation>Rozdělit mapu úhlopříčně</translation>
    </message>
    <message>
        <source>Split Map Center</source>
        <translation>Rozdělit mapu podle středů stran</translation>
    </message>
</context>
<context>
    <name>MissionEditorPage</name>
    <message>
        <source>Mission Editor</source>
        <translation>Editor misí</translation>
    </message>
</context>
<context>
    <name>MissionListPage</name>
    <message>
        <source>Mission</source>
        <translation>Mise</translation>
    </message>
</context>
<context>
    <name>MissionsCampaignHandler</name>
    <message>
        <source>First Light</source>
        <translation>První světlo</translation>
    </message>
    <message>
        <source>The Iron Ford</source>
        <translation>Železný brod</translation>
    </message>
    <message>
        <source>Ashes of Morvantis</source>
        <translation>Popel Morvantisu</translation>
    </message>
</context>
<context>
    <name>MissionsHandler</name>
    <message>
        <source>Mission</source>
        <translation>Mise</translation>
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
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
</context>
<context>
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation>ZAP</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>VYP</translation>
    </message>
</context>
<context>
    <name>NSettingsSlider</name>
    <message>
        <source>OFF</source>
        <translation>VYP</translation>
    </message>
</context>
<context>
    <name>NotInSyncModal</name>
    <message>
        <source>Your Status - Not In Sync</source>
        <translation>Váš stav - nesynchronizováno</translation>
    </message>
    <message>
        <source>Battle In Sync Validation</source>
        <translation>Kontrola synchronizace bitvy</translation>
    </message>
    <message>
        <source>Map Info</source>
        <translation>Informace o mapě</translation>
    </message>
    <message>
        <source>To start the Battle you should download all of the above
Your download will start automatically</source>
        <translation>Pro zahájení bitvy je třeba stáhnout vše výše uvedené
Stahování začne automaticky</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Zkusit znovu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synchronizováno</translation>
    </message>
    <message>
        <source>Not Synced</source>
        <translation>Nesynchronizováno</translation>
    </message>
</context>
<context>
    <name>PlayerGuidePage</name>
    <message>
        <source>Player Guide</source>
        <translation>Příručka hráče</translation>
    </message>
</context>
<context>
    <name>PlayerInfoModal</name>
    <message>
        <source>Player&apos;s Profile</source>
        <translation>Profil hráče</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Místní čas</translation>
    </message>
</context>
<context>
    <name>QuitConfirmModal</name>
    <message>
        <source>Do you really want to quit?</source>
        <translation>Opravdu chcete skončit?</translation>
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
        <translation>Záznamy</translation>
    </message>
</context>
<context>
    <name>ScreenResolutionTreeView</name>
    <message>
        <source>Resolution</source>
        <translation>Rozlišení</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>Rozlišení obrazovky</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Poměr</translation>
    </message>
    <message>
        <source>Screen Resolution Ratio</source>
        <translation>Poměr stran obrazovky</translation>
    </message>
</context>
<context>
    <name>SelectAIModal</name>
    <message>
        <source>Select AI to play with</source>
        <translation>Vyberte AI do hry</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Snadná</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normální</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Těžká</translation>
    </message>
    <message>
        <source>Insane</source>
        <translation>Šílená</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Vlastní</translation>
    </message>
</context>
<context>
    <name>SelectAISideModal</name>
    <message>
        <source>Select AI&apos;s side</source>
        <translation>Vyberte stranu AI</translation>
    </message>
</context>
<context>
    <name>SelectAiProjectVersionModal</name>
    <message>
        <source>Select Ai Project Version</source>
        <translation>Vyberte verzi projektu AI</translation>
    </message>
</context>
<context>
    <name>SelectColorModal</name>
    <message>
        <source>Select AI&apos;s color</source>
        <translation>Vyberte barvu AI</translation>
    </message>
    <message>
        <source>Select Player&apos;s color</source>
        <translation>Vyberte barvu hráče</translation>
    </message>
</context>
<context>
    <name>SelectDifficultModal</name>
    <message>
        <source>Select AI&apos;s Difficult</source>
        <translation>Vyberte obtížnost AI</translation>
    </message>
</context>
<context>
    <name>SelectEngineVersionModal</name>
    <message>
        <source>Select Engine Version</source>
        <translation>Vyberte verzi enginu</translation>
    </message>
</context>
<context>
    <name>SelectGameVersionModal</name>
    <message>
        <source>Select Game Version</source>
        <translation>Vyberte verzi hry</translation>
    </message>
</context>
<context>
    <name>SelectLanguageModal</name>
    <message>
        <source>Select Language</source>
        <translation>Vyberte jazyk</translation>
    </message>
    <message>
        <source>The language choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Volbu jazyka se nepodařilo uložit do %1. Lobby se nerestartuje.</translation>
    </message>
</context>
<context>
    <name>SelectMapModal</name>
    <message>
        <source>Select Map</source>
        <translation>Vyberte mapu</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Vybrat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
</context>
<context>
    <name>SelectPlayGameModal</name>
    <message>
        <source>Select Game</source>
        <translation>Vyberte hru</translation>
    </message>
    <message>
        <source>After select lobby is going to restart automatically</source>
        <translation>Po výběru se lobby automaticky restartuje</translation>
    </message>
    <message>
        <source>The game choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Volbu hry se nepodařilo uložit do %1. Lobby se nerestartuje.</translation>
    </message>
</context>
<context>
    <name>SelectScreenResolutionModal</name>
    <message>
        <source>Select Screen Resolution</source>
        <translation>Vyberte rozlišení obrazovky</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Vybrat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
</context>
<context>
    <name>SelectSideModal</name>
    <message>
        <source>Select Player&apos;s Side</source>
        <translation>Vyberte stranu hráče</translation>
    </message>
</context>
<context>
    <name>SelectStartPositionModal</name>
    <message>
        <source>Select Start Position</source>
        <translation>Vyberte startovní pozici</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Pevná</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Náhodná</translation>
    </message>
    <message>
        <source>Choose In Game</source>
        <translation>Volba ve hře</translation>
    </message>
</context>
<context>
    <name>SelectTauntModal</name>
    <message>
        <source>Select Taunt</source>
        <translation>Vyberte posměšek</translation>
    </message>
</context>
<context>
    <name>SendLogModal</name>
    <message>
        <source>Send Logs to developers</source>
        <translation>Odeslat logy vývojářům</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Odeslat</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>To make a screenshot of the game or lobby - press &apos;F12&apos;&apos; key</source>
        <translation>Snímek obrazovky hry nebo lobby pořídíte klávesou &apos;F12&apos;</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Vaše jméno</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Describe your problem</source>
        <translation>Popište svůj problém</translation>
    </message>
    <message>
        <source>Game LOG</source>
        <translation>Log hry</translation>
    </message>
    <message>
        <source>Lobby LOG</source>
        <translation>Log lobby</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Zobrazit</translation>
    </message>
    <message>
        <source>Game Screenshot</source>
        <translation>Snímek hry</translation>
    </message>
    <message>
        <source>Lobby Screenshot</source>
        <translation>Snímek lobby</translation>
    </message>
    <message>
        <source>Sending LOGs</source>
        <translation>Odesílání logů</translation>
    </message>
    <message>
        <source>LOGs sent</source>
        <translation>Logy odeslány</translation>
    </message>
    <message>
        <source>Error, LOGs not sent</source>
        <translation>Chyba, logy nebyly odeslány</translation>
    </message>
</context>
<context>
    <name>ShowChangeLogModal</name>
    <message>
        <source>Change Log</source>
        <translation>Seznam změn</translation>
    </message>
    <message>
        <source>Lobby Change LOG</source>
        <translation>Seznam změn lobby</translation>
    </message>
</context>
<context>
    <name>SimplePage</name>
    <message>
        <source>Back</source>
        <translation>Zpět</translation>
    </message>
</context>
<context>
    <name>SkirmishCustomPage</name>
    <message>
        <source>Custom Skirmish</source>
        <translation>Vlastní bitva</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickHandler</name>
    <message>
        <source>No Name</source>
        <translation>Bez jména</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickPage</name>
    <message>
        <source>Quick Skirmish</source>
        <translation>Rychlá bitva</translation>
    </message>
</context>
<context>
    <name>SpringLoginPage</name>
    <message>
        <source>Multiplayer</source>
        <translation>Hra více hráčů</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Přihlásit</translation>
    </message>
</context>
<context>
    <name>SpringLoginPageCustom</name>
    <message>
        <source>Custom Server</source>
        <translation>Vlastní server</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Přihlásit</translation>
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
        <translation>Přihlášení přes Steam</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Přihlásit</translation>
    </message>
</context>
<context>
    <name>SyncStatus</name>
    <message>
        <source>Searching</source>
        <translation>Hledání</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Stahování</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Instalace</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Hotovo</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>Chyby</translation>
    </message>
</context>
<context>
    <name>TauntsTreeView</name>
    <message>
        <source>Taunt Number</source>
        <translation>Číslo posměšku</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Název</translation>
    </message>
    <message>
        <source>Taunt Title</source>
        <translation>Název posměšku</translation>
    </message>
</context>
<context>
    <name>TutorialMissionDataPage</name>
    <message>
        <source>Tutorial Mission</source>
        <translation>Výuková mise</translation>
    </message>
</context>
<context>
    <name>TutorialMissionListPage</name>
    <message>
        <source>Tutorials</source>
        <translation>Výuka</translation>
    </message>
</context>
<context>
    <name>TypePasswordModal</name>
    <message>
        <source>Battle is password protected</source>
        <translation>Bitva je chráněna heslem</translation>
    </message>
    <message>
        <source>Please enter the password:</source>
        <translation>Zadejte prosím heslo:</translation>
    </message>
</context>
<context>
    <name>UTCTimeWidget</name>
    <message>
        <source>CET</source>
        <translation>SEČ</translation>
    </message>
    <message>
        <source>Central European Time</source>
        <translation>Středoevropský čas</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Coordinated Universal Time</source>
        <translation>Koordinovaný světový čas</translation>
    </message>
    <message>
        <source>NOW</source>
        <translation>NYNÍ</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Místní čas</translation>
    </message>
</context>
<context>
    <name>UpdatesPage</name>
    <message>
        <source>Updates</source>
        <translation>Aktualizace</translation>
    </message>
</context>
</TS>
