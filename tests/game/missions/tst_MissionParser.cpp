#include "AppSettings.h"
#include "MissionParser.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TranslatorManager.h"

#include <QtTest>

namespace
{
// A mission file with every section, LF line ends and no line end after the last line.
QByteArray FullFile()
{
    return TestFiles::Read(QFINDTESTDATA("data/full_mission.ini"));
}

QByteArray WithLineEnds(const QByteArray& text, const QByteArray& end)
{
    QByteArray out = text;
    out.replace("\n", end);
    return out;
}
} // namespace

class TestMissionParser : public QObject
{
    Q_OBJECT

private slots:
    void readSameForEveryLineEnd_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("CRLF") << WithLineEnds(FullFile(), "\r\n");
        QTest::newRow("LF") << FullFile();
        QTest::newRow("BOM CRLF") << QByteArray("\xEF\xBB\xBF") + WithLineEnds(FullFile(), "\r\n");
        QTest::newRow("BOM LF") << QByteArray("\xEF\xBB\xBF") + FullFile();
    }

    void readSameForEveryLineEnd()
    {
        QFETCH(QByteArray, data);
        TestEnvironment env;
        AppSettingsMain::Instance()->LocaleName = "EN";
        DataMission m;
        QVERIFY(MissionParser::parseFull(data, m));
        QCOMPARE(m.description, "Hold the bridge.");
        QCOMPARE(m.author, QString()); // the full read leaves header fields alone
        QCOMPARE(m.version, QString());
        QCOMPARE(m.engineVersion, "106.0");
        QCOMPARE(m.mapName, "Delta Crossing");
        QCOMPARE(m.game, "Morvantis 1.0");
        QCOMPARE(m.player.allyTeam, 0);
        QCOMPARE(m.player.team, 1);
        QCOMPARE(m.player.side, 1);
        QCOMPARE(m.player.color, QColor(255, 0, 0));
        QCOMPARE(m.bots.keys(), (QList<int>{1, 3}));
        const DataPlayer hive = m.bots.value(1);
        QCOMPARE(hive.allyTeam, 1);
        QCOMPARE(hive.team, 2);
        QCOMPARE(hive.aiShortName, "Skitter: Insane");
        QVERIFY(hive.isAi);
        QCOMPARE(hive.name, "Hive");
        QCOMPARE(hive.aiKind, "Hive");
        QCOMPARE(hive.side, 0);
        QCOMPARE(hive.color, QColor(Qt::blue));
        QCOMPARE(m.bots.value(3).aiShortName, "R.A.V. - Normal");
        // Sections we do not know are ignored silently, also their last line without a line end.
        QVERIFY(!env.LogContains("Wrong key"));

        // The header read takes author and version only.
        DataMission h;
        QVERIFY(MissionParser::parseHeader(data, h));
        QCOMPARE(h.author, "Quill Author");
        QCOMPARE(h.version, "1.2");
        QCOMPARE(h.description, QString());
        QCOMPARE(h.mapName, QString());
        QVERIFY(h.bots.isEmpty());
    }

    void emptyDataIsRefusedAndRecordKept()
    {
        TestEnvironment env;
        DataMission m("01", "1.0", "T");
        m.author = "kept";
        QVERIFY(!MissionParser::parseFull(QByteArray(), m));
        QVERIFY(!MissionParser::parseHeader(QByteArray(), m));
        QCOMPARE(m.author, "kept");
        // Only a BOM: not empty data, but nothing in it.
        QVERIFY(MissionParser::parseHeader("\xEF\xBB\xBF", m));
        QCOMPARE(m.author, "kept");
    }

    void lineRules()
    {
        TestEnvironment env;
        DataMission m;
        QVERIFY(
            MissionParser::parseHeader(";author=x\r\n[general]\r\nVersion=1.5\r\nauthor = spaced\r\n", m));
        QCOMPARE(m.version, "1.5");
        QCOMPARE(m.author, QString()); // "author " with a blank matches nothing

        DataMission d;
        QVERIFY(MissionParser::parseFull("[depends]\r\na=\r\n map=x\r\n=map\r\n#map=y\r\nmap=\xC3\x9C"
                                         "ber\r\n",
                                         d));
        QCOMPARE(d.mapName, QString::fromUtf8("Über"));
        QVERIFY(!env.LogContains("Wrong key 'a'")); // "a=" is too short to read

        DataMission e;
        QVERIFY(MissionParser::parseFull("[depends]\r\na=b\r\n", e));
        QVERIFY(env.LogContains("MissionParser :: Wrong key 'a' in section 'depends!"));

        // Lines before the first section belong to no section.
        DataMission f;
        QVERIFY(MissionParser::parseHeader("author=nobody\nversion=9\n", f));
        QCOMPARE(f.author, QString());
        QCOMPARE(f.version, QString());
    }

    void wrongKeysWarnOnlyInKnownSections()
    {
        TestEnvironment env;
        DataMission m;
        QVERIFY(MissionParser::parseFull("[bot1]\nfoo=1\n[extra]\nbar=1\n[player2]\nbaz=3\n", m));
        QVERIFY(env.LogContains("MissionParser :: Wrong key 'foo' in section 'bot1!"));
        QVERIFY(env.LogContains("MissionParser :: Wrong key 'baz' in section 'player2!"));
        QVERIFY(!env.LogContains("'bar'"));
        QVERIFY(m.bots.isEmpty()); // a wrong key creates no bot
    }

    void botNumbersAndLevels()
    {
        TestEnvironment env;
        DataMission m;
        QVERIFY(MissionParser::parseFull("[bot]\nteam=4\n[bots]\ncoop=5\n[bot2]\nlevel=2\nai=mission ai\n"
                                         "[bot7]\nai=V.E.S.K.A.\nlevel=3\n[bot8]\nai=Skitter\nlevel=x\n",
                                         m));
        QCOMPARE(m.bots.keys(), (QList<int>{0, 2, 7, 8}));
        QCOMPARE(m.bots.value(0).allyTeam, 4);
        QCOMPARE(m.bots.value(0).team, 5);
        QVERIFY(!m.bots.value(0).isAi);
        QCOMPARE(m.bots.value(2).aiShortName, "Mission AI");
        QCOMPARE(m.bots.value(7).aiShortName, "V.E.S.K.A.");
        QCOMPARE(m.bots.value(8).aiShortName, "Skitter: Easy");
    }

    void descriptionLanguage()
    {
        TestEnvironment env;
        const QByteArray data =
            "[general]\ndescription_ru=RU text\ndescription_en=EN text\ndescription_=nobody\n";
        DataMission m;
        AppSettingsMain::Instance()->LocaleName = "RU";
        QVERIFY(MissionParser::parseFull(data, m));
        QCOMPARE(m.description, "RU text");

        // No German text: English, wherever it stands in the file.
        AppSettingsMain::Instance()->LocaleName = "DE";
        DataMission de;
        QVERIFY(MissionParser::parseFull(data, de));
        QCOMPARE(de.description, "EN text");

        // No language chosen: the system language, never "description_".
        AppSettingsMain::Instance()->LocaleName.clear();
        QCOMPARE(MissionParser::InterfaceLanguage(), TranslatorManager::SystemLanguage());
        QVERIFY(!MissionParser::InterfaceLanguage().isEmpty());
        DataMission none;
        QVERIFY(MissionParser::parseFull(data, none));
        QVERIFY(none.description == "EN text" || none.description == "RU text");
        QCOMPARE(MissionParser::DescriptionKeys(QString()), QStringList{"description_en"});
        QCOMPARE(MissionParser::DescriptionKeys("en"), QStringList{"description_en"});
        QCOMPARE(MissionParser::DescriptionKeys("CZ"), (QStringList{"description_cz", "description_en"}));

        // Only the wanted language or English, nothing else.
        DataMission other;
        QVERIFY(MissionParser::parse("[general]\ndescription_fr=FR\n", other, MissionParser::Full,
                                     MissionParser::DescriptionKeys("DE")));
        QCOMPARE(other.description, QString());
    }

    void otherModeReadsNothing()
    {
        TestEnvironment env;
        DataMission m;
        QVERIFY(MissionParser::parse(FullFile(), m, 7));
        QCOMPARE(m.author, QString());
        QCOMPARE(m.mapName, QString());
        QCOMPARE(m.description, QString());
    }
};

QTEST_GUILESS_MAIN(TestMissionParser)
#include "tst_MissionParser.moc"
