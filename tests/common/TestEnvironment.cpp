#include "TestEnvironment.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "DebugStream.h"
#include "MetaTypes.h"
#include "PathManager.h"

TestEnvironment::TestEnvironment(const QString& gameCode)
{
    qputenv("SPRING_WRITEDIR", m_dir.path().toUtf8());
    RegisterAppMetaTypes();
    AppDefines::Instance()->SelectGame(gameCode);
    PathManager::Instance()->Initialize(m_dir.path(), AppDefines::Instance()->GetShortCode());
    CreateAppSettingsGroups();
    AppSettings::Instance()->SetFiles(QString(), QString());
    AppSettings::Instance()->Load();
    DebugStream::Instance()->SetEchoToStdout(qEnvironmentVariableIsSet("QM_TEST_ECHO_LOG"));
    DebugStream::Instance()->SetCapture(
        [this](const QString& line)
        {
            // Qt's warning about an arg() without its "%N" quotes the text: a test building an
            // expected line that way would find its own expectation in the log.
            if (line.contains(QLatin1String("QString::arg: Argument missing")))
                return;
            std::lock_guard<std::mutex> lock(m_logMutex);
            m_log << line;
        });
    DebugStream::InstallMessageHandler();
}

TestEnvironment::~TestEnvironment()
{
    DebugStream::Instance()->SetCapture(nullptr);
    qInstallMessageHandler(nullptr);
    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    DebugStream::Destroy();
}

QStringList TestEnvironment::LogLines() const
{
    // A list of its own, not one sharing m_log's buffer with the threads that append to it.
    std::lock_guard<std::mutex> lock(m_logMutex);
    QStringList lines;
    lines.reserve(m_log.size());
    for (const QString& line : m_log)
        lines << line;
    return lines;
}

bool TestEnvironment::LogContains(const QString& text) const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    for (const QString& line : m_log)
    {
        if (line.contains(text))
            return true;
    }
    return false;
}

void TestEnvironment::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_log.clear();
}

int TestEnvironment::SlowdownFactor()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return 5;
#else
    return 1;
#endif
}

bool TestEnvironment::IsCi()
{
    const QByteArray ci = qgetenv("CI");
    return !ci.isEmpty() && ci != "0" && ci.toLower() != "false";
}
