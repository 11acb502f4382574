<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AIEditorPage</name>
    <message>
        <source>AI Editor</source>
        <translation>Редактор ИИ</translation>
    </message>
</context>
<context>
    <name>AIHandler</name>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Player Guide</source>
        <translation>Руководство игрока</translation>
    </message>
</context>
<context>
    <name>AiProjectVersionTreeView</name>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
</context>
<context>
    <name>AiProjectsPage</name>
    <message>
        <source>AI Projects</source>
        <translation>Проекты ИИ</translation>
    </message>
</context>
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>ВЫ</translation>
    </message>
</context>
<context>
    <name>CampaignMissionDataPage</name>
    <message>
        <source>Campaign Mission</source>
        <translation>Миссия кампании</translation>
    </message>
</context>
<context>
    <name>CampaignMissionListPage</name>
    <message>
        <source>Campaign</source>
        <translation>Кампания</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesModal</name>
    <message>
        <source>Updates</source>
        <translation>Обновления</translation>
    </message>
    <message>
        <source>Checking for Updates...</source>
        <translation>Проверка обновлений...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Скачать</translation>
    </message>
    <message>
        <source>There&apos;s a new version of lobby available</source>
        <translation>Доступна новая версия лобби</translation>
    </message>
    <message>
        <source>Update now to get the latest features and improvements</source>
        <translation>Обновитесь сейчас, чтобы получить новые возможности и улучшения</translation>
    </message>
    <message>
        <source>You are using the latest version of lobby.</source>
        <translation>У вас последняя версия лобби.</translation>
    </message>
    <message>
        <source>An error occurred while checking for a software update.</source>
        <translation>При проверке обновлений произошла ошибка.</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>Сегодня</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Вчера</translation>
    </message>
</context>
<context>
    <name>CustomAITreeView</name>
    <message>
        <source>AI Name</source>
        <translation>Имя ИИ</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Синхронизировано</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>Не синхронизировано</translation>
    </message>
</context>
<context>
    <name>DisplayResolutionList</name>
    <message>
        <source>Custom</source>
        <translation>Другое</translation>
    </message>
</context>
<context>
    <name>EngineVersionTreeView</name>
    <message>
        <source>Engine Version</source>
        <translation>Версия движка</translation>
    </message>
</context>
<context>
    <name>ExtrasPage</name>
    <message>
        <source>Extras</source>
        <translation>Дополнительно</translation>
    </message>
</context>
<context>
    <name>GameSettingsPage</name>
    <message>
        <source>Game Settings</source>
        <translation>Настройки игры</translation>
    </message>
</context>
<context>
    <name>GameTestsPage</name>
    <message>
        <source>Game Tests</source>
        <translation>Тесты игры</translation>
    </message>
</context>
<context>
    <name>GameVersionTreeView</name>
    <message>
        <source>Game Version</source>
        <translation>Версия игры</translation>
    </message>
</context>
<context>
    <name>ListChoiceModal</name>
    <message>
        <source>Select</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>Главное меню</translation>
    </message>
    <message>
        <source>Single Player</source>
        <translation>Одиночная игра</translation>
    </message>
    <message>
        <source>Quick Skirmish</source>
        <translation>Быстрая схватка</translation>
    </message>
    <message>
        <source>Custom Skirmish</source>
        <translation>Своя схватка</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Повторы</translation>
    </message>
    <message>
        <source>Multiplayer</source>
        <translation>Сетевая игра</translation>
    </message>
    <message>
        <source>Lobby Server</source>
        <translation>Сервер лобби</translation>
    </message>
    <message>
        <source>Custom Server</source>
        <translation>Свой сервер</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Программа</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Обновления</translation>
    </message>
    <message>
        <source>Developers</source>
        <translation>Разработчикам</translation>
    </message>
    <message>
        <source>AI Projects</source>
        <translation>Проекты ИИ</translation>
    </message>
    <message>
        <source>Game Tests</source>
        <translation>Тесты игры</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>MapsTreeView</name>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Map Name</source>
        <translation>Название карты</translation>
    </message>
    <message>
        <source>Minimap</source>
        <translation>Миникарта</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Map Size</source>
        <translation>Размер карты</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Ветер</translation>
    </message>
    <message>
        <source>Map Wind Strength</source>
        <translation>Сила ветра на карте</translation>
    </message>
    <message>
        <source>Tidal</source>
        <translation>Приливы</translation>
    </message>
    <message>
        <source>Map Tidal Strength</source>
        <translation>Сила приливов на карте</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>Металл</translation>
    </message>
    <message>
        <source>Map Metal Capacity</source>
        <translation>Запасы металла на карте</translation>
    </message>
