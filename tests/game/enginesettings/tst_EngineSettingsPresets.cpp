#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <cmath>
#include <thread>

class TestEngineSettingsPresets : public QObject
{
    Q_OBJECT

    TestEnvironment* m_env = nullptr;
    EngineSettingsHandler* m_handler = nullptr;

private slots:
    void initTestCase()
    {
        m_env = new TestEnvironment();
        m_handler = EngineSettingsHandler::Instance();
    }

    void cleanupTestCase()
    {
        EngineSettingsHandler::Destroy();
        delete m_env;
    }

    void SafeModeReadsItsValues()
    {
        const DataEngineSettings es = m_handler->GetPreset(EngineSettingsHandler::PresetSafeMode);
        // Values written as "-1;", "2;", "true;" read as what they say.
        QCOMPARE(es.Shadows, -1);
        QCOMPARE(es.ROAM, 2);
        QCOMPARE(es.WorkerThreadCount, 0);
        QCOMPARE(es.CompressTextures, true);
        QCOMPARE(es.UseVBO, false);
        QCOMPARE(es.ShadowMapSize, 2048); // not listed: the default stays
    }

    void OutOfRangeGivesSafeMode()
    {
        const DataEngineSettings safe = m_handler->GetPreset(5);
        QVERIFY(m_handler->GetPreset(6) == safe);
        QVERIFY(m_handler->GetPreset(-1) == safe);
        QVERIFY(m_handler->GetPreset(1000) == safe);
        QVERIFY(m_handler->GetPreset(4) != safe);
    }

    void MatchesOwnPresetFirst()
    {
        for (int i = 0; i < EngineSettingsHandler::PresetCount; ++i)
        {
            const DataEngineSettings es = m_handler->GetPreset(i);
            QVERIFY(m_handler->MatchesPreset(es, i));
            int first = -1;
            for (int j = 0; j < EngineSettingsHandler::PresetCount && first < 0; ++j)
                if (m_handler->MatchesPreset(es, j))
                    first = j;
            QCOMPARE(first, i);
        }
    }

    void MatchComparesOnlyPresetKeys()
    {
        DataEngineSettings es = m_handler->GetPreset(2);
        es.XResolution = 7;
        es.ShowClock = !es.ShowClock;
        es.WindowedEdgeMove = !es.WindowedEdgeMove;
        es.GuiOpacity = 0.1f;
        es.SpringData = QStringLiteral("/else");
        QVERIFY(m_handler->MatchesPreset(es, 2));
        // Any difference in a preset key breaks the match, even the smallest float step.
        es = m_handler->GetPreset(3);
        es.FeatureDrawDistance = std::nextafter(es.FeatureDrawDistance, 1e9f);
        QVERIFY(!m_handler->MatchesPreset(es, 3));
        es = m_handler->GetPreset(3);
        es.BumpWaterUseUniforms = !es.BumpWaterUseUniforms;
        QVERIFY(!m_handler->MatchesPreset(es, 3));
    }

    void PresetsFromAnotherThread()
    {
        // The settings page asks on its own thread while the worker runs.
        bool allMatched = true;
        std::thread asker(
            [this, &allMatched]
            {
                for (int n = 0; n < 200; ++n)
                    allMatched = allMatched && m_handler->MatchesPreset(m_handler->GetPreset(n % 6), n % 6);
            });
        m_handler->LoadEngineSettings(false, true);
        asker.join();
        QVERIFY(allMatched);
    }
};

QTEST_MAIN(TestEngineSettingsPresets)
#include "tst_EngineSettingsPresets.moc"
