#include "IniText.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QVector>
#include <algorithm>

namespace IniText
{
namespace
{
// As QSettings reads them: a line whose first character is "[" opens a group, named up to "]" or to
// the end of the line; a ";" line is a comment; otherwise the key is what comes before the "=".
bool SectionName(const QByteArray& line, QByteArray* name)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return false;
    const int close = trimmed.indexOf(']');
    *name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
    return true;
}

bool KeyName(const QByteArray& line, QByteArray* key)
{
    const QByteArray trimmed = line.trimmed();
    const int eq = trimmed.indexOf('=');
    if (eq < 0 || trimmed.startsWith(';') || trimmed.startsWith('['))
        return false;
    *key = trimmed.left(eq).trimmed();
    return true;
}

struct Section
{
    QByteArray name;
    QList<QPair<QByteArray, QByteArray>> lines; // key and its whole line, in order
    QHash<QByteArray, QByteArray> byKey;
};

QList<Section> Sections(const QByteArray& text)
{
    QList<Section> sections;
    int current = -1;
    for (QByteArray line : text.split('\n'))
    {
        if (line.endsWith('\r'))
            line.chop(1);
        QByteArray name;
        QByteArray key;
        if (SectionName(line, &name))
        {
            // A group named twice is one group, as QSettings reads it.
            current = 0;
            while (current < sections.size() && sections[current].name != name)
                ++current;
            if (current == sections.size())
                sections.append({name, {}, {}});
        }
        else if (current >= 0 && KeyName(line, &key) && !sections[current].byKey.contains(key))
        {
            sections[current].lines.append({key, line});
            sections[current].byKey.insert(key, line);
        }
    }
    return sections;
}
} // namespace

QByteArray Merge(const QByteArray& original, const QByteArray& ours)
{
    const QList<Section> sections = Sections(ours);
    QHash<QByteArray, int> sectionIndex;
    for (int i = 0; i < sections.size(); ++i)
        sectionIndex.insert(sections[i].name, i);
    // New lines take the file's own line ends.
    const QByteArray cr = original.contains("\r\n") ? QByteArrayLiteral("\r") : QByteArray();

    // Two passes over the lines, without holding them: the first finds which of our keys the file
    // has and where the others go, the second writes the text.
    QVector<QSet<QByteArray>> placed(sections.size());
    // After which line a key the file lacks goes: the last line of the group's last occurrence.
    QVector<int> insertAfter(sections.size(), -1);
    QByteArray text;
    text.reserve(original.size() + ours.size());
    for (int pass = 0; pass < 2; ++pass)
    {
        QHash<int, QVector<int>> inserts; // line number -> groups whose missing keys follow it
        for (int i = 0; pass == 1 && i < sections.size(); ++i)
        {
            if (insertAfter[i] >= 0)
                inserts[insertAfter[i]] << i;
        }
        QVector<QSet<QByteArray>> seen(sections.size());
        int current = -1;
        int lineNumber = 0;
        for (int from = 0; from < original.size(); ++lineNumber)
        {
            int end = original.indexOf('\n', from);
            const bool hasEnd = end >= 0;
            if (!hasEnd)
                end = original.size();
            const QByteArray raw = QByteArray::fromRawData(original.constData() + from, end - from);
            from = end + 1;
            const bool hasCr = raw.endsWith('\r');
            const QByteArray line = hasCr ? raw.left(raw.size() - 1) : raw;
            QByteArray name;
            QByteArray key;
            // What the line becomes: itself, our line for its key, or nothing.
            QByteArray written = raw;
            bool keep = true;
            if (SectionName(line, &name))
            {
                current = sectionIndex.value(name, -1);
                if (current >= 0)
                    insertAfter[current] = lineNumber;
            }
            else if (current >= 0 && KeyName(line, &key))
            {
                const auto ourLine = sections[current].byKey.constFind(key);
                if (ourLine != sections[current].byKey.constEnd())
                {
                    // A second line for the key would contradict ours.
                    keep = !seen[current].contains(key);
                    seen[current].insert(key);
                    written = *ourLine + (hasCr ? QByteArrayLiteral("\r") : QByteArray());
                }
                if (keep)
                    insertAfter[current] = lineNumber;
            }
            if (pass == 0)
                continue;
            if (keep)
                text += written + (hasEnd ? "\n" : "");
            for (int group : inserts.value(lineNumber))
            {
                if (!hasEnd)
                    text += (hasCr ? QByteArray() : cr) + '\n';
                for (const auto& ourLine : sections[group].lines)
                {
                    if (!placed[group].contains(ourLine.first))
                        text += ourLine.second + cr + '\n';
                }
            }
        }
        if (pass == 0)
            placed = seen;
    }

    // Groups the file lacks, after a blank line.
    for (int i = 0; i < sections.size(); ++i)
    {
        if (insertAfter[i] >= 0)
            continue;
        if (!text.isEmpty() && !text.endsWith('\n'))
            text += (text.endsWith('\r') ? QByteArray() : cr) + '\n';
        if (!text.isEmpty() && !text.endsWith("\n\n") && !text.endsWith("\n\r\n"))
            text += cr + '\n';
        text += '[' + sections[i].name + ']' + cr + '\n';
        for (const auto& line : sections[i].lines)
            text += line.second + cr + '\n';
    }
    return text;
}
} // namespace IniText
