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
// Where the line that starts at `from` ends: QSettings ends a line at "\n", "\r\n" or a lone "\r"
// (the last line may have no end). `end` is where its text stops, `next` where the next line starts.
void FindLine(const QByteArray& text, int from, int* end, int* next)
{
    int at = from;
    const int size = text.size();
    const char* data = text.constData();
    while (at < size && data[at] != '\n' && data[at] != '\r')
        ++at;
    *end = at;
    if (at < size && data[at] == '\r' && at + 1 < size && data[at + 1] == '\n')
        *next = at + 2;
    else
        *next = qMin(at + 1, size);
}

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

// True when the text's last line is empty.
bool EndsWithBlankLine(const QByteArray& text)
{
    int size = text.size();
    if (text.endsWith("\r\n"))
        size -= 2;
    else if (text.endsWith('\n') || text.endsWith('\r'))
        size -= 1;
    else
        return false;
    return size == 0 || text.at(size - 1) == '\n' || text.at(size - 1) == '\r';
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
    for (int from = 0, end = 0, next = 0; from < text.size(); from = next)
    {
        FindLine(text, from, &end, &next);
        const QByteArray line = text.mid(from, end - from);
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
    // New lines end as the file's first line does, or with "\n": a lone "\r" would join a "\n" that
    // follows into one line end.
    QByteArray lineEnd = QByteArrayLiteral("\n");
    {
        int end = 0;
        int next = 0;
        FindLine(original, 0, &end, &next);
        if (next - end == 2)
            lineEnd = QByteArrayLiteral("\r\n");
    }

    // Two passes over the lines, without holding them: the first finds which of our keys the file
    // has and where the others go, the second writes the text.
    QVector<QSet<QByteArray>> placed(sections.size());
    // After which line a key the file lacks goes: the last line of the group's last occurrence.
    QVector<int> insertAfter(sections.size(), -1);
    QByteArray text;
    text.reserve(original.size() + ours.size());
    // Where a line was dropped, a lone "\r" line end and the "\n" of a later line would read as one
    // "\r\n": that "\r" becomes a "\r\n" of its own.
    const auto append = [&text](const QByteArray& chunk)
    {
        if (chunk.startsWith('\n') && text.endsWith('\r'))
            text += '\n';
        text += chunk;
    };
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
        for (int from = 0, end = 0, next = 0; from < original.size(); from = next, ++lineNumber)
        {
            FindLine(original, from, &end, &next);
            const QByteArray line = QByteArray::fromRawData(original.constData() + from, end - from);
            const QByteArray ending = QByteArray::fromRawData(original.constData() + end, next - end);
            QByteArray name;
            QByteArray key;
            // What the line becomes: itself, our line for its key, or nothing.
            QByteArray written = line;
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
                    written = *ourLine;
                }
                if (keep)
                    insertAfter[current] = lineNumber;
            }
            if (pass == 0)
                continue;
            if (keep)
                append(written + ending);
            for (int group : inserts.value(lineNumber))
            {
                if (ending.isEmpty())
                    append(lineEnd);
                for (const auto& ourLine : sections[group].lines)
                {
                    if (!placed[group].contains(ourLine.first))
                        append(ourLine.second + lineEnd);
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
        if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
            append(lineEnd);
        if (!text.isEmpty() && !EndsWithBlankLine(text))
            append(lineEnd);
        append('[' + sections[i].name + ']' + lineEnd);
        for (const auto& line : sections[i].lines)
            append(line.second + lineEnd);
    }
    return text;
}
} // namespace IniText
