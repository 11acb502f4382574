#pragma once

#include "DataSync.h"
#include "NModalWidget.h"

#include <QList>

class NButtonModal;
class NImageLabel;
class NProgressBar;
class QLabel;

// What a battle needs that is not installed here: the game, the engine, the map information
// and the map, each with its state and the progress of its download. The host feeds it the sync
// and download workers' answers; the dialog itself downloads nothing.
class NotInSyncModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit NotInSyncModal(DataSyncState state);

    // By item type (DataDownload::ItemType).
    NImageLabel* StatusLabel(int itemType) const;
    NProgressBar* ProgressBar(int itemType) const;
    NImageLabel* CaptionLabel(int itemType) const;
    NButtonModal* RetryButton() const { return m_retry; }
    NButtonModal* CloseButton() const { return m_close; }

    static constexpr int RetryDelayMs = 200;

signals:
    void OnRetry();

public slots:
    void DoSyncState(DataSyncState syncState);
    void DoProgress(DataDownloadProgress dataProgress);
    void DoButtonRetryClick();
    void DoButtonCloseClick();

private:
    static constexpr int ItemCount = 4;
    QWidget* CreateColumn(int itemType, const QString& caption, const QString& picture);

    NImageLabel* m_status[ItemCount] = {};
    NProgressBar* m_progress[ItemCount] = {};
    NImageLabel* m_captions[ItemCount] = {};
    QList<QLabel*> m_pictures;
    NButtonModal* m_retry = nullptr;
    NButtonModal* m_close = nullptr;
};
