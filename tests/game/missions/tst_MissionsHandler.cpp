// The missions worker end to end: a mission archive made with 7z, served over HTTP on 127.0.0.1,
// downloaded, unpacked, installed, read and handed to the mission battle.

#include "AppDefines.h"
#include "AppSettings.h"
#include "MissionsCampaignHandler.h"
#include "PathManager.h"
#include "SevenZManager.h"
#include "SkirmishMissionHandler.h"
#include "SpringLaunchManager.h"
#include "SyncHandler.h"
#include "SyncManager.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace
{
// What a handler answers, received on the test's thread.
struct Listener : QObject
{
    QStringList events;
    QList<DataMission> updates;
    QList<DataMission> loads;
    QList<DataSyncState> syncStates;
};

void Wire(MissionsHandler* h, Listener* l)
{
    QObject::connect(h, &MissionsHandler::OnUpdateMission, l,
                     [l](DataMission m)
                     {
                         l->updates << m;
                         l->events << "update " + m.id;
                     });
    QObject::connect(h, &MissionsHandler::OnLoadMissionData, l,
                     [l](DataMission m)
                     {
                         l->loads << m;
                         l->events << "load " + m.id;
                     });
    QObject::connect(h, &MissionsHandler::OnDownloadFinish, l,
                     [l](QString id) { l->events << "downloaded " + id; });
    QObject::connect(h, &MissionsHandler::OnDownloadError, l,
                     [l](QString id) { l->events << "download error " + id; });
    QObject::connect(h, &MissionsHandler::OnFinish, l, [l](QString id) { l->events << "finish " + id; });
}

QByteArray InfoIni(const QString& version, const QString& author)
{
    return QStringLiteral("[General]\r\nauthor=%1\r\nversion=%2\r\ndescription_en=Hold the ford.\r\n"
                          "[Depends]\r\nengine=106.0\r\nmap=Skirmish Map A\r\ngame=Skirmish Game 2\r\n"
                          "[player]\r\nteam=0\r\ncoop=0\r\nside=1\r\ncolor=#00ff00\r\n"
                          "[bot1]\r\nteam=1\r\ncoop=1\r\nai=NullAI\r\nname=Warden\r\n")
        .arg(author, version)
        .toUtf8();
}

// A mission archive as the web service has it: the folder named by the id at the top.
QByteArray MakeMissionArchive(const QString& work, const QString& id, const QString& version,
                              const QString& author)
{
    const QString src = work + "/src_" + author;
    TestFiles::Write(src + QLatin1Char('/') + id + "/info.ini", InfoIni(version, author));
    QDir().mkpath(src + QLatin1Char('/') + id + "/images/screens");
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(src + QLatin1Char('/') + id + "/images/intro_small.jpg", "JPG");
    picture.save(src + QLatin1Char('/') + id + "/images/screens/b.png", "PNG");
    picture.save(src + QLatin1Char('/') + id + "/images/screens/a.png", "PNG");
    const QString archive = work + "/" + author + ".7z";
    QProcess p;
    p.setWorkingDirectory(src);
    p.start("7z", {QStringLiteral("a"), QStringLiteral("-t7z"), archive, id});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QByteArray();
    return TestFiles::Read(archive);
}

bool Have7z()
{
    return !QStandardPaths::findExecutable("7z").isEmpty();
}

// Content so that a loaded mission is found in sync.
void MakeContent(TestEnvironment& env)
{
    TestArchive::WriteNamedContent(env.Path("maps/Skirmish Map A.sd7"));
    TestArchive::WriteNamedContent(env.Path("games/Skirmish Game 2.sdz"));
    SyncManager::SetSystemEnginePath(QString());
    SyncManager::Instance();
}

// Removes the workers of a test, also when the test stops early.
struct TearDownGuard
{
    ~TearDownGuard()
    {
        MissionsCampaignHandler::Destroy();
        MissionsTutorialHandler::Destroy();
        SyncHandler::Destroy();
        if (SevenZManager::Exists())
            SevenZManager::Destroy();
        SkirmishMissionHandler::Destroy();
        SpringLaunchManager::Destroy();
        if (SyncManager::Exists())
        {
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
            SyncManager::Destroy();
        }
    }
};
} // namespace

