<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh">
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>你</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>昨天</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>已同步</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>未同步</translation>
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
        <translation>搜索中</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>下载中</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>安装中</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>已完成</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>有错误</translation>
    </message>
</context>
</TS>
