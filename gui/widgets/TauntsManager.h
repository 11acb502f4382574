#pragma once

#include "Singleton.h"

#include <QHash>
#include <QObject>

// The taunt list of "taunts.ini": taunt key -> chat message, and message -> sound file.
// GUI thread only.
class TauntsManager : public QObject, public Singleton<TauntsManager>
{
    Q_OBJECT
    friend class Singleton<TauntsManager>;

public:
    // A taunt pack claiming more entries than this is cut off there.
    static constexpr int MaxTaunts = 1000;

    static void DestroyInstance() { Destroy(); }

    void Load();
    void Clear();
    bool Contains(const QString& key) const { return m_messages.contains(key); }
    QString GetMessage(const QString& key) const { return m_messages.value(key); }
    QHash<QString, QString> GetTaunts() const { return m_messages; }
    int Count() const { return m_messages.size(); }
    QString GetTauntFile(const QString& text) const;

signals:
    void OnClear();
    void OnReload();

private:
    TauntsManager();
    ~TauntsManager() override;

    QHash<QString, QString> m_messages; // key -> message
    QHash<QString, QString> m_files;    // lower-case message -> sound file
};
