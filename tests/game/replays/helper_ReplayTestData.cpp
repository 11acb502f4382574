#include "helper_ReplayTestData.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <zlib.h>

namespace
{
void PutInt32(QByteArray& data, int at, qint32 value)
{
    qToLittleEndian<qint32>(value, reinterpret_cast<uchar*>(data.data() + at));
}
} // namespace

QByteArray BuildDemo(const DemoSpec& spec)
{
    QByteArray header(352, '\0');
    std::copy(spec.magic.cbegin(), spec.magic.cbegin() + qMin(16, spec.magic.size()), header.begin());
    PutInt32(header, 16, spec.version);
    PutInt32(header, 20, spec.headerSize);
    std::copy(spec.engineVersion.cbegin(), spec.engineVersion.cbegin() + qMin(256, spec.engineVersion.size()),
              header.begin() + 24);
    std::copy(spec.gameId.cbegin(), spec.gameId.cbegin() + qMin(16, spec.gameId.size()),
              header.begin() + 280);
    qToLittleEndian<quint64>(spec.startTime, reinterpret_cast<uchar*>(header.data() + 296));
    PutInt32(header, 304, spec.scriptSize.value_or(spec.script.size()));
    PutInt32(header, 308, spec.streamSize.value_or(spec.stream.size()));
    PutInt32(header, 312, spec.gameTime);
    for (int i = 0; i < 8; ++i)
        PutInt32(header, 316 + 4 * i, i + 1);
    PutInt32(header, 324, spec.statistics.size()); // all of them as the players' statistics
    PutInt32(header, 332, spec.teams);
    PutInt32(header, 336, 0);
    PutInt32(header, 348, spec.winnersSize.value_or(spec.winners.size()));
    return header + spec.script + spec.stream + spec.winners + spec.statistics;
}

QByteArray MakeScript(const QString& gameName, const QString& mapName, const QList<ScriptPlayer>& players)
{
    QString text = QStringLiteral("[game]\n{\n\tgametype=%1;\n\tmapname=%2;\n").arg(gameName, mapName);
    int team = 0;
    int human = 0;
    int ai = 0;
    for (const ScriptPlayer& player : players)
    {
        if (player.spectator)
        {
            text += QStringLiteral("\t[player%1]\n\t{\n\t\tname=%2;\n\t\tspectator=1;\n\t\tcountrycode=de;"
                                   "\n\t\trank=2;\n\t}\n")
                        .arg(human++)
                        .arg(player.name);
            continue;
        }
        if (player.ai)
            text += QStringLiteral(
                        "\t[ai%1]\n\t{\n\t\tname=Bot%1;\n\t\tshortname=%2;\n\t\tteam=%3;\n\t\thost=0;\n\t}\n")
                        .arg(ai++)
                        .arg(player.name)
                        .arg(team);
        else
            text += QStringLiteral(
                        "\t[player%1]\n\t{\n\t\tname=%2;\n\t\tspectator=0;\n\t\tteam=%3;\n\t\tcountrycode=fr;"
                        "\n\t\trank=3;\n\t}\n")
                        .arg(human++)
                        .arg(player.name)
                        .arg(team);
        text += QStringLiteral("\t[team%1]\n\t{\n\t\tallyteam=%2;\n\t\trgbcolor=1 0.5 "
                               "0;\n\t\tside=Arm;\n\t\tteamleader=0;\n\t}\n")
                    .arg(team)
                    .arg(player.allyTeam);
        ++team;
    }
    text += "}\n";
    return text.toUtf8();
}

QByteArray SimpleDemo(const QString& gameName, const QString& mapName, const QList<ScriptPlayer>& players,
                      const QByteArray& winners, qint32 gameTime)
{
    DemoSpec spec;
    spec.script = MakeScript(gameName, mapName, players);
    spec.winners = winners;
    spec.gameTime = gameTime;
    return BuildDemo(spec);
}

QByteArray Gzip(const QByteArray& data)
{
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))) + 64, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(done ? int(z.total_out) : 0);
    deflateEnd(&z);
    return out;
}

bool WriteGzip(const QString& path, const QByteArray& data)
{
    const QByteArray packed = Gzip(data);
    return !packed.isEmpty() && TestFiles::Write(path, packed);
}

bool Has7z()
{
    return !QStandardPaths::findExecutable("7z").isEmpty();
}

bool Write7z(const QString& path, const QByteArray& data, const QString& innerName, const QString& link)
{
    QTemporaryDir dir;
    if (!TestFiles::Write(dir.filePath(innerName), data))
        return false;
    QStringList arguments{QStringLiteral("a"), QStringLiteral("-t7z"), path, innerName};
    if (!link.isEmpty())
    {
        // Links go in as links ("-snl"), not as the files they point to.
        if (!QFile::link(innerName, dir.filePath(link)))
            return false;
        arguments << link << QStringLiteral("-snl");
    }
    QFile::remove(path);
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start("7z", arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

QString SharedDemosDir()
{
    const QByteArray custom = qgetenv("QM_SHARED_DEMOS");
    if (!custom.isEmpty())
        return QString::fromLocal8Bit(custom);
    // The shared test data lies beside the checkout.
    return QStringLiteral(QM_SHARED_DEMOS_DIR);
}

ReplaysRecorder::ReplaysRecorder(QObject* manager)
{
    connect(manager, SIGNAL(OnReplaysUpdate(ReplaysList)), this, SLOT(DoReplaysUpdate(ReplaysList)));
    connect(manager, SIGNAL(OnBusy(bool)), this, SLOT(DoBusy(bool)));
    connect(manager, SIGNAL(OnProgress(int)), this, SLOT(DoProgress(int)));
}

void ReplaysRecorder::Clear()
{
    events.clear();
    replays.clear();
    updates = 0;
    finished = false;
}

void ReplaysRecorder::DoReplaysUpdate(ReplaysList list)
{
    events << QStringLiteral("update:%1").arg(list.size());
    replays += list;
    ++updates;
}

void ReplaysRecorder::DoBusy(bool value)
{
    events << QStringLiteral("busy:%1").arg(value ? 1 : 0);
    if (!value)
        finished = true;
}

void ReplaysRecorder::DoProgress(int percent)
{
    events << QStringLiteral("progress:%1").arg(percent);
}
