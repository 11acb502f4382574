#include "CheckForUpdatesModal.h"

#include "Common.h"
#include "DialogKit.h"
#include "GIFWidget.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "WebUpdates.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

CheckForUpdatesModal::CheckForUpdatesModal() : NModalWidget(tr("Updates").toUpper(), MODAL_CLOSE)
{
    setFixedHeight(Common::Scale(120));
    m_busy = new GIFWidget(1, false);
    m_headline = DialogKit::Label(3, tr("Checking for Updates...").toUpper(), Common::ColorMain());
    m_detail = DialogKit::Label(3, QString(), Common::ColorWhite());
    m_detail->hide();

    m_download = new NButton(ButtonRed, true);
    m_download->SetText(tr("Download"));
    connect(m_download, &QPushButton::clicked, this, &CheckForUpdatesModal::DoDownloadClick);
    m_downloadFrame = new QFrame();
    m_downloadFrame->setLayout(DialogKit::Centred(m_download));
    m_downloadFrame->hide();

    auto* column = new QVBoxLayout();
    column->setSpacing(GuiUnitHalf);
    column->addStretch();
    column->addWidget(m_headline);
    column->addWidget(m_detail);
    column->addWidget(m_downloadFrame);
    column->addStretch();

    auto* row = new QHBoxLayout();
    row->setSpacing(2 * GuiUnit);
    row->addStretch();
    row->addWidget(m_busy);
    row->addLayout(column);
    row->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    m_busy->Start();

    // Every answer of the service shows, the latest over the one before.
    WebUpdates* updates = WebUpdates::Instance();
    connect(updates, &WebUpdates::OnHasUpdates, this, &CheckForUpdatesModal::DoHasUpdates);
    connect(updates, &WebUpdates::OnNoUpdates, this, &CheckForUpdatesModal::DoNoUpdates);
    connect(updates, &WebUpdates::OnError, this, &CheckForUpdatesModal::DoError);
    QTimer::singleShot(1000, this, &CheckForUpdatesModal::DoCheck);
}

void CheckForUpdatesModal::DoCheck()
{
    WebUpdates::CheckUpdates();
}

void CheckForUpdatesModal::DoDownloadClick()
{
    // Every press: the host decides what a second one does (a failed download tried again).
    emit OnDownloadUpdatesClick();
}

void CheckForUpdatesModal::ShowOutcome(const QString& text, const QColor& color)
{
    m_busy->Stop();
    m_headline->SetText(text.toUpper());
    m_headline->SetColor(color);
    // A later answer replaces a new version's offer too.
    m_detail->hide();
    m_downloadFrame->hide();
}

void CheckForUpdatesModal::DoHasUpdates(DataUpdates)
{
    ShowOutcome(tr("There's a new version of lobby available"), Common::ColorGreen());
    m_detail->SetText(tr("Update now to get the latest features and improvements").toUpper());
    m_detail->show();
    m_downloadFrame->show();
}

void CheckForUpdatesModal::DoNoUpdates()
{
    ShowOutcome(tr("You are using the latest version of lobby."), Common::ColorMain());
}

void CheckForUpdatesModal::DoError()
{
    ShowOutcome(tr("An error occurred while checking for a software update."), Common::ColorRed());
}
