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

    void GraphicsPresets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("ints");
        QTest::addColumn<QList<bool>>("flags");
        // Shadows, ShadowMapSize, GroundDetail, TreeRadius, MaxParticles, MaxNanoParticles, FSAALevel,
        // BumpWaterDepthBits, ReflectiveWater, ROAM, GroundDecals, BumpWaterTexSizeReflection,
        // MaxDynamicMapLights 3DTrees, AdvMapShading, UseVBO, HighResLos, BumpWaterEndlessOcean, ShowClock,
        // WindowedEdgeMove
        QTest::newRow("minimal") << 0 << QList<int>{0, 32, 60, 1000, 1000, 1000, 0, 16, 0, 2, 0, 32, 0}
                                 << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("low") << 1 << QList<int>{2, 512, 60, 1000, 3000, 2000, 0, 16, 1, 2, 1, 32, 0}
                             << QList<bool>{true, false, false, false, true, false, false};
        QTest::newRow("medium") << 2 << QList<int>{2, 2048, 100, 1500, 3000, 2000, 2, 16, 3, 1, 1, 128, 0}
                                << QList<bool>{true, false, true, false, true, false, false};
        QTest::newRow("high") << 3 << QList<int>{1, 4096, 150, 3000, 9999, 5000, 4, 24, 3, 1, 1, 256, 0}
                              << QList<bool>{true, true, true, true, true, false, false};
        QTest::newRow("ultra") << 4 << QList<int>{1, 8192, 200, 3000, 9999, 5000, 8, 32, 3, 1, 1, 512, 1}
                               << QList<bool>{true, true, true, true, true, false, false};
    }

    void GraphicsPresets()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, ints);
        QFETCH(QList<bool>, flags);
        const DataEngineSettings es = m_handler->GetPreset(index);
        const QList<int> gotInts{es.Shadows,
                                 es.ShadowMapSize,
                                 es.GroundDetail,
                                 es.TreeRadius,
                                 es.MaxParticles,
                                 es.MaxNanoParticles,
                                 es.FSAALevel,
                                 es.BumpWaterDepthBits,
                                 es.ReflectiveWater,
                                 es.ROAM,
                                 es.GroundDecals,
                                 es.BumpWaterTexSizeReflection,
                                 es.MaxDynamicMapLights};
        QCOMPARE(gotInts, ints);
        const QList<bool> gotFlags{es._3DTrees,        es.AdvMapShading,         es.UseVBO,
                                   es.HighResLos,      es.BumpWaterEndlessOcean, es.ShowClock,
                                   es.WindowedEdgeMove};
        QCOMPARE(gotFlags, flags);
        QCOMPARE(es.FeatureDrawDistance, 9999.0f);
        QCOMPARE(es.GrassDetail, 0);
        // Keys the presets leave out keep the field defaults.
        QCOMPARE(es.LinkOutgoingBandwidth, 65536);
        QCOMPARE(es.CompressTextures, false);
        QCOMPARE(es.WorkerThreadCount, -1);
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
