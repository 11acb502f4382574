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
    DebugStream::Instance()->SetCapture([this](const QString& line) { m_log << line; });
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

bool TestEnvironment::LogContains(const QString& text) const
{
    for (const QString& line : m_log)
    {
        if (line.contains(text))
            return true;
    }
    return false;
}

bool TestEnvironment::IsCi()
{
    const QByteArray ci = qgetenv("CI");
    return !ci.isEmpty() && ci != "0" && ci.toLower() != "false";
}
