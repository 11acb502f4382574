#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// Icons and pictures out of the resources.
namespace CommonIcon
{
// The flag icon of a country and, through `countryName`, the country's name.
QIcon GetFlagIcon(const QString& countryCode, QString* countryName = nullptr);
QPixmap GetFlagPath(const QString& countryCode);
QString GetCountryName(const QString& countryCode);
QIcon GetTeamFlagIcon(int index);
QStringList TeamFlagNames();
QStringList CoopLinkNames();
QIcon IconFromImage(const QImage& image);
} // namespace CommonIcon
