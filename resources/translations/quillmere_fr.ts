<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>VOUS</translation>
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
</TS>
