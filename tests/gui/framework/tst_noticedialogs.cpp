// The notice dialogs and the language and game choices, driven with real keys and clicks on the
// modal page of the real main window.

#include "AppDefines.h"
#include "AppRestart.h"
#include "AppSettings.h"
#include "Common.h"
#include "GuiManager.h"
#include "ModalPage.h"
#include "NImageLabel.h"
#include "NoticeModals.h"
#include "PathManager.h"
#include "PlayerInfoModal.h"
#include "PlayerPictureWidget.h"
#include "SelectLanguageModal.h"
#include "SelectPlayGameModal.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TranslatorManager.h"
#include "helper_dialogs.h"
#include "helper_pages.h"

#include <QDesktopServices>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

// Takes the links the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

// What a restart would have started, and what was on disk at that moment.
struct Restarts
{
    QStringList programs;
    QList<QStringList> arguments;
    QStringList storedLanguage;
    QStringList runGameFile;
};

class TestNoticeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_host = std::make_unique<DialogHost>();
        m_restarts = Restarts();
        AppRestart::SetStarter(
            [this](const QString& program, const QStringList& arguments)
            {
                m_restarts.programs << program;
                m_restarts.arguments << arguments;
                m_restarts.storedLanguage << TestUi::StoredValue("AppSettings.Main", "LocaleName").toString();
                m_restarts.runGameFile << Common::ReadValue(SelectPlayGameModal::RunGameFilePath());
                return true;
            });
    }

    void cleanup()
    {
        AppRestart::SetStarter(nullptr);
        m_host.reset();
        m_env.reset();
    }

    void MessageBoxKeysAndButtons_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("okSignals");
        QTest::addColumn<bool>("open");
        QTest::newRow("OK button reports, host decides") << "ok" << 1 << true;
        QTest::newRow("Enter is OK") << "enter" << 1 << true;
        QTest::newRow("Cancel button closes") << "cancel" << 0 << false;
        QTest::newRow("Escape closes") << "escape" << 0 << false;
    }

    void MessageBoxKeysAndButtons()
    {
        QFETCH(QString, input);
        QFETCH(int, okSignals);
        QFETCH(bool, open);
        // A message that looks like markup is shown as it is.
        auto* box = new MessageBoxModal("<b>Quit</b> the lobby?");
        QSignalSpy ok(box, &NModalWidget::OnClick_OK);
        QSignalSpy exit(box, &NModalWidget::OnModalExit);
        m_host->Open(box);
        QVERIFY(m_host->IsOpen());
        auto* label = box->findChild<NImageLabel*>();
        QCOMPARE(label->text(), "<b>Quit</b> the lobby?");
        QCOMPARE(label->textFormat(), Qt::PlainText);

        ModalPage* page = ModalPage::Instance();
        if (input == "ok")
            m_host->Click(page->GetButtonOK());
        else if (input == "cancel")
            m_host->Click(page->GetButtonCancel());
        else
            m_host->Key(input == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        QCOMPARE(ok.count(), okSignals);
        QCOMPARE(exit.count(), open ? 0 : 1);
        QCOMPARE(m_host->IsOpen(), open);
        // The modal page plays the sound; the message box adds none.
        QCOMPARE(m_host->Sounds(), QStringList{open ? "button.on" : "button.off"});
    }

    void ChangeLogLinks()
    {
        auto* log = new ShowChangeLogModal();
        m_host->Open(log);
        QTextBrowser* browser = log->Browser();
        QVERIFY(browser->toPlainText().contains("0.1.0"));
        const QString before = browser->toHtml();

        UrlCatcher catcher;
        for (const char* scheme : {"http", "https", "file", "javascript", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
        // A real click on the link in the text.
        QTextCursor cursor = browser->document()->find("https://www.quillmere.org");
        QVERIFY(!cursor.isNull());
        cursor.setPosition(cursor.selectionStart() + 3);
        const QPoint at = browser->cursorRect(cursor).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl("https://www.quillmere.org")});
        QVERIFY(m_host->IsOpen());
        QCOMPARE(browser->toHtml(), before);

        // Whatever else a link might hold is not handed to the desktop.
        for (const char* url :
             {"file:///etc/passwd", "javascript:alert(1)", "mailto:a@b.c", "https://", "http:x"})
            log->DoAnchorClicked(QUrl(url));
        QCOMPARE(catcher.opened.size(), 1);
        for (const char* scheme : {"http", "https", "file", "javascript", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);

        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
    }

    void PictureClosesOnClick()
    {
        auto* dialog = new ShowPictureModal("Player Guide", ":/AI/queen.png");
        m_host->Open(dialog);
        m_host->Click(dialog->Picture());
        QVERIFY(!m_host->IsOpen());
    }

    void PlayerProfile_data()
    {
        QTest::addColumn<int>("platform");
        QTest::addColumn<QString>("localTime");
        QTest::addColumn<bool>("steam");
        QTest::addColumn<QString>("badge");
        QTest::newRow("linux, time") << 1 << "21:05" << false << ":/Lobby/zorn_linux.png";
        QTest::newRow("windows, no time") << 2 << "" << false << ":/Lobby/zorn_windows.png";
        QTest::newRow("mac, steam") << 3 << "08:00" << true << ":/Lobby/zorn_osx.png";
        QTest::newRow("unknown 0") << 0 << "" << false << ":/Lobby/spring.png";
        QTest::newRow("unknown 4") << 4 << "" << true << ":/Lobby/spring.png";
    }

    void PlayerProfile()
    {
        QFETCH(int, platform);
        QFETCH(QString, localTime);
        QFETCH(bool, steam);
        QFETCH(QString, badge);
        SpringPlayer player;
        player.name = "<b>Hawk</b>";
        player.id = "76561198000000001";
        player.country = "DE";
        player.platform = platform;
        player.localTime = localTime;
        SpringPlayersManager::Instance()->DoAddPlayer(player);
        SpringConnectionManager::Instance()->SetLoginMode(
            steam ? SpringConnectionManager::LoginMode::Steam : SpringConnectionManager::LoginMode::Account);
        auto* dialog = new PlayerInfoModal(player.name);
        m_host->Open(dialog);
        QCOMPARE(dialog->NameLabel()->text(), steam ? player.id : player.name);
        QCOMPARE(dialog->NameLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(dialog->CountryLabel()->text(), "GERMANY");
        QCOMPARE(dialog->LocalTimeLabel() != nullptr, !localTime.isEmpty());
        if (dialog->LocalTimeLabel())
            QCOMPARE(dialog->LocalTimeLabel()->text(), localTime);
        QCOMPARE(dialog->Badge()->pixmap(Qt::ReturnByValue).toImage(),
                 QPixmap(badge).scaled(16, 16).toImage());
        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        SpringPlayersManager::Destroy();
        SpringConnectionManager::Destroy();
    }

    void LanguageChoiceSavesThenRestarts()
    {
        auto* dialog = new SelectLanguageModal();
        m_host->Open(dialog);
        const QList<QPushButton*> buttons = ButtonsWith(dialog, "LC");
        QStringList codes;
        for (QPushButton* button : buttons)
            codes << button->property("LC").toString();
        QCOMPARE(codes, TranslatorManager::GetLanguages().keys());
        m_host->Key(Qt::Key_Return); // no default choice
        QVERIFY(m_host->IsOpen() && m_restarts.programs.isEmpty());

        QSignalSpy quit(GuiManager::Instance(), &GuiManager::OnAppQuit);
        m_host->Click(buttons.at(codes.indexOf("DE")));
        QCOMPARE(quit.count(), 1);
        QCOMPARE(m_restarts.programs, QStringList{QCoreApplication::applicationFilePath()});
        QVERIFY(QFileInfo(m_restarts.programs.first()).isAbsolute());
        QCOMPARE(m_restarts.arguments.first(), QStringList());
        // The new process must find the language on disk.
        QCOMPARE(m_restarts.storedLanguage, QStringList{"DE"});
        QVERIFY(m_env->LogContains("AppRestart :: RESTART --- " + QCoreApplication::applicationFilePath()));
    }

    void GameChoiceIsWrittenForTheNextStart_data()
    {
        QTest::addColumn<int>("game");
        for (int i = 0; i < AppDefines::GameTable().size(); ++i)
            QTest::newRow(qPrintable(AppDefines::GameTable().at(i).shortCode)) << i;
    }

    void GameChoiceIsWrittenForTheNextStart()
    {
        QFETCH(int, game);
        auto* dialog = new SelectPlayGameModal();
        m_host->Open(dialog);
        const QList<QPushButton*> buttons = ButtonsWith(dialog, "GAME_NAME_ID");
        QCOMPARE(buttons.size(), AppDefines::GameTable().size());
        m_host->Click(buttons.at(game));
        QCOMPARE(m_restarts.programs.size(), 1);
        QCOMPARE(m_restarts.arguments.first(), QStringList());
        // The start-up game choice takes what was written, with no game on the command line.
        bool unknown = true;
        QCOMPARE(AppDefines::ChooseGameIndex(QString(), m_restarts.runGameFile.first(), nullptr, &unknown),
                 game);
        QVERIFY(!unknown);
        QCOMPARE(QFileInfo(SelectPlayGameModal::RunGameFilePath()).absolutePath(),
                 QDir(m_env->Path("gamelobby")).absolutePath());
    }

    // A choice that can not be stored is said so, and nothing restarts: a new process would come up
    // with the old choice.
    void ChoiceNotSavedMeansNoRestart_data()
    {
        QTest::addColumn<bool>("language");
        QTest::newRow("game") << false;
        QTest::newRow("language") << true;
    }

    void ChoiceNotSavedMeansNoRestart()
    {
        QFETCH(bool, language);
        // A folder that can not be written to: no file in it can be replaced.
        const QString folder = QFileInfo(SelectPlayGameModal::RunGameFilePath()).absolutePath();
        const QString file = language ? AppSettings::Instance()->GetFilePath(AppSettingsBase::File::Lobby)
                                      : SelectPlayGameModal::RunGameFilePath();
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const TestFiles::AsPlainUser user;
        NModalWidget* dialog =
            language ? static_cast<NModalWidget*>(new SelectLanguageModal()) : new SelectPlayGameModal();
        m_host->Open(dialog);
        QSignalSpy quit(GuiManager::Instance(), &GuiManager::OnAppQuit);
        m_host->Click(ButtonsWith(dialog, language ? "LC" : "GAME_NAME_ID").first());
        QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::WriteOwner);
        QVERIFY(m_restarts.programs.isEmpty());
        QCOMPARE(quit.count(), 0);
        QVERIFY(m_host->IsOpen());
        const NImageLabel* error = language ? static_cast<SelectLanguageModal*>(dialog)->ErrorLabel()
                                            : static_cast<SelectPlayGameModal*>(dialog)->ErrorLabel();
        QVERIFY(error->isVisible());
        QVERIFY(error->text().contains(file));
        QVERIFY(m_env->LogContains(language ? "SelectLanguageModal :: NOT RESTARTED"
                                            : "SelectPlayGameModal :: NOT RESTARTED"));
        // The language in use stays the one stored.
        QVERIFY(!language || (TranslatorManager::Instance()->GetLanguage() != "CZ" &&
                              AppSettingsMain::Instance()->LocaleName != "CZ"));
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<DialogHost> m_host;
    Restarts m_restarts;
};

QTEST_MAIN(TestNoticeDialogs)
#include "tst_noticedialogs.moc"
