#include "PlayerInfoModal.h"

#include "Common.h"
#include "CommonIcon.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "PlayerPictureWidget.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PlayerInfoModal::PlayerInfoModal(const QString& playerName)
    : NModalWidget(tr("Player's Profile").toUpper(), MODAL_CLOSE), m_playerName(playerName)
{
    const DataPlayer player = SpringPlayersManager::Instance()->GetPlayer(playerName).ToDataPlayer();
    const int pictureSize = Common::Scale(128);
    const int badgeSize = Common::Scale(16);

    auto* picture = new PlayerPictureWidget(QSize(pictureSize, pictureSize));
    picture->SetPicture(QPixmap::fromImage(player.picture));
    m_badge = new QLabel(picture);
    m_badge->setPixmap(QPixmap(BadgePath(player.platform))
                           .scaled(badgeSize, badgeSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_badge->setFixedSize(badgeSize, badgeSize);
    m_badge->move(pictureSize - badgeSize, pictureSize - badgeSize);

    auto* column = new QVBoxLayout();
    column->setSpacing(0);
    column->addLayout(DialogKit::Centred(Common::CreateNamedFrame(QStringLiteral("PlayerPicture"), picture)));

    column->addSpacing(2 * GuiUnit);
    m_name = DialogKit::Label(3, SpringConnectionManager::IsSteamLogin() ? player.id : player.name,
                              Common::ColorMain());
    column->addLayout(DialogKit::Centred(m_name));

    column->addSpacing(2 * GuiUnit);
    QString countryName;
    const QIcon flag = CommonIcon::GetFlagIcon(player.country, &countryName);
    auto* flagLabel = new QLabel();
    flagLabel->setPixmap(flag.pixmap(Common::Scale(16)));
    flagLabel->setToolTip(countryName);
    m_country = DialogKit::Label(3, countryName.toUpper(), Common::ColorWhite());
    auto* country = new QHBoxLayout();
    country->setSpacing(GuiUnit);
    country->addWidget(flagLabel);
    country->addWidget(m_country);
    column->addLayout(DialogKit::Centred(country));

    if (!player.localTime.isEmpty())
    {
        column->addSpacing(4 * GuiUnit);
        auto* time = new QHBoxLayout();
        time->setSpacing(GuiUnit);
        time->addWidget(DialogKit::Label(3, tr("Local Time").toUpper(), Common::ColorMain()));
        m_localTime = DialogKit::Label(3, player.localTime, Common::ColorWhite());
        time->addWidget(m_localTime);
        column->addLayout(DialogKit::Centred(time));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2 * GuiUnit, 0, GuiUnit);
    layout->addLayout(column);
}

QString PlayerInfoModal::BadgePath(int platform)
{
    switch (platform)
    {
    case 1:
        return QStringLiteral(":/Lobby/zorn_linux.png");
    case 2:
        return QStringLiteral(":/Lobby/zorn_windows.png");
    case 3:
        return QStringLiteral(":/Lobby/zorn_osx.png");
    default:
        return QStringLiteral(":/Lobby/spring.png");
    }
}
