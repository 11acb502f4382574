// The worst files the program reads whole, through the real loading paths: each kind at its size
// limit (the most it still reads) and far past it (2 GB that take no disk space). Prints the time
// and the peak memory each one takes; the targets are what a player's machine can spare.
// Usage: qm_bench_badfiles <work folder>

#include "AppDefines.h"
#include "AppSettings.h"
#include "CustomAIFile.h"
#include "CustomAITreeView.h"
#include "EngineSettingsHandler.h"
#include "LogFilesWorker.h"
#include "MetaTypes.h"
#include "MinimapCache.h"
#include "PathManager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <functional>

#include <cstdio>
#include <malloc.h>

namespace
{
constexpr qint64 TargetMs = 3000;
constexpr qint64 TargetMegabytes = 256;
constexpr qint64 Huge = qint64(2) << 30;

qint64 StatusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// Lines of `line` (its "%1" numbered) up to just under `bytes`.
QByteArray Filled(const QByteArray& head, const QByteArray& line, qint64 bytes)
{
    QByteArray text = head;
    text.reserve(int(bytes));
    for (int i = 0;; ++i)
    {
        const QByteArray next = QByteArray(line).replace("%1", QByteArray::number(i));
        if (text.size() + next.size() > bytes)
            return text;
        text += next;
    }
}

bool WriteFile(const QString& path, const QByteArray& bytes, qint64 size = -1)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".corrupt"));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           (size < 0 || file.resize(size));
}

bool Measure(const char* name, const std::function<void()>& run)
{
    // Memory the last case freed goes back to the system first; then writing 5 here sets the peak
    // back to what the process holds now.
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = StatusKilobytes("VmRSS");
    QElapsedTimer clock;
    clock.start();
    run();
    const qint64 ms = clock.elapsed();
    const qint64 megabytes = (StatusKilobytes("VmHWM") - before) / 1024;
    const bool ok = ms < TargetMs && megabytes < TargetMegabytes;
    std::printf("%-48s %6lld ms %5lld MB  %s\n", name, ms, megabytes, ok ? "ok" : "MISSED");
    return ok;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QString dir = app.arguments().value(1, QDir::tempPath()) + QStringLiteral("/data");
    QDir(dir).removeRecursively();
    RegisterAppMetaTypes();
    AppDefines::Instance()->SelectGame(QStringLiteral("zorn"));
    PathManager* paths = PathManager::Instance();
    paths->Initialize(dir, AppDefines::Instance()->GetShortCode());
    CreateAppSettingsGroups();
    std::printf("%-48s %9s %8s  targets < %lld ms, < %lld MB\n", "file", "time", "peak", TargetMs,
                TargetMegabytes);

    bool ok = true;
    const QString lobby = paths->GetLobbySettingsFile();
    const auto settings = [&]
    {
        AppSettings::Instance()->Load();
        ++AppSettingsSound::Instance()->SoundsVolume;
        AppSettings::Instance()->SaveAll();
    };
    const qint64 limit = CommonIO::MaxSettingsFileBytes;
    // Room for the keys a save adds: a file that would grow past the limit is not written.
    const qint64 room = 64 * 1024;
    WriteFile(lobby, Filled("[AppSettings.Sound]\n", "Key%1=value\n", limit - room));
    ok = Measure("lobby settings: 4 MB of keys, merged and saved", settings) && ok;
    WriteFile(lobby, Filled("[AppSettings.Sound]\n", "x\n", limit - room));
    ok = Measure("lobby settings: 4 MB of two-byte lines", settings) && ok;
    WriteFile(lobby, Filled("[AppSettings.Sound]\n", "Key%1=value\n", limit));
    ok = Measure("lobby settings: 4 MB of keys, too large to save", settings) && ok;
    WriteFile(lobby, QByteArray(), Huge);
    ok = Measure("lobby settings: 2 GB", settings) && ok;

    const QString play = paths->GetEngineSettingsFile(false);
    const auto refresh = []
    {
        EngineSettingsHandler::Instance()->SaveSpringDataDirToConfig();
        EngineSettingsHandler::Destroy();
    };
    WriteFile(play, Filled(QByteArray(), "Key%1 = value\n", limit - room));
    ok = Measure("engine settings: 4 MB of keys", refresh) && ok;
    WriteFile(play, QByteArray(), Huge);
    ok = Measure("engine settings: 2 GB", refresh) && ok;

    const QString ais = CustomAIFile::Path();
    const auto list = [] { CustomAITreeView view; };
    WriteFile(ais, Filled(QByteArray(), "#\n", limit));
    ok = Measure("game.AIs.txt: 4 MB of comment lines", list) && ok;
    WriteFile(ais, Filled(QByteArray(), "Bot %1\t1\n", limit));
    ok = Measure("game.AIs.txt: 4 MB of AIs", list) && ok;
    WriteFile(ais, Filled(QByteArray(), "Bot %1\t1\n", 20 * 1024 * 1024));
    ok = Measure("game.AIs.txt: 1,000,000 AIs (20 MB)", list) && ok;
    WriteFile(ais, QByteArray(), Huge);
    ok = Measure("game.AIs.txt: 2 GB", list) && ok;

    const QString minimap = MinimapCache::FilePath(paths->GetMinimapCacheDir(), QStringLiteral("Map"));
    DataMinimap record;
    record.mapName = QStringLiteral("Map");
    record.minimap = QImage(MinimapCache::MaxPictureSide, MinimapCache::MaxPictureSide, QImage::Format_RGB32);
    record.minimap.fill(Qt::darkGreen);
    const QByteArray largest = MinimapCache::ToBytes(record);
    record = DataMinimap();
    const auto read = [&]
    {
        DataMinimap read;
        MinimapCache::Read(minimap, QStringLiteral("Map"), read, nullptr);
    };
    WriteFile(minimap, largest + QByteArray(int(MinimapCache::MaxFileBytes - largest.size()), 'x'));
    ok = Measure("minimap cache: 32 MB, the largest picture", read) && ok;
    WriteFile(minimap, QByteArray(), Huge);
    ok = Measure("minimap cache: 2 GB", read) && ok;

    const QString gameLog = dir + QStringLiteral("/infolog.txt");
    const QString lobbyLog = dir + QStringLiteral("/lobby.log");
    WriteFile(gameLog, QByteArray(), Huge);
    WriteFile(lobbyLog, QByteArray(), Huge);
    ok = Measure("send-log upload: two logs of 2 GB",
                 [&] {
                     LogFilesWorker::BuildUploadBody(
                         {"player", "", "text", gameLog, lobbyLog, QString(), QString()});
                 }) &&
         ok;

    QDir(dir).removeRecursively();
    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    return ok ? 0 : 1;
}
