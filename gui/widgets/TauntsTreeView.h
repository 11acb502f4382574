#pragma once

#include "StyledTreeView.h"

#include <QMap>
#include <QRegExp>

// Every taunt of the taunts service with its key and title, sorted by number, for the taunt
// choice dialog. A numbered taunt's row id is its number; taunts keyed by words follow the
// numbered ones, in key order, each on a free id of its own.
class TauntsTreeView final : public StyledTreeView
{
    Q_OBJECT

public:
    explicit TauntsTreeView(QWidget* parent = nullptr);

    // The key of the current row (the number for a numbered taunt); "-1" when there is none.
    QString GetSelectedTaunt() const;

signals:
    void OnDoubleClick(QString tauntID);

public slots:
    void DoFilter(QString text);

protected:
    bool FilterRow(const Row& row) override;
    void DoubleClicked(const Row& row) override;

private:
    void Load();
    void AddTaunt(int id, qint64 order, const QString& key, const QString& message);

    QRegExp m_filter;
    QMap<int, QString> m_keys; // row id -> taunt key
};
