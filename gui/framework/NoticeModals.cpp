#include "NoticeModals.h"

#include "Common.h"
#include "CommonIO.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "PlayerPictureWidget.h"
#include "WebUpdates.h"

#include <QDebug>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QVBoxLayout>

MessageBoxModal::MessageBoxModal(const QString& text) : NModalWidget(QString(), MODAL_OK_CANCEL)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2 * GuiUnit, 0, 2 * GuiUnit);
    layout->setSpacing(0);
    layout->addWidget(DialogKit::Label(0, text, Common::ColorLight()));
}

void MessageBoxModal::DoButtonCancelClick()
{
    NModalWidget::DoButtonCancelClick();
    emit OnModalExit();
}

ShowChangeLogModal::ShowChangeLogModal() : NModalWidget(tr("Change Log").toUpper(), MODAL_CLOSE)
{
    auto* content = new QVBoxLayout();
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(GuiUnit);
    content->addWidget(DialogKit::Label(3, tr("Lobby Change LOG").toUpper(), Common::ColorLight()));

    m_browser = Common::TextBrowserStyle();
    m_browser->setWordWrapMode(QTextOption::NoWrap);
    QByteArray changeLog;
    QString reason;
    if (CommonIO::ReadFile(QStringLiteral(":/DataRelations/changelog.lobby.txt"), MaxChangeLogBytes,
                           &changeLog, &reason) != CommonIO::ReadStatus::Ok)
        qWarning().noquote() << "ShowChangeLogModal :: NO CHANGE LOG ---" << reason;
    m_browser->setHtml(WebUpdates::ChangeLogToHtml(QString::fromUtf8(changeLog)));
    // Links go through DoAnchorClicked, which opens web addresses only.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &ShowChangeLogModal::DoAnchorClicked);
    content->addWidget(m_browser, 1);

    // Not a window-sized frame: on the modal page's band that would push the Close button off
    // a 960-pixel-high window.
    auto* frame = DialogKit::Framed(content);
    frame->setMinimumHeight(Common::Scale(400));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(GuiMargin, 0, GuiMargin, 0);
    layout->addWidget(frame);
}

bool ShowChangeLogModal::IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void ShowChangeLogModal::DoAnchorClicked(QUrl url)
{
    if (!IsWebAddress(url))
    {
        qWarning().noquote() << "ShowChangeLogModal :: LINK IGNORED ---" << url.toString().left(200);
        return;
    }
    QDesktopServices::openUrl(url);
}

ShowPictureModal::ShowPictureModal(const QString& header, const QString& picturePath)
    : NModalWidget(header.toUpper(), MODAL_CLOSE)
{
    const QPixmap picture(picturePath);
    if (picture.isNull())
        qWarning().noquote() << "ShowPictureModal :: NO PICTURE ---" << picturePath;
    m_picture = new PlayerPictureWidget(picture.size(), true);
    m_picture->SetPicture(picture);
    connect(m_picture, &PlayerPictureWidget::OnClick, this, &NModalWidget::OnModalExit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Common::CreateBorderFrame(DialogKit::Centred(m_picture)));
}
