#include "BenchDemos.h"

#include "DemoFile.h"
#include "ReplayScriptParser.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <zlib.h>

namespace BenchDemos
{
namespace
{
QByteArray Deflate(const QByteArray& data)
{
    // One gzip member; members are concatenated into one file, as gzip itself allows.
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))) + 64, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

QByteArray Script(int i)
{
    QString text =
        QStringLiteral("[game]\n{\n\tgametype=Morvantis 1.%1;\n\tmapname=Iron Saddle 1.4;\n").arg(i % 7);
    for (int p = 0; p < 8; ++p)
    {
        text += QStringLiteral("\t[player%1]\n\t{\n\t\tname=Player%2_%1;\n\t\tteam=%1;\n\t\tspectator=0;\n"
                               "\t\tcountrycode=DE;\n\t\trank=3;\n\t\tskill=~25;\n\t}\n"
                               "\t[team%1]\n\t{\n\t\tteamleader=%1;\n\t\tallyteam=%3;\n"
                               "\t\trgbcolor=0.5 0.25 1;\n\t\tside=Arm;\n\t\thandicap=0;\n\t}\n")
                    .arg(p)
                    .arg(i)
                    .arg(p % 2);
    }
    text +=
        QStringLiteral("\t[player8]\n\t{\n\t\tname=Watcher%1;\n\t\tspectator=1;\n\t\tcountrycode=GB;\n\t}\n")
            .arg(i);
    for (int o = 0; o < 60; ++o)
        text += QStringLiteral("\tmodoption_%1=%2;\n").arg(o).arg(o * 3);
    text += QStringLiteral("}\n");
    return text.toUtf8();
}

QByteArray Header(int i, const QByteArray& script, int streamSize, int teams)
{
    uchar raw[352] = {};
    const auto put = [&raw](int at, qint32 value) { qToLittleEndian<qint32>(value, raw + at); };
    qstrcpy(reinterpret_cast<char*>(raw), "spring demofile");
    put(16, 5);
    put(20, 352);
    qstrcpy(reinterpret_cast<char*>(raw + 24), "105.1.1-2511-g747f18b BAR105");
    for (int b = 0; b < 16; ++b)
        raw[280 + b] = uchar((i * 31 + b * 7) & 0xff);
    qToLittleEndian<quint64>(quint64(1700000000 + i * 3600), raw + 296);
    put(304, script.size());
    put(308, streamSize);
    put(312, 1200 + i % 600);
    put(332, teams);
    put(348, teams > 0 ? 1 : 0);
    return QByteArray(reinterpret_cast<const char*>(raw), sizeof raw);
}

QByteArray BombScript(int i)
{
    const int size = DemoLimits::MaxScriptSize;
    QByteArray text = "[game]{gametype=Morvantis 1.0;mapname=Bomb;";
    const int kind = i % 3;
    if (kind == 2)
        text += "[modoptions]{big=" + QByteArray(size - text.size() - 20, 'a') + ";}";
    for (int n = 0; text.size() < size - 40; ++n)
        text += kind == 0 ? "[player" + QByteArray::number(n) + "]{}" : "k" + QByteArray::number(n) + "=;";
    text += '}';
    return text + QByteArray(size - text.size(), '\n');
}

QByteArray NearLimitScript(int i)
{
    using Parser = ReplayScriptParser;
    constexpr int Humans = 120;
    constexpr int Spectators = Parser::MaxPlayers - Humans;
    constexpr int Ais = 120;
    constexpr int Teams = Humans + Ais;
    QList<QByteArray> sections;
    int keys = 2; // game type and map
    for (int p = 0; p < Humans + Spectators; ++p)
    {
        const bool spectator = p >= Humans;
        sections << QStringLiteral("[player%1]{name=Player%2_%1;countrycode=DE;rank=3;spectator=%3;%4")
                        .arg(p)
                        .arg(i)
                        .arg(spectator ? 1 : 0)
                        .arg(spectator ? QString() : QStringLiteral("team=%1;").arg(p))
                        .toUtf8();
        keys += spectator ? 4 : 5;
    }
    for (int a = 0; a < Ais; ++a)
    {
        sections << QStringLiteral("[ai%1]{shortname=Bot%1;version=1;host=0;team=%2;")
                        .arg(a)
                        .arg(Humans + a)
                        .toUtf8();
        keys += 4;
    }
    for (int t = 0; t < Teams; ++t)
    {
        sections << QStringLiteral("[team%1]{allyteam=%1;rgbcolor=0.5 0.25 1;side=Arm;teamleader=0;")
                        .arg(t)
                        .toUtf8();
        keys += 4;
    }
    for (int a = 0; a < Teams; ++a)
    {
        sections << QStringLiteral("[allyteam%1]{numallies=0;").arg(a).toUtf8();
        ++keys;
    }
    // Half of them with short keys spread over the sections (a script under 1 MB), half with long
    // keys and values (3 MB).
    for (int n = 0; keys < Parser::MaxKeys - 72; ++n, ++keys)
    {
        const QByteArray number = QByteArray::number(n / sections.size());
        sections[n % sections.size()] +=
            i % 2 == 0 ? "o" + number + "=1;"
                       : "key_" + QByteArray::number(100000 + n) + "=value_" + number + ";";
    }
    QByteArray text = "[game]{gametype=Morvantis 1.0;mapname=Iron Saddle 1.4;";
    for (const QByteArray& section : qAsConst(sections))
        text += section + '}';
    return text + '}';
}

