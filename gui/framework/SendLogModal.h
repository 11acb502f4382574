#pragma once

#include "NModalWidget.h"

#include <QString>

class GIFWidget;
class LogFilesWorker;
class NButtonModal;
class NImageLabel;
class NLineEdit;
class QLabel;
class QLayout;
class QTextBrowser;
class WebLog;

// Where a player reports a problem to the developers: name, e-mail and a description, the engine
// and lobby logs, the last game screenshot and the lobby screenshot, all sent with one button.
class SendLogModal final : public NModalWidget
{
    Q_OBJECT

public:
    // A log view shows at most the end of its file, so that a huge log neither stops the interface
    // nor fills the memory; the upload still sends the whole file.
    static constexpr qint64 MaxLogViewBytes = 2 * 1024 * 1024;
    // How long the result of a send stays on screen.
    static constexpr int ResultShownMs = 2000;

    SendLogModal();
    ~SendLogModal() override;

    NLineEdit* GetNameField() const { return m_name; }
    NLineEdit* GetEmailField() const { return m_email; }
    QTextBrowser* GetDescription() const { return m_description; }
    QTextBrowser* GetGameLogView() const { return m_gameLog; }
    QTextBrowser* GetLobbyLogView() const { return m_lobbyLog; }
    // Null when there was no screenshot to show.
    QLabel* GetGameScreenshot() const { return m_gameScreenshot; }
    QLabel* GetLobbyScreenshot() const { return m_lobbyScreenshot; }
    NImageLabel* GetStatus() const { return m_status; }
    GIFWidget* GetBusyAnimation() const { return m_busy; }
    NButtonModal* GetSendButton() const { return m_send; }
    NButtonModal* GetCloseButton() const { return m_close; }
    WebLog* GetUploader() const { return m_web; }

public slots:
    void DoLoadLobbyScreenshot();
    void DoLoadGameScreenshot();
    void DoButtonSendClick();
    void DoButtonCloseClick();
    void DoLogSent();
    void DoLogError();
    void DoLogCanSendAgain();
    void DoButtonShowGameLogFolderClick();
    void DoButtonShowLobbyLogFolderClick();

private slots:
    void DoLogRead(int id, QString text, bool opened);

private:
    QLayout* BuildLeftColumn();
    QLayout* BuildRightColumn();
    QLayout* BuildLogColumn(bool game);
    QLayout* BuildScreenshotColumn(bool game);
    QTextBrowser* CreateLogView() const;
    void ShowStatus(const QString& text, const QColor& color);
    // The newest picture in the engine's screenshots folder; other files are not screenshots.
    static QString NewestScreenshot();

    NLineEdit* m_name = nullptr;
    NLineEdit* m_email = nullptr;
    QTextBrowser* m_description = nullptr;
    QTextBrowser* m_gameLog = nullptr;
    QTextBrowser* m_lobbyLog = nullptr;
    QLabel* m_lobbyScreenshot = nullptr;
    QLabel* m_gameScreenshot = nullptr;
    NImageLabel* m_status = nullptr;
    GIFWidget* m_busy = nullptr;
    NButtonModal* m_send = nullptr;
    NButtonModal* m_close = nullptr;
    WebLog* m_web = nullptr;
    LogFilesWorker* m_reader = nullptr;
    // Only what the player saw is sent.
    bool m_gameScreenshotShown = false;
    bool m_lobbyScreenshotShown = false;
};
