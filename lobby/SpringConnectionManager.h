#pragma once

#include "Singleton.h"

#include <QObject>

// The lobby connection: how the user logs in.
class SpringConnectionManager : public QObject, public Singleton<SpringConnectionManager>
{
    Q_OBJECT
    friend class Singleton<SpringConnectionManager>;

public:
    enum class LoginMode
    {
        Account,
        Steam,
        Demo
    };

    static bool IsSteamLogin();
    LoginMode GetLoginMode() const { return m_mode; }
    void SetLoginMode(LoginMode mode) { m_mode = mode; }

private:
    SpringConnectionManager();
    ~SpringConnectionManager() override;

    LoginMode m_mode = LoginMode::Account;
};