</context>
<context>
    <name>MinimapDataWidget</name>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>Split Map Horizontally</source>
        <translation>Разделить карту по горизонтали</translation>
    </message>
    <message>
        <source>Split Map Vertically</source>
        <translation>Разделить карту по вертикали</translation>
    </message>
    <message>
        <source>Split Map Diagonally</source>
        <translation>Разделить карту по диагонали</translation>
    </message>
    <message>
        <source>Split Map Center</source>
        <translation>Разделить карту по центрам сторон</translation>
    </message>
</context>
<context>
    <name>MissionEditorPage</name>
    <message>
        <source>Mission Editor</source>
        <translation>Редактор миссий</translation>
    </message>
</context>
<context>
    <name>MissionListPage</name>
    <message>
        <source>Mission</source>
        <translation>Миссия</translation>
    </message>
</context>
<context>
    <name>MissionsCampaignHandler</name>
    <message>
        <source>First Light</source>
        <translation>Первый свет</translation>
    </message>
    <message>
        <source>The Iron Ford</source>
        <translation>Железный брод</translation>
    </message>
    <message>
        <source>Ashes of Morvantis</source>
        <translation>Пепел Морвантиса</translation>
    </message>
</context>
<context>
    <name>MissionsHandler</name>
    <message>
        <source>Mission</source>
        <translation>Миссия</translation>
    </message>
</context>
<context>
    <name>MissionsTutorialHandler</name>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
</context>
<context>
    <name>ModalPage</name>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation>ВКЛ</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
    </message>
</context>
<context>
    <name>NSettingsSlider</name>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
    </message>
</context>
<context>
    <name>NotInSyncModal</name>
    <message>
        <source>Your Status - Not In Sync</source>
        <translation>Ваш статус - не синхронизировано</translation>
    </message>
    <message>
        <source>Battle In Sync Validation</source>
        <translation>Проверка синхронизации битвы</translation>
    </message>
    <message>
        <source>Map Info</source>
        <translation>Сведения о карте</translation>
    </message>
    <message>
        <source>To start the Battle you should download all of the above
Your download will start automatically</source>
        <translation>Чтобы начать битву, нужно скачать всё перечисленное выше
Загрузка начнётся автоматически</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Синхронизировано</translation>
    </message>
    <message>
        <source>Not Synced</source>
        <translation>Не синхронизировано</translation>
    </message>
</context>
<context>
    <name>PlayerGuidePage</name>
    <message>
        <source>Player Guide</source>
        <translation>Руководство игрока</translation>
    </message>
</context>
<context>
    <name>PlayerInfoModal</name>
    <message>
        <source>Player&apos;s Profile</source>
        <translation>Профиль игрока</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Местное время</translation>
    </message>
</context>
<context>
    <name>QuitConfirmModal</name>
    <message>
        <source>Do you really want to quit?</source>
        <translation>Вы действительно хотите выйти?</translation>
    </message>
</context>
<context>
    <name>ReplaysManager</name>
    <message>
        <source>DUEL</source>
        <translation>ДУЭЛЬ</translation>
    </message>
