// The AI, player option and text entry dialogs, driven with real clicks and keys on the modal page
// of the real main window.

#include "AIHandler.h"
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "CustomAIFile.h"
#include "CustomAITreeView.h"
#include "ModalPage.h"
#include "NLineEdit.h"
#include "PlayerOptionModals.h"
#include "SelectAIModal.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TextEntryModals.h"
#include "helper_dialogs.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestChoiceDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<DialogHost> m_host;

    // Opens the dialog, presses the button and hands back the one result.
    template <typename Dialog, typename Signal>
    QList<QVariant> Press(Dialog* dialog, Signal signal, const char* property, int index)
    {
        QSignalSpy results(dialog, signal);
        QSignalSpy exits(dialog, &NModalWidget::OnModalExit);
        m_host->Open(dialog);
        const QList<QPushButton*> buttons = ButtonsWith(dialog, property);
        if (index >= buttons.size())
        {
            qWarning() << "no button" << index << "of" << buttons.size();
            return {};
        }
        m_host->Click(buttons.at(index));
        if (results.count() != 1 || exits.count() != 1 || m_host->IsOpen())
        {
            qWarning() << "results" << results.count() << "exits" << exits.count();
            return {};
        }
        return results.takeFirst();
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_host = std::make_unique<DialogHost>();
        qRegisterMetaType<DataPlayer>("DataPlayer");
    }

    void cleanup()
    {
        m_host.reset();
        m_env.reset();
    }

    // Which AIs each game offers is the gallery's (its AI dialog sheet); only an admin gets the
    // mission and custom AIs. No default choice: Enter does nothing, Escape closes without one.
    void AIButtons()
    {
        for (bool admin : {false, true})
        {
            AppSettingsSpringMyPersonal::Instance()->IsAdmin = admin;
            auto* dialog = new SelectAIModal(3);
            QSignalSpy chosen(dialog, &SelectAIModal::OnAIClick);
            m_host->Open(dialog);
            QStringList shown;
            for (QPushButton* button : ButtonsWith(dialog, "NAME_SHORT"))
                shown << SelectAIModal::GetButtonNameShort(button);
            QCOMPARE(shown.contains(AIHandler::KindMission()), admin);
            QCOMPARE(shown.contains(AIHandler::KindCustom()), admin);
            m_host->Key(Qt::Key_Return);
            QVERIFY(m_host->IsOpen());
            m_host->Key(Qt::Key_Escape);
            QVERIFY(!m_host->IsOpen());
            QCOMPARE(chosen.count(), 0);
        }
    }

    // Every button the dialog offers (its key, level and side, top to bottom and left to right), and
    // the AI record a press of one hands back.
    void AIChoice_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<int>("side");
        const auto button = [](const QString& key, int level, int side)
        { return QStringLiteral("%1 %2 %3").arg(key).arg(level).arg(side); };
        // The first game: R.A.V. for each of its two sides, the Skitterhive at four levels, side 0.
        const QStringList first = {
            button(AIHandler::KindRav(), 0, 0),      button(AIHandler::KindRav(), 0, 1),
            button(AIHandler::KindSkitters(), 0, 0), button(AIHandler::KindSkitters(), 1, 0),
            button(AIHandler::KindSkitters(), 2, 0), button(AIHandler::KindSkitters(), 3, 0)};
        // The others: one V.E.S.K.A. button per side of the game, nothing else.
        const auto veska = [&](int sides)
        {
            QStringList buttons;
            for (int side = 0; side < sides; ++side)
                buttons << button(AIHandler::KindVeska(), 0, side);
            return buttons;
        };
        QTest::newRow("R.A.V. second side") << "zorn" << first << 1 << "R.A.V. - Normal" << 1;
        QTest::newRow("Skitterhive easy") << "zorn" << first << 2 << "Skitter: Easy" << 0;
        QTest::newRow("Skitterhive normal") << "zorn" << first << 3 << "Skitter: Normal" << 0;
        QTest::newRow("Skitterhive hard") << "zorn" << first << 4 << "Skitter: Hard" << 0;
        QTest::newRow("Skitterhive insane") << "zorn" << first << 5 << "Skitter: Insane" << 0;
        QTest::newRow("V.E.S.K.A. last of nine") << "gvm" << veska(9) << 8 << "V.E.S.K.A." << 8;
        QTest::newRow("V.E.S.K.A. first of three") << "vq" << veska(3) << 0 << "V.E.S.K.A." << 0;
        QTest::newRow("V.E.S.K.A. second of two") << "yx" << veska(2) << 1 << "V.E.S.K.A." << 1;
    }

    void AIChoice()
    {
        QFETCH(QString, game);
        QFETCH(QStringList, offered);
        QFETCH(int, button);
        QFETCH(QString, shortName);
        QFETCH(int, side);
        QVERIFY(AppDefines::Instance()->SelectGame(game));
        auto* dialog = new SelectAIModal(5);
        QSignalSpy results(dialog, &SelectAIModal::OnAIClick);
        m_host->Open(dialog);
        const QList<QPushButton*> buttons = ButtonsWith(dialog, "NAME_SHORT");
        QStringList shown;
        for (QPushButton* b : buttons)
            shown << QStringLiteral("%1 %2 %3")
                         .arg(SelectAIModal::GetButtonNameShort(b))
                         .arg(SelectAIModal::GetButtonLevel(b))
                         .arg(SelectAIModal::GetButtonSideId(b));
        QCOMPARE(shown, offered);
        m_host->Click(buttons.value(button));
        QCOMPARE(results.count(), 1);
        QVERIFY(!m_host->IsOpen());
        const QList<QVariant> result = results.takeFirst();
        const DataPlayer ai = result.first().value<DataPlayer>();
        QVERIFY(ai.isAi);
        QCOMPARE(ai.aiShortName, shortName);
        QCOMPARE(ai.allyTeam, 5);
        // The Skitterhive plays no side of its own.
        if (!ai.IsAiSkitters())
        {
            QCOMPARE(ai.side, side);
            QCOMPARE(ai.sideName, DataPlayer::GetSideName(side));
        }
    }

    void CustomAI()
    {
        QVERIFY(TestFiles::Write(CustomAIFile::Path(), "# mine\nNullAI 0.1\t1\nKAIK\t0\n"));
        AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
        auto* dialog = new SelectAIModal(2);
        QSignalSpy chosen(dialog, &SelectAIModal::OnAIClick);
        m_host->Open(dialog);
        CustomAITreeView* list = dialog->CustomList();
        QVERIFY(list && list->isVisible());
        QPushButton* custom = nullptr;
        for (QPushButton* button : ButtonsWith(dialog, "NAME_SHORT"))
            custom = SelectAIModal::GetButtonNameShort(button) == AIHandler::KindCustom() ? button : custom;
        // Nothing chosen in the list: the button does nothing.
        list->setCurrentIndex(QModelIndex());
        m_host->Click(custom);
        QVERIFY(m_host->IsOpen());
        QCOMPARE(chosen.count(), 0);
        // A double click on an entry takes it, with its side.
        int row = 0;
        while (row < list->model()->rowCount() &&
               !list->model()->index(row, 2).data().toString().contains("NullAI"))
            ++row;
        const QPoint at = list->visualRect(list->model()->index(row, 2)).center();
        m_host->DoubleClick(list->viewport(), at);
        QTRY_COMPARE(chosen.count(), 1);
        QVERIFY(!m_host->IsOpen());
        const DataPlayer ai = chosen.first().first().value<DataPlayer>();
        QCOMPARE(ai.aiShortName, "NullAI 0.1");
        QCOMPARE(ai.side, 1);
        QCOMPARE(ai.allyTeam, 2);
        QTest::qWait(20);
        QCOMPARE(chosen.count(), 1);
    }

    void ColorDialog()
    {
        DataPlayer player("me", true, false);
        player.side = 1;
        auto* dialog = new SelectColorModal(player);
        const QList<QColor> palette = Common::GetTeamColors();
        QCOMPARE(ButtonsWith(dialog, "COLOR").size(), qMin(20, palette.size()));
        const QList<QVariant> result = Press(dialog, &SelectColorModal::OnColorClick, "COLOR", 7);
        QVERIFY(!result.isEmpty());
        const DataPlayer chosen = result.first().value<DataPlayer>();
        // Rows of five: the eighth button is the eighth colour.
        QCOMPARE(chosen.color.rgb(), palette.at(7).rgb());
        QCOMPARE(chosen.name, player.name);
        QCOMPARE(chosen.side, 1);
    }

    void SideDialogs_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("ai");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::newRow("player, two sides") << "zorn" << false << 2 << 1;
        QTest::newRow("player, nine sides") << "gvm" << false << 9 << 6;
        QTest::newRow("AI, R.A.V.") << "zorn" << true << 2 << 1;
        QTest::newRow("AI, V.E.S.K.A.") << "gvm" << true << 9 << 4;
        QTest::newRow("AI, mission only") << "vq" << true << 1 << 0;
    }

    void SideDialogs()
    {
        QFETCH(QString, game);
        QFETCH(bool, ai);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QVERIFY(AppDefines::Instance()->SelectGame(game));
        DataPlayer record("someone", !ai, ai);
        record.color = Qt::cyan;
        NModalWidget* dialog =
            ai ? static_cast<NModalWidget*>(new SelectAISideModal(record)) : new SelectSideModal(record);
        const char* property = ai ? "SIDE_ID" : "SIDE";
        QCOMPARE(ButtonsWith(dialog, property).size(), buttons);
        const QList<QVariant> result =
            ai ? Press(static_cast<SelectAISideModal*>(dialog), &SelectAISideModal::OnSideClick, property,
                       press)
               : Press(static_cast<SelectSideModal*>(dialog), &SelectSideModal::OnSideClick, property, press);
        QVERIFY(!result.isEmpty());
        const DataPlayer chosen = result.first().value<DataPlayer>();
        QCOMPARE(chosen.side, press);
        QCOMPARE(chosen.sideName, DataPlayer::GetSideName(press));
        QCOMPARE(chosen.color, QColor(Qt::cyan));
    }

    // The button of each level gives that level's AI, on the same ally team.
    void DifficultyDialog()
    {
        DataPlayer ai = AIHandler::MakeSkitterhiveAI(0);
        ai.allyTeam = 2;
        for (int level = 0; level < 4; ++level)
        {
            const QList<QVariant> result =
                Press(new SelectDifficultModal(ai), &SelectDifficultModal::OnDifficultClick, "LEVEL", level);
            QVERIFY(!result.isEmpty());
            const DataPlayer chosen = result.first().value<DataPlayer>();
            QCOMPARE(chosen.aiShortName, AIHandler::MakeSkitterhiveAI(level).aiShortName);
            QCOMPARE(chosen.allyTeam, 2);
        }
    }

    void StartPositionDialog()
    {
        for (int i = 0; i < 3; ++i)
        {
            auto* dialog = new SelectStartPositionModal();
            QSignalSpy value(dialog, &SelectStartPositionModal::OnReturnValue);
            m_host->Open(dialog);
            QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
            QCOMPARE(buttons.size(), 3);
            std::sort(buttons.begin(), buttons.end(),
                      [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
            m_host->Click(buttons.at(i));
            QCOMPARE(value.count(), 1);
            QCOMPARE(value.first().first().toString(), QString::number(i));
            QVERIFY(!m_host->IsOpen());
        }
    }

    void TextEntry_data()
    {
        QTest::addColumn<bool>("password");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("confirm"); // Qt::Key_Return, Qt::Key_Escape, or 0 for the OK button
        QTest::addColumn<int>("results");
        // OK and Escape are the two dialogs' shared base: once each.
        QTest::newRow("option, Enter") << false << "Battle of <b>Ford</b>" << int(Qt::Key_Return) << 1;
        QTest::newRow("option, OK, empty") << false << "" << 0 << 1;
        QTest::newRow("option, Escape") << false << "abc" << int(Qt::Key_Escape) << 0;
        QTest::newRow("password, Enter") << true << "s3cret" << int(Qt::Key_Return) << 1;
    }

    void TextEntry()
    {
        QFETCH(bool, password);
        QFETCH(QString, typed);
        QFETCH(int, confirm);
        QFETCH(int, results);
        TextEntryModal* dialog = password
                                     ? static_cast<TextEntryModal*>(new TypePasswordModal(42))
                                     : new TypeOptionStringModal("Mission Name", "Type Mission Name Option");
        std::unique_ptr<QSignalSpy> spy =
            password ? std::make_unique<QSignalSpy>(static_cast<TypePasswordModal*>(dialog),
                                                    &TypePasswordModal::OnReturnValue)
                     : std::make_unique<QSignalSpy>(static_cast<TypeOptionStringModal*>(dialog),
                                                    &TypeOptionStringModal::OnReturnValue);
        m_host->Open(dialog);
        QTRY_COMPARE(m_host->Focus(), static_cast<QWidget*>(dialog->LineEdit()));
        m_host->Type(typed);
        QCOMPARE(dialog->LineEdit()->text(), typed);
        // The password never shows in clear.
        QCOMPARE(dialog->LineEdit()->echoMode(), password ? QLineEdit::Password : QLineEdit::Normal);
        if (confirm)
            m_host->Key(confirm);
        else
            m_host->Click(ModalPage::Instance()->GetButtonOK());
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(spy->count(), results);
        if (results)
        {
            const QList<QVariant> values = spy->first();
            QCOMPARE(values.last().toString(), typed);
            if (password)
                QCOMPARE(values.first().toInt(), 42);
        }
    }
};

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choicedialogs.moc"
