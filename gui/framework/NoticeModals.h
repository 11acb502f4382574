#pragma once

#include "NModalWidget.h"

#include <QUrl>

class PlayerPictureWidget;
class QTextBrowser;

// A question or message with OK and Cancel. OK only reports (the host decides and closes);
// Cancel closes.
class MessageBoxModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit MessageBoxModal(const QString& text);

public slots:
    void DoButtonCancelClick() override;
};

// The program's change log.
class ShowChangeLogModal final : public NModalWidget
{
    Q_OBJECT

public:
    ShowChangeLogModal();

    // The change log is read whole; a larger one is not shown.
    static constexpr qint64 MaxChangeLogBytes = 1024 * 1024;

    QTextBrowser* Browser() const { return m_browser; }
    // Only web addresses are handed to the desktop; anything else in a link is ignored.
    static bool IsWebAddress(const QUrl& url);

public slots:
    void DoAnchorClicked(QUrl url);

private:
    QTextBrowser* m_browser = nullptr;
};

// An enlarged picture; a click on it closes the dialog.
class ShowPictureModal final : public NModalWidget
{
    Q_OBJECT

public:
    ShowPictureModal(const QString& header, const QString& picturePath);

    PlayerPictureWidget* Picture() const { return m_picture; }

private:
    PlayerPictureWidget* m_picture = nullptr;
};
