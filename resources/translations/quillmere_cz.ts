<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs">
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>TY</translation>
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
</TS>