</context>
<context>
    <name>ReplaysPage</name>
    <message>
        <source>Replays</source>
        <translation>Повторы</translation>
    </message>
</context>
<context>
    <name>ScreenResolutionTreeView</name>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>Разрешение экрана</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Соотношение</translation>
    </message>
    <message>
        <source>Screen Resolution Ratio</source>
        <translation>Соотношение сторон экрана</translation>
    </message>
</context>
<context>
    <name>SelectAIModal</name>
    <message>
        <source>Select AI to play with</source>
        <translation>Выберите ИИ для игры</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Лёгкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Сложный</translation>
    </message>
    <message>
        <source>Insane</source>
        <translation>Безумный</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Свои</translation>
    </message>
</context>
<context>
    <name>SelectAISideModal</name>
    <message>
        <source>Select AI&apos;s side</source>
        <translation>Выберите сторону ИИ</translation>
    </message>
</context>
<context>
    <name>SelectAiProjectVersionModal</name>
    <message>
        <source>Select Ai Project Version</source>
        <translation>Выберите версию проекта ИИ</translation>
    </message>
</context>
<context>
    <name>SelectColorModal</name>
    <message>
        <source>Select AI&apos;s color</source>
        <translation>Выберите цвет ИИ</translation>
    </message>
    <message>
        <source>Select Player&apos;s color</source>
        <translation>Выберите цвет игрока</translation>
    </message>
</context>
<context>
    <name>SelectDifficultModal</name>
    <message>
        <source>Select AI&apos;s Difficult</source>
        <translation>Выберите сложность ИИ</translation>
    </message>
</context>
<context>
    <name>SelectEngineVersionModal</name>
    <message>
        <source>Select Engine Version</source>
        <translation>Выберите версию движка</translation>
    </message>
</context>
<context>
    <name>SelectGameVersionModal</name>
    <message>
        <source>Select Game Version</source>
        <translation>Выберите версию игры</translation>
    </message>
</context>
<context>
    <name>SelectLanguageModal</name>
    <message>
        <source>Select Language</source>
        <translation>Выберите язык</translation>
    </message>
    <message>
        <source>The language choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Не удалось сохранить выбор языка в %1. Лобби не перезапускается.</translation>
    </message>
</context>
<context>
    <name>SelectMapModal</name>
    <message>
        <source>Select Map</source>
        <translation>Выберите карту</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>SelectPlayGameModal</name>
    <message>
        <source>Select Game</source>
        <translation>Выберите игру</translation>
    </message>
    <message>
        <source>After select lobby is going to restart automatically</source>
        <translation>После выбора лобби автоматически перезапустится</translation>
    </message>
    <message>
        <source>The game choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>Не удалось сохранить выбор игры в %1. Лобби не перезапускается.</translation>
    </message>
</context>
<context>
    <name>SelectScreenResolutionModal</name>
    <message>
        <source>Select Screen Resolution</source>
        <translation>Выберите разрешение экрана</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>SelectSideModal</name>
    <message>
        <source>Select Player&apos;s Side</source>
        <translation>Выберите сторону игрока</translation>
    </message>
</context>
<context>
    <name>SelectStartPositionModal</name>
    <message>
        <source>Select Start Position</source>
        <translation>Выберите стартовую позицию</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Фиксированная</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Случайная</translation>
    </message>
    <message>
        <source>Choose In Game</source>
        <translation>Выбор в игре</translation>
    </message>
</context>
<context>
    <name>SelectTauntModal</name>
    <message>
        <source>Select Taunt</source>
        <translation>Выберите насмешку</translation>
    </message>