class TestMissionsHandler : public QObject
{
    Q_OBJECT

private slots:
    void versions()
    {
        QVERIFY(MissionsHandler::IsNewerVersion("1.10", "1.9"));
        QVERIFY(!MissionsHandler::IsNewerVersion("1.9", "1.10"));
        QVERIFY(MissionsHandler::IsNewerVersion("1.0.1", "1.0"));
        QVERIFY(!MissionsHandler::IsNewerVersion("1.0", "1.0.1"));
        QVERIFY(!MissionsHandler::IsNewerVersion("1.0", "1.00"));
        QVERIFY(!MissionsHandler::IsNewerVersion("1.0", "1"));
        QVERIFY(MissionsHandler::IsNewerVersion("1.0", "0.9"));
        QVERIFY(MissionsHandler::IsNewerVersion("1.0", "not a number"));
        QVERIFY(MissionsHandler::IsNewerVersion("1.0", QString()));
        QVERIFY(!MissionsHandler::IsNewerVersion("1.0", " 2.0 "));
    }

    // The list with nothing installed, or with a mission whose files are no files to read: a FIFO
    // (which must not hold the worker, nor so the getters), or a description over the size limit,
    // refused with its log line; the mission then counts as not installed. A picture refused the
    // same way leaves the mission installed, without its picture.
    void listWithoutInstalledMissions_data()
    {
        QTest::addColumn<QString>("info");    // mission 01's info.ini, by TestFiles::Place; "-": no folder
        QTest::addColumn<QString>("picture"); // its small intro picture the same way; "-": none
        QTest::addColumn<QString>("logLine"); // %1: the mission's folder
        QTest::addColumn<bool>("installed");  // mission 01 installed and current
        const auto row =
            [](const char* name, const char* info, const char* picture, const QString& log, bool installed)
        { QTest::newRow(name) << QString(info) << QString(picture) << log << installed; };
        const QString refused = "--- WARNING --- MissionsHandler :: ";
        const QString notInstalled = " --- the mission counts as not installed";
        row("no missions folder", "-", "-", QString(), false);
        row("installed", "", "", QString(), true);
        row("description a FIFO", "FIFO", "-",
            refused + "info.ini REFUSED --- %1/info.ini --- a FIFO" + notInstalled, false);
        row("description over 4 MB", "large", "-",
            refused + "info.ini REFUSED --- %1/info.ini --- larger than 4194304 bytes" + notInstalled, false);
        row("picture a FIFO", "", "FIFO",
            refused + "picture REFUSED --- %1/images/intro_small.jpg --- a FIFO", true);
    }

    void listWithoutInstalledMissions()
    {
        QFETCH(QString, info);
        QFETCH(QString, picture);
        QFETCH(QString, logLine);
        QFETCH(bool, installed);
        TestEnvironment env;
        TearDownGuard guard;
        MissionsCampaignHandler* campaign = MissionsCampaignHandler::Instance();
        const QString folder = campaign->MissionFolder("01");
        if (info != "-")
        {
            // Version 1.0, as built in: current once read. The one over the limit only in notes.
            QByteArray text = InfoIni("1.0", "Author");
            if (info == "large")
            {
                while (text.size() <= MissionsHandler::MaxInfoFileBytes)
                    text += ";" + QByteArray(1000, '.') + "\r\n";
                info.clear();
            }
            QVERIFY(TestFiles::Place(folder + "/info.ini", info, text));
        }
        if (picture != "-")
        {
            QImage image(16, 8, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            QVERIFY(image.save(&buffer, "JPG"));
            QVERIFY(TestFiles::Place(folder + "/images/intro_small.jpg", picture, jpeg));
        }
        // The second start waits for the first: when it is logged, the list has been read.
        MissionsCampaignHandler::Initialize();
        MissionsCampaignHandler::Initialize();
        QTRY_VERIFY(env.LogContains("MissionsHandler :: Initialize TWICE!"));
        if (logLine.isEmpty())
            QVERIFY2(env.LogLines().filter("WARNING").isEmpty(), qPrintable(env.LogLines().join('\n')));
        else
            QVERIFY2(env.LogContains(logLine.arg(folder)), qPrintable(env.LogLines().join('\n')));
        const QList<DataMission> list = campaign->GetMissions();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.at(1).id, "02");
        for (const DataMission& m : list)
            QCOMPARE(m.update, m.id != "01" || !installed);
        QCOMPARE(list.at(0).author, installed ? "Author" : "");
        QCOMPARE(list.at(0).introSmall.isNull(), picture != "");
        QCOMPARE(campaign->GetMissionFlag("01"), !installed);
        QVERIFY(campaign->GetMissionFlag("99"));
        QVERIFY(!campaign->IsDownloading());
        QCOMPARE(campaign->ArchivePath("01"), PathManager::Instance()->GetTempDir() + "/mission_campaign_01");

        // A load of a mission that is not installed sets only the title.
        Listener listener;
        Wire(campaign, &listener);
        campaign->InvokeBlocking("DoLoadMissionData", Q_ARG(QString, QStringLiteral("02")));
        QVERIFY(campaign->MissionTitle().startsWith(QStringLiteral("Mission 2 - ")));
        if (!installed)
            campaign->InvokeBlocking("DoLoadMissionData", Q_ARG(QString, QStringLiteral("01")));
        QCoreApplication::processEvents();
        QVERIFY(listener.loads.isEmpty());

        // Destroy without an instance makes one and removes it.
        MissionsTutorialHandler::Destroy();
        QVERIFY(!MissionsTutorialHandler::Exists());
        QVERIFY(env.LogContains("MissionsTutorialHandler :: Destroy"));
    }

