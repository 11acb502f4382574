#include "IniText.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QVector>
#include <algorithm>
#include <cstring>

namespace IniText
{
namespace
{
// The lines of a text, ended where QSettings ends them: at "\n", "\r\n" or a lone "\r" (the last line
// may have no end).
class LineScanner
{
public:
    explicit LineScanner(const QByteArray& text) : m_data(text.constData()), m_size(text.size()) {}

    // The next line runs from `from` to `end`, its line end to `next`; false after the last.
    bool Next(int* from, int* end, int* next)
    {
        if (m_at >= m_size)
            return false;
        *from = m_at;
        if (m_cr < m_at)
            m_cr = Find('\r', m_at, m_size);
        *end = Find('\n', m_at, m_cr);
        if (*end < m_size && m_data[*end] == '\r' && *end + 1 < m_size && m_data[*end + 1] == '\n')
            m_at = *end + 2;
        else
            m_at = qMin(*end + 1, m_size);
        *next = m_at;
        return true;
    }

private:
    // Where `c` first is in [from, to); `to` when it is not there.
    int Find(char c, int from, int to) const
    {
        const void* found = std::memchr(m_data + from, c, size_t(to - from));
        return found ? int(static_cast<const char*>(found) - m_data) : to;
    }

    const char* m_data;
    int m_size;
    int m_at = 0;
    int m_cr = -1; // the first "\r" at or after m_at, or m_size
};

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
    int from = 0;
    int end = 0;
    int next = 0;
    for (LineScanner lines(text); lines.Next(&from, &end, &next);)
    {
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
    int from = 0;
    int end = 0;
    int next = 0;
    if (LineScanner(original).Next(&from, &end, &next) && next - end == 2)
        lineEnd = QByteArrayLiteral("\r\n");

    // Two passes over the lines, without holding them: the first finds which of our keys the file
    // has and where the others go, the second writes the text.
    QVector<QSet<QByteArray>> placed(sections.size());
    // After which line a key the file lacks goes: the last line of the group's last occurrence.
    QVector<int> insertAfter(sections.size(), -1);
    QByteArray text;
    text.reserve(original.size() + ours.size());
    // Where a line was dropped, a lone "\r" line end and the "\n" of a later line would read as one
    // "\r\n": that "\r" becomes a "\r\n" of its own.
    const auto append = [&text](const char* chunk, int size)
    {
        if (size > 0 && chunk[0] == '\n' && text.endsWith('\r'))
            text += '\n';
        text.append(chunk, size);
    };
    const auto appendLine = [&append, &lineEnd](const QByteArray& line)
    {
        append(line.constData(), line.size());
        append(lineEnd.constData(), lineEnd.size());
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
        for (LineScanner lines(original); lines.Next(&from, &end, &next); ++lineNumber)
        {
            const QByteArray line = QByteArray::fromRawData(original.constData() + from, end - from);
            QByteArray name;
            QByteArray key;
            // What the line becomes: itself, our line for its key, or nothing.
            const QByteArray* written = nullptr;
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
                    written = &*ourLine;
                }
                if (keep)
                    insertAfter[current] = lineNumber;
            }
            if (pass == 0)
                continue;
            if (keep && written)
            {
                append(written->constData(), written->size());
                append(original.constData() + end, next - end);
            }
            else if (keep)
            {
                append(original.constData() + from, next - from);
            }
            for (int group : inserts.value(lineNumber))
            {
                if (next == end)
                    append(lineEnd.constData(), lineEnd.size());
                for (const auto& ourLine : sections[group].lines)
                {
                    if (!placed[group].contains(ourLine.first))
                        appendLine(ourLine.second);
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
            append(lineEnd.constData(), lineEnd.size());
        if (!text.isEmpty() && !EndsWithBlankLine(text))
            append(lineEnd.constData(), lineEnd.size());
        appendLine('[' + sections[i].name + ']');
        for (const auto& line : sections[i].lines)
            appendLine(line.second);
    }
    return text;
}
} // namespace IniText
