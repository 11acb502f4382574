#pragma once

#include "NModalWidget.h"

class NImageLabel;
class QLabel;

// A lobby player's profile: picture with the client platform's badge, name, country and, when
// known, local time.
class PlayerInfoModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit PlayerInfoModal(const QString& playerName);

    // The badge picture of a client platform number (1 Linux, 2 Windows, 3 macOS, else generic).
    static QString BadgePath(int platform);

    NImageLabel* NameLabel() const { return m_name; }
    NImageLabel* CountryLabel() const { return m_country; }
    // Null when the player's local time is not known.
    NImageLabel* LocalTimeLabel() const { return m_localTime; }
    QLabel* Badge() const { return m_badge; }

private:
    QString m_playerName;
    NImageLabel* m_name = nullptr;
    NImageLabel* m_country = nullptr;
    NImageLabel* m_localTime = nullptr;
    QLabel* m_badge = nullptr;
};