// A folder holds what its marker says, or is made anew.
bool Fresh(const QString& folder, const QString& marker)
{
    if (QFile::exists(folder + QLatin1Char('/') + marker))
        return false;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return true;
}

bool Mark(const QString& folder, const QString& marker)
{
    return QFile(folder + QLatin1Char('/') + marker).open(QIODevice::WriteOnly);
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

bool WriteBombs(const QString& folder)
{
    for (int i = 0; i < BombCount; ++i)
    {
        const QByteArray script = BombScript(i);
        // No stream, no winners.
        if (!WriteFile(folder + QStringLiteral("/bomb_%1.sdfz").arg(i, 2, 10, QLatin1Char('0')),
                       Deflate(Header(i, script, 0, 0) + script)))
            return false;
    }
    return true;
}
} // namespace

bool GenerateScanFolder(const QString& folder, int count)
{
    const QString marker =
        QStringLiteral(".generated-%1-%2-bombs%3-teams").arg(count).arg(StreamSize).arg(BombCount);
    if (!Fresh(folder, marker))
        return true;
    // Filler with about half the entropy of bytes, so it packs about 2:1 like real streams.
    QByteArray stream(StreamSize, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (int i = 0; i < StreamSize; ++i)
        stream[i] = char(0x40 | (random.generate() & 0x0f));
    const QByteArray tail = Deflate(stream + QByteArray(1, '\1'));
    for (int i = 0; i < count; ++i)
    {
        const QByteArray script = Script(i);
        if (!WriteFile(folder + QStringLiteral("/%1_bench.sdfz").arg(i, 5, 10, QLatin1Char('0')),
                       Deflate(Header(i, script, StreamSize, 8) + script) + tail))
            return false;
    }
    return WriteBombs(folder) && Mark(folder, marker);
}

bool GenerateBombFolder(const QString& folder)
{
    const QString marker = QStringLiteral(".generated-bombs%1").arg(BombCount);
    return !Fresh(folder, marker) || (WriteBombs(folder) && Mark(folder, marker));
}

bool GenerateBigFolder(const QString& folder, int demos, int others)
{
    const QString marker = QStringLiteral(".generated-%1-demos-%2-others").arg(demos).arg(others);
    if (!Fresh(folder, marker))
        return true;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QByteArray stream(1000, 'x');
    for (int i = 0; i < demos + others; ++i)
    {
        // Names in no order of time: the newest are spread over the whole folder.
        const int n = int((quint64(i) * 7919) % quint64(demos + others));
        QFile file(folder + QStringLiteral("/%1_big.sdfz").arg(n, 6, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (i < demos)
        {
            const QByteArray script = Script(i);
            if (file.write(Deflate(Header(i, script, stream.size(), 8) + script + stream + '\1')) < 0)
                return false;
        }
        if (!file.setFileTime(now.addSecs(-i), QFileDevice::FileModificationTime))
            return false;
    }
    return Mark(folder, marker);
}

bool GenerateNearLimitFolder(const QString& folder)
{
    const QString marker = QStringLiteral(".generated-%1-near-limit").arg(NearLimitCount);
    if (!Fresh(folder, marker))
        return true;
    const QByteArray stream(1000, 'x');
    for (int i = 0; i < NearLimitCount; ++i)
    {
        const QByteArray script = NearLimitScript(i);
        if (!WriteFile(folder + QStringLiteral("/near_limit_%1.sdfz").arg(i, 2, 10, QLatin1Char('0')),
                       Deflate(Header(i, script, stream.size(), 240) + script + stream + '\1')))
            return false;
    }
    return Mark(folder, marker);
}
} // namespace BenchDemos
