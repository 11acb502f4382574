<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>ВЫ</translation>
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
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
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
</TS>