</context>
<context>
    <name>SendLogModal</name>
    <message>
        <source>Send Logs to developers</source>
        <translation>Отправить логи разработчикам</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>To make a screenshot of the game or lobby - press &apos;F12&apos;&apos; key</source>
        <translation>Чтобы сделать снимок экрана игры или лобби, нажмите клавишу &apos;F12&apos;</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ваше имя</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Describe your problem</source>
        <translation>Опишите проблему</translation>
    </message>
    <message>
        <source>Game LOG</source>
        <translation>Лог игры</translation>
    </message>
    <message>
        <source>Lobby LOG</source>
        <translation>Лог лобби</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <source>Game Screenshot</source>
        <translation>Снимок игры</translation>
    </message>
    <message>
        <source>Lobby Screenshot</source>
        <translation>Снимок лобби</translation>
    </message>
    <message>
        <source>Sending LOGs</source>
        <translation>Отправка логов</translation>
    </message>
    <message>
        <source>LOGs sent</source>
        <translation>Логи отправлены</translation>
    </message>
    <message>
        <source>Error, LOGs not sent</source>
        <translation>Ошибка, логи не отправлены</translation>
    </message>
</context>
<context>
    <name>ShowChangeLogModal</name>
    <message>
        <source>Change Log</source>
        <translation>Список изменений</translation>
    </message>
    <message>
        <source>Lobby Change LOG</source>
        <translation>Список изменений лобби</translation>
    </message>
</context>
<context>
    <name>SimplePage</name>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
</context>
<context>
    <name>SkirmishCustomPage</name>
    <message>
        <source>Custom Skirmish</source>
        <translation>Своя схватка</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickHandler</name>
    <message>
        <source>No Name</source>
        <translation>Без имени</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickPage</name>
    <message>
        <source>Quick Skirmish</source>
        <translation>Быстрая схватка</translation>
    </message>
</context>
<context>
    <name>SpringLoginPage</name>
    <message>
        <source>Multiplayer</source>
        <translation>Сетевая игра</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Войти</translation>
    </message>
</context>
<context>
    <name>SpringLoginPageCustom</name>
    <message>
        <source>Custom Server</source>
        <translation>Свой сервер</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Войти</translation>
    </message>
</context>
<context>
    <name>SpringMainPage</name>
    <message>
        <source>Lobby</source>
        <translation>Лобби</translation>
    </message>
</context>
<context>
    <name>SteamLoginPage</name>
    <message>
        <source>Steam Login</source>
        <translation>Вход через Steam</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>Войти</translation>
    </message>
</context>
<context>
    <name>SyncStatus</name>
    <message>
        <source>Searching</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Загрузка</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Установка</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Завершено</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>Есть ошибки</translation>
    </message>
</context>
<context>
    <name>TauntsTreeView</name>
    <message>
        <source>Taunt Number</source>
        <translation>Номер насмешки</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Taunt Title</source>
        <translation>Название насмешки</translation>
    </message>
</context>
<context>
    <name>TutorialMissionDataPage</name>
    <message>
        <source>Tutorial Mission</source>
        <translation>Обучающая миссия</translation>
    </message>
</context>
<context>
    <name>TutorialMissionListPage</name>
    <message>
        <source>Tutorials</source>
        <translation>Обучение</translation>
    </message>
</context>
<context>
    <name>TypePasswordModal</name>
    <message>
        <source>Battle is password protected</source>
        <translation>Битва защищена паролем</translation>
    </message>
    <message>
        <source>Please enter the password:</source>
        <translation>Введите пароль:</translation>
    </message>
</context>
<context>
    <name>UTCTimeWidget</name>
    <message>
        <source>CET</source>
        <translation>CET</translation>
    </message>
    <message>
        <source>Central European Time</source>
        <translation>Центральноевропейское время</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Coordinated Universal Time</source>
        <translation>Всемирное координированное время</translation>
    </message>
    <message>
        <source>NOW</source>
        <translation>СЕЙЧАС</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>Местное время</translation>
    </message>
</context>
<context>
    <name>UpdatesPage</name>
    <message>
        <source>Updates</source>
        <translation>Обновления</translation>
    </message>
</context>
</TS>