    // Leaving the briefing while its mission loads: the late answer is dropped, and neither the
    // mission battle nor the sync worker comes back. Of two loads in a row only the later counts.
    void loadAnswersOnlyTheOpenBriefing()
    {
        TestEnvironment env;
        TearDownGuard guard;
        MakeContent(env);
        MissionsCampaignHandler::Initialize();
        MissionsCampaignHandler* campaign = MissionsCampaignHandler::Instance();
        QVERIFY(TestFiles::Write(campaign->MissionFolder("01") + "/info.ini", InfoIni("1.0", "Author")));
        Listener listener;
        Wire(campaign, &listener);
        const auto workerDone = [campaign]
        {
            campaign->InvokeBlocking("DoUpdateMission", Q_ARG(QString, QStringLiteral("77")));
            QCoreApplication::processEvents();
        };

        campaign->LoadMissionData("01");
        MissionsHandler::LeaveMission();
        workerDone();
        QVERIFY(!SkirmishMissionHandler::Exists());
        QVERIFY(!SyncHandler::Exists());
        QVERIFY(env.LogContains(QStringLiteral(
            "MissionsHandler :: LoadMissionData --- answer dropped, the mission was left: 01")));
        QVERIFY(listener.loads.isEmpty());

        campaign->LoadMissionData("01");
        campaign->LoadMissionData("01");
        QTRY_COMPARE(listener.loads.size(), 1);
        workerDone();
        QCOMPARE(listener.loads.size(), 1);
        QCOMPARE(SkirmishMissionHandler::Instance()->AIs()->Count(), 1);
        MissionsHandler::LeaveMission();
    }

    void downloadInstallUpdateAndLoad()
    {
        QM_REQUIRE(Have7z(), "7z (p7zip-full)");
        TestEnvironment env;
        TearDownGuard guard;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        AppSettingsMain::Instance()->LocaleName = "EN";
        MakeContent(env);
        const QByteArray oldArchive = MakeMissionArchive(env.Path("work"), "01", "0.9", "OldAuthor");
        QVERIFY(!oldArchive.isEmpty());
        const QString url = "/extras/missions/campaign/01.7z";
        server.SetAnswer(url, 200, oldArchive);

        MissionsCampaignHandler::Initialize();
        MissionsCampaignHandler* campaign = MissionsCampaignHandler::Instance();
        Listener listener;
        Wire(campaign, &listener);
        QTRY_VERIFY(env.LogContains("Initialize :: MissionsCampaignHandler"));

        // Install version 0.9: older than the built-in 1.0, so still flagged. A second request
        // while the first is under way is not sent.
        campaign->UpdateMission("01");
        campaign->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 3, 20000);
        QTest::qWait(100);
        QVERIFY(env.LogContains("MissionsHandler :: UPDATE --- already under way: campaign 01"));
        QCOMPARE(listener.events, (QStringList{"downloaded 01", "update 01", "finish 01"}));
        QCOMPARE(server.Paths(), QStringList{url});
        const QString dir = campaign->MissionFolder("01");
        QVERIFY(TestFiles::Read(dir + "/info.ini").contains("OldAuthor"));
        QCOMPARE(listener.updates.last().author, "OldAuthor");
        QVERIFY(listener.updates.last().update);
        QVERIFY2(!QImage(dir + "/images/intro_small.jpg").isNull(), qPrintable(dir));
        QVERIFY(!listener.updates.last().introSmall.isNull());
        QVERIFY(campaign->GetMissionFlag("01"));
        QVERIFY(!QFile::exists(campaign->ArchivePath("01")));

