#pragma once

#include "DataMisc.h"
#include "NModalWidget.h"

class GIFWidget;
class NButton;
class NImageLabel;
class QFrame;

// Asks the web service whether a newer lobby exists and shows its answers. Download only tells
// the host, which downloads.
class CheckForUpdatesModal final : public NModalWidget
{
    Q_OBJECT

public:
    CheckForUpdatesModal();

    NImageLabel* Headline() const { return m_headline; }
    NImageLabel* Detail() const { return m_detail; }
    GIFWidget* Busy() const { return m_busy; }
    NButton* DownloadButton() const { return m_download; }
    QFrame* DownloadFrame() const { return m_downloadFrame; }

signals:
    void OnDownloadUpdatesClick();

public slots:
    void DoCheck();
    void DoDownloadClick();
    void DoHasUpdates(DataUpdates data);
    void DoNoUpdates();
    void DoError();

private:
    void ShowOutcome(const QString& text, const QColor& color);

    GIFWidget* m_busy = nullptr;
    NImageLabel* m_headline = nullptr;
    NImageLabel* m_detail = nullptr;
    QFrame* m_downloadFrame = nullptr;
    NButton* m_download = nullptr;
};
