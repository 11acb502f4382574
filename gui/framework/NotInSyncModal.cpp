#include "NotInSyncModal.h"

#include "AppDefines.h"
#include "Common.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NProgressBar.h"
#include "SyncManager.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

NotInSyncModal::NotInSyncModal(DataSyncState state)
    : NModalWidget(tr("Your Status - Not In Sync").toUpper(), MODAL_NO_BUTTONS)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* frame = new QFrame();
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);

    layout->addSpacing(8 * GuiUnit);
    layout->addWidget(DialogKit::Label(3, tr("Battle In Sync Validation").toUpper(), Common::ColorMain()));

    layout->addSpacing(3 * GuiUnit);
    const QList<QWidget*> columns = {
        CreateColumn(DataDownload::Game, QStringLiteral("GAME %1").arg(state.gameName.toUpper()),
                     QStringLiteral(":/Extras/game.%1.png").arg(AppDefines::Instance()->GetShortCode())),
        CreateColumn(DataDownload::Engine, QStringLiteral("SPRING %1").arg(state.engineVersion.toUpper()),
                     QStringLiteral(":/Extras/engine.png")),
        CreateColumn(DataDownload::MapCache, tr("Map Info").toUpper(),
                     QStringLiteral(":/Sync/sync_info.png")),
        CreateColumn(DataDownload::Map, SyncManager::Instance()->GetMapInfoText(state.mapName).toUpper(),
                     QStringLiteral(":/Sync/sync_maps.png"))};
    // The pictures differ in size: each gets the room of the largest, so that the captions and
    // status words stand in line. A column is as high as planned, or as its content needs.
    int pictureHeight = 0;
    for (const QLabel* picture : qAsConst(m_pictures))
        pictureHeight = qMax(pictureHeight, picture->sizeHint().height());
    for (QLabel* picture : qAsConst(m_pictures))
        picture->setFixedHeight(pictureHeight);
    int height = Common::Scale(125);
    for (QWidget* column : columns)
        height = qMax(height, column->sizeHint().height());
    auto* items = new QHBoxLayout();
    // Long status words (Russian, German) would otherwise run into each other.
    items->setSpacing(2 * GuiUnit);
    items->addStretch();
    for (QWidget* column : columns)
    {
        column->setFixedHeight(height);
        items->addWidget(column);
    }
    items->addStretch();
    layout->addLayout(items);

    layout->addSpacing(2 * GuiUnit);
    layout->addWidget(Common::CreateHLine(Common::Scale(4), Qt::black));
    layout->addSpacing(2 * GuiUnit);
    layout->addWidget(DialogKit::Label(
        3,
        tr("To start the Battle you should download all of the above\nYour download will start automatically")
            .toUpper(),
        Common::ColorLight()));

    layout->addSpacing(2 * GuiUnit);
    m_retry = new NButtonModal(ButtonRed, true);
    m_retry->SetText(tr("Retry"));
    m_retry->SetMinimumWidth(GuiButtonMinWidth);
    m_retry->setEnabled(false);
    m_close = new NButtonModal(ButtonBlue, true);
    m_close->SetText(tr("Close"));
    m_close->SetMinimumWidth(GuiButtonMinWidth);
    connect(m_retry, &QPushButton::clicked, this, &NotInSyncModal::DoButtonRetryClick);
    connect(m_close, &QPushButton::clicked, this, &NotInSyncModal::DoButtonCloseClick);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(m_retry);
    buttons->addWidget(m_close);
    buttons->addStretch();
    layout->addLayout(buttons);

    // Enter and Escape on the modal page press Retry and Close.
    connect(this, &NModalWidget::OnClick_OK, m_retry, &QPushButton::click);
    connect(this, &NModalWidget::OnClick_Cancel, m_close, &QPushButton::click);
    DoSyncState(state);
}

QWidget* NotInSyncModal::CreateColumn(int itemType, const QString& caption, const QString& picture)
{
    auto* column = new QFrame();
    column->setMinimumWidth(Common::Scale(160));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pictures << DialogKit::Picture(picture);
    layout->addLayout(DialogKit::Centred(m_pictures.last()));
    layout->addSpacing(2 * GuiUnit);
    m_captions[itemType] = DialogKit::Label(8, caption, Common::ColorWhite());
    layout->addWidget(m_captions[itemType]);
    layout->addSpacing(GuiUnit);
    m_progress[itemType] = new NProgressBar(NProgressBar::ChunkBlue);
    // A download that starts or ends moves nothing else.
    QSizePolicy keep = m_progress[itemType]->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_progress[itemType]->setSizePolicy(keep);
    m_progress[itemType]->hide();
    layout->addWidget(m_progress[itemType]);
    layout->addStretch();
    m_status[itemType] = DialogKit::Label(3, QString(), Common::ColorGreen());
    m_status[itemType]->setMinimumHeight(m_status[itemType]->fontMetrics().height());
    layout->addWidget(m_status[itemType]);
    layout->addStretch();
    return column;
}

NImageLabel* NotInSyncModal::StatusLabel(int itemType) const
{
    return itemType >= 0 && itemType < ItemCount ? m_status[itemType] : nullptr;
}

NProgressBar* NotInSyncModal::ProgressBar(int itemType) const
{
    return itemType >= 0 && itemType < ItemCount ? m_progress[itemType] : nullptr;
}

NImageLabel* NotInSyncModal::CaptionLabel(int itemType) const
{
    return itemType >= 0 && itemType < ItemCount ? m_captions[itemType] : nullptr;
}

void NotInSyncModal::DoSyncState(DataSyncState syncState)
{
    if (syncState.downloads.isEmpty())
    {
        for (NProgressBar* bar : m_progress)
            bar->hide();
    }
    for (const DataDownload& download : qAsConst(syncState.downloads))
    {
        if (NProgressBar* bar = ProgressBar(download.itemType))
            bar->setVisible(download.downloading);
    }

    const bool present[ItemCount] = {syncState.hasMap, syncState.hasMapCache, syncState.hasGame,
                                     syncState.hasEngine};
    for (int type = 0; type < ItemCount; ++type)
    {
        NImageLabel* label = m_status[type];
        if (present[type])
        {
            label->SetText(tr("Synced").toUpper());
            label->SetColor(Common::ColorGreen());
        }
        else if (syncState.downloads.contains(type))
        {
            const DataDownload download = syncState.downloads.value(type);
            label->SetText(download.statusText.toUpper());
            label->SetColor(download.hasErrors   ? Common::ColorRed()
                            : download.completed ? Common::ColorGreen()
                                                 : Common::ColorLight());
        }
        else
        {
            label->SetText(tr("Not Synced").toUpper());
            label->SetColor(Common::ColorRed());
        }
    }
    if (syncState.isChecked && syncState.downloadsIdle)
        m_retry->setEnabled(true);
}

void NotInSyncModal::DoProgress(DataDownloadProgress dataProgress)
{
    // The map information has no bar of its own to move.
    if (dataProgress.itemType == DataDownload::MapCache)
        return;
    if (NProgressBar* bar = ProgressBar(dataProgress.itemType))
        bar->SetValue(dataProgress.progress);
}

void NotInSyncModal::DoButtonRetryClick()
{
    m_retry->setEnabled(false);
    QTimer::singleShot(RetryDelayMs, this, &NotInSyncModal::OnRetry);
}

void NotInSyncModal::DoButtonCloseClick()
{
    ExitWithSound();
}
