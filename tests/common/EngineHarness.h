#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs the real Spring engine (Debian's /usr/games/spring-headless) in isolation for tests.
//
// Each EngineHarness owns a temporary folder holding
//   home/            HOME for the engine, with ".spring/cacert.pem" (else it tries a download)
//   data/            the engine's --write-dir (maps/, games/, demos/, infolog.txt end up here)
//   data/engine.cfg  the engine's --config
// Runs go through "unshare -n" (no network) when this machine permits it, are stopped after a
// timeout, and return the engine's standard output (infolog.txt loses its tail when killed).
// Facts worth knowing: a host script without content ends in about 2 s with exit code 21
// ("Dependent archive ... not found"); a client script waits 30 s for its host, so pass a
// stopWhen text; startpostype 2 waits for start positions forever, so real games use 0 or 1.
// With the test content (InstallTestContent) a skirmish against NullAI ends by itself in about
// 14 s, exits 0 and writes a demo into data/demos/.
struct EngineRun
{
    int exitCode = -1;     // the engine's exit code; -1 when it didn't start or was stopped
    bool started = false;  // the process started at all
    bool timedOut = false; // stopped because the timeout passed
    bool stopped = false;  // stopped because stopWhen appeared in the output
    QString output;        // standard output and error, merged
    qint64 elapsedMs = 0;

    bool Contains(const QString& text) const { return output.contains(text); }
    // The last lines of the output, for failure messages.
    QString Tail(int lines = 30) const;
};

class EngineHarness
{
public:
    EngineHarness();

    // --- the machine ---
    // The engine binary: $QM_SPRING_HEADLESS, else /usr/games/spring-headless.
    static QString EnginePath();
    static bool IsAvailable();
    // Whether "unshare -n" works here; checked once per process.
    static bool CanIsolateNetwork();

    // --- the test content built by tools/testcontent into the build tree ---
    // Its folder ($QM_TEST_CONTENT_DIR, else the one set at build time); it holds maps/ and games/.
    static QString TestContentDir();
    static bool HasTestContent();
    static QString TestMapName() { return QStringLiteral("Quill Test Map"); }
    static QString TestGameName() { return QStringLiteral("Quill Test Game 1"); } // name + version
    static QString TestMapFolder() { return QStringLiteral("QuillTestMap.sdd"); }
    static QString TestGameFolder() { return QStringLiteral("QuillTestGame.sdd"); }
    // The same map and game packed as downloads come, under file names unlike their own names
    // ("sdz" zip or "sd7" 7z; built only where 7z is installed).
    static QString PackedTestMapFile(const QString& suffix);
    static QString PackedTestGameFile(const QString& suffix);
    static bool HasPackedTestContent();
    static QString NullAiShortName() { return QStringLiteral("NullAI"); }
    static QString NullAiVersion() { return QStringLiteral("0.1"); }

    // --- this harness's folders ---
    QString HomeDir() const;
    QString WriteDir() const;
    QString ConfigFile() const;
    // Copies the test content's maps and games into `dataDir` (the write folder by default):
    // the ".sdd" folders, or the packed map and game of the given kinds ("sdz", "sd7").
    bool InstallTestContent(const QString& dataDir = QString(), const QString& mapSuffix = "sdd",
                            const QString& gameSuffix = "sdd") const;
    // Demo files (full paths) the engine wrote into the write folder.
    QStringList Demos() const;

    // --- runs ---
    // Runs the engine with --write-dir, --config, then `arguments` (a script or demo path last).
    // Stops it after timeoutMs, or as soon as stopWhen (when not empty) shows in the output.
    EngineRun Run(const QStringList& arguments, int timeoutMs, const QString& stopWhen = QString()) const;
    // Writes the script into the write folder and runs the engine with it.
    EngineRun RunScript(const QString& scriptText, int timeoutMs, const QString& stopWhen = QString()) const;

    // Writes an executable shell script at `path` that runs the engine isolated like Run does
    // (HOME, unshare) with the arguments it is given, its output appended to `outputFile`.
    // Put it where a launcher expects an engine (e.g. engines/<version>/spring) to drive the
    // real engine through the program's own launcher.
    bool WriteEngineWrapper(const QString& path, const QString& outputFile) const;

private:
    QTemporaryDir m_dir;
};