        // The update: version 1.0 replaces 0.9 and clears the flag.
        server.SetAnswer(url, 200, MakeMissionArchive(env.Path("work"), "01", "1.0", "NewAuthor"));
        listener.events.clear();
        campaign->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 3, 20000);
        QCOMPARE(listener.events, (QStringList{"downloaded 01", "update 01", "finish 01"}));
        QVERIFY(!campaign->GetMissionFlag("01"));
        QVERIFY(TestFiles::Read(dir + "/info.ini").contains("NewAuthor"));
        QVERIFY(!QFileInfo::exists(dir + ".old"));

        // A new start of the list reads the installed copy from disk.
        MissionsCampaignHandler::Destroy();
        MissionsCampaignHandler::Initialize();
        campaign = MissionsCampaignHandler::Instance();
        QTRY_VERIFY(!campaign->GetMissionFlag("01"));
        QVERIFY(campaign->GetMissionFlag("02"));

        // Load for the briefing: the battle gets the mission on this (the GUI) thread.
        Listener loads;
        Wire(campaign, &loads);
        connect(SyncHandler::Instance(), &SyncHandler::OnSyncState, &loads,
                [&loads](DataSyncState state) { loads.syncStates << state; });
        campaign->LoadMissionData("01");
        QTRY_COMPARE(loads.loads.size(), 1);
        const DataMission m = loads.loads.first();
        QCOMPARE(campaign->MissionTitle(), "Mission 1 - First Light");
        QCOMPARE(m.author, "NewAuthor");
        QCOMPARE(m.version, "1.0");
        QCOMPARE(m.description, "Hold the ford.");
        QCOMPARE(m.mapName, "Skirmish Map A");
        QCOMPARE(m.player.color, QColor(0, 255, 0));
        QCOMPARE(m.bots.size(), 1);
        QCOMPARE(m.screenshots.size(), 2);
        QCOMPARE(m.themeMusicPath, dir + "/theme.mp3");
        QVERIFY(!m.introLarge.isNull() || !QFile::exists(dir + "/images/intro_large.jpg"));
        SkirmishMissionHandler* battle = SkirmishMissionHandler::Instance();
        QCOMPARE(battle->thread(), QThread::currentThread());
        QCOMPARE(battle->AIs()->Count(), 1);
        QCOMPARE(battle->MapName(), "Skirmish Map A");
        QCOMPARE(battle->Battle().gameName, "Skirmish Game 2");
        QTRY_COMPARE(loads.syncStates.size(), 1);
        QVERIFY(loads.syncStates.first().hasMap);
        QVERIFY(loads.syncStates.first().hasGame);
        QVERIFY(!loads.syncStates.first().hasEngine); // no engine installed here
        MissionsHandler::LeaveMission();
        QVERIFY(!SkirmishMissionHandler::Exists());
        QVERIFY(!SyncHandler::Exists());
    }

    void failuresKeepTheInstalledMission()
    {
        QM_REQUIRE(Have7z(), "7z (p7zip-full)");
        TestEnvironment env;
        TearDownGuard guard;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        const QString url = "/extras/missions/campaign/01.7z";
        server.SetAnswer(url, 200, MakeMissionArchive(env.Path("work"), "01", "0.5", "Kept"));

        MissionsCampaignHandler::Initialize();
        MissionsCampaignHandler* campaign = MissionsCampaignHandler::Instance();
        Listener listener;
        Wire(campaign, &listener);
        campaign->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 3, 20000);
        const QString info = campaign->MissionFolder("01") + "/info.ini";
        const QByteArray installed = TestFiles::Read(info);
        QVERIFY(installed.contains("Kept"));

        // A broken archive: reported, and the installed mission stays as it was.
        server.SetAnswer(url, 200, QByteArray("7z\xBC\xAF\x27\x1C") + " but broken");
        listener.events.clear();
        campaign->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 3, 20000);
        QCOMPARE(listener.events, (QStringList{"downloaded 01", "download error 01", "finish 01"}));
        QCOMPARE(TestFiles::Read(info), installed);
        QVERIFY(!QFile::exists(campaign->ArchivePath("01")));
        QVERIFY(env.LogContains("MissionsHandler :: EXTRACT ERROR --- campaign 01"));

        // An archive without the mission's folder is refused the same way.
        TestFiles::Write(env.Path("work/other/stray/readme.txt"), "not a mission");
        QProcess p;
        p.setWorkingDirectory(env.Path("work/other"));
        p.start("7z", {QStringLiteral("a"), QStringLiteral("-t7z"), "../stray.7z", "stray"});
        QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);
        server.SetAnswer(url, 200, TestFiles::Read(env.Path("work/stray.7z")));
        listener.events.clear();
        campaign->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 3, 20000);
        QCOMPARE(listener.events, (QStringList{"downloaded 01", "download error 01", "finish 01"}));
        QCOMPARE(TestFiles::Read(info), installed);

        // A failed download changes nothing on disk.
        server.SetAnswer("/extras/missions/campaign/02.7z", 404, "gone");
        listener.events.clear();
        campaign->UpdateMission("02");
        QTRY_VERIFY2_WITH_TIMEOUT(listener.events.size() == 1, qPrintable(listener.events.join('|')), 20000);
        QCOMPARE(listener.events, QStringList{"download error 02"});
        QVERIFY(!QFileInfo::exists(campaign->MissionFolder("02")));

        // A server that never answers: the list shows a download under way, and closing the list
        // does not wait for it.
        server.SetAnswer("/extras/missions/campaign/03.7z", 0, QByteArray());
        campaign->UpdateMission("03");
        QTRY_VERIFY(campaign->IsDownloading());
        QTRY_VERIFY(server.Paths().contains("/extras/missions/campaign/03.7z"));
        QVERIFY(campaign->IsDownloading());
        QVERIFY(campaign->GetMissionFlag("03"));

        // An id that is not in the list downloads nothing.
        const int asked = server.Paths().size();
        campaign->InvokeBlocking("DoUpdateMission", Q_ARG(QString, QStringLiteral("77")));
        QTest::qWait(50);
        QCOMPARE(server.Paths().size(), asked);
        QVERIFY(listener.events.size() == 1);
        QElapsedTimer closing;
        closing.start();
        MissionsCampaignHandler::Destroy();
        // Waiting on the silent server would take the request's whole time limit.
        QVERIFY2(closing.elapsed() < 30000, qPrintable(QString::number(closing.elapsed())));
    }

    void campaignAndTutorialKeepApart()
    {
        QM_REQUIRE(Have7z(), "7z (p7zip-full)");
        TestEnvironment env;
        TearDownGuard guard;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        server.SetAnswer("/extras/missions/campaign/01.7z", 200,
                         MakeMissionArchive(env.Path("work"), "01", "1.0", "CampaignAuthor"));
        server.SetAnswer("/extras/missions/tutorial/01.7z", 200,
                         MakeMissionArchive(env.Path("work"), "01", "1.0", "TutorialAuthor"));

        MissionsCampaignHandler::Initialize();
        MissionsTutorialHandler::Initialize();
        MissionsCampaignHandler* campaign = MissionsCampaignHandler::Instance();
        MissionsTutorialHandler* tutorial = MissionsTutorialHandler::Instance();
        QVERIFY(campaign->ArchivePath("01") != tutorial->ArchivePath("01"));
        Listener c, t;
        Wire(campaign, &c);
        Wire(tutorial, &t);
        campaign->UpdateMission("01");
        tutorial->UpdateMission("01");
        QTRY_COMPARE_WITH_TIMEOUT(c.events.size(), 3, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(t.events.size(), 3, 20000);
        QTest::qWait(100); // nothing more may arrive
        QCOMPARE(c.events, (QStringList{"downloaded 01", "update 01", "finish 01"}));
        QCOMPARE(t.events, (QStringList{"downloaded 01", "update 01", "finish 01"}));
        QCOMPARE(c.updates.last().author, "CampaignAuthor");
        QCOMPARE(t.updates.last().author, "TutorialAuthor");
        QVERIFY(TestFiles::Read(campaign->MissionFolder("01") + "/info.ini").contains("CampaignAuthor"));
        QVERIFY(TestFiles::Read(tutorial->MissionFolder("01") + "/info.ini").contains("TutorialAuthor"));

        // Someone else's extraction with the same id text is none of their business.
        QMetaObject::invokeMethod(SevenZManager::Instance(), "OnFinish", Qt::DirectConnection,
                                  Q_ARG(QString, env.Path("elsewhere.7z")), Q_ARG(QString, "01"));
        QTest::qWait(100);
        QCOMPARE(c.events.size(), 3);
        QCOMPARE(t.events.size(), 3);
    }
};

QTEST_MAIN(TestMissionsHandler)
#include "tst_MissionsHandler.moc"
