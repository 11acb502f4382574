#pragma once

#include "DataReplay.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// Builds demo files byte by byte, so tests control every header field.
struct DemoSpec
{
    QByteArray magic = "spring demofile";
    qint32 version = 5;
    qint32 headerSize = 352;
    QByteArray engineVersion = "106.0";
    QByteArray gameId = QByteArray::fromHex("00ab0102030405060708090a0b0c0dff");
    quint64 startTime = 1700000000; // 2023-11-14 22:13:20 UTC
    QByteArray script;
    QByteArray stream = QByteArray(100, 'x');
    qint32 gameTime = 600;
    qint32 teams = 5; // the engine writes no winners when there are none
    QByteArray winners;
    QByteArray statistics; // written behind the winners, as the engine does
    std::optional<qint32> scriptSize;
    std::optional<qint32> streamSize;
    std::optional<qint32> winnersSize;
};

struct ScriptPlayer
{
    QString name;
    int allyTeam = 0;
    bool ai = false;
    bool spectator = false;
};
Q_DECLARE_METATYPE(ScriptPlayer)

QByteArray BuildDemo(const DemoSpec& spec);
QByteArray MakeScript(const QString& gameName, const QString& mapName, const QList<ScriptPlayer>& players);
// A demo of `gameName` on `mapName` with the given players; winners are unsigned bytes.
QByteArray SimpleDemo(const QString& gameName, const QString& mapName, const QList<ScriptPlayer>& players,
                      const QByteArray& winners = QByteArray(), qint32 gameTime = 600);

// One gzip member; members may follow each other in a file, as gzip allows.
QByteArray Gzip(const QByteArray& data);
bool WriteGzip(const QString& path, const QByteArray& data);
// A 7z archive holding the demo as one file (needs Debian's 7z); with `link`, also a link of that
// name to it.
bool Write7z(const QString& path, const QByteArray& data, const QString& innerName,
             const QString& link = QString());
bool Has7z();

QString SharedDemosDir();

// Records what the replays worker sends, in order, on the test's thread.
class ReplaysRecorder : public QObject
{
    Q_OBJECT
public:
    explicit ReplaysRecorder(QObject* manager);

    QStringList events;  // "busy:1", "progress:0", "update:2", ...
    ReplaysList replays; // every record received
    int updates = 0;
    bool finished = false; // OnBusy(false) received
    void Clear();

public slots:
    void DoReplaysUpdate(ReplaysList list);
    void DoBusy(bool value);
    void DoProgress(int percent);
};
