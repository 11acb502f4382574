#pragma once

#include <QRegExp>
#include <QString>

// The filter of the lists' search fields: a case-insensitive wildcard pattern. A pattern that is
// no valid wildcard (an unclosed "[") matches as plain text instead of hiding every row.
namespace ListFilter
{
inline QRegExp Make(const QString& text)
{
    QRegExp filter(text, Qt::CaseInsensitive, QRegExp::Wildcard);
    if (!filter.isValid())
        filter.setPatternSyntax(QRegExp::FixedString);
    return filter;
}

// True when the filter is empty or matches one of the texts.
template <typename... Texts>
bool Matches(const QRegExp& filter, const Texts&... texts)
{
    if (filter.isEmpty())
        return true;
    for (const QString& text : {texts...})
        if (filter.indexIn(text) != -1)
            return true;
    return false;
}
} // namespace ListFilter
