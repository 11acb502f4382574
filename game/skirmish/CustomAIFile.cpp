#include "CustomAIFile.h"

#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace CustomAIFile
{
QString Path()
{
    return PathManager::Instance()->GetCustomAIFile();
}

QStringList TemplateLines()
{
    return {QStringLiteral("#"),
            QStringLiteral("#\tEXAMPLE"),
            QStringLiteral("#"),
            QStringLiteral("#\tThe real one is without symbol '#' at the start"),
            QStringLiteral("#\tUse symbol '\\t' ( TAB ) between columns"),
            QStringLiteral("#"),
            QStringLiteral("#"),
            QStringLiteral("#\tAI_NAME\t\tSIDE_NUMBER"),
            QStringLiteral("#"),
            QStringLiteral("#\tR.A.V. Reborn\t0")};
}

bool WriteTemplate(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Text mode: the platform's own line ends, as a user's editor would write them.
    if (CommonIO::SaveFile(path, (TemplateLines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                           true))
        return true;
    qWarning().noquote() << "CustomAIFile :: CAN NOT CREATE" << path;
    return false;
}

bool IsSafeName(const QString& name)
{
    // The start script is a text of "[section] { key=value; }": these would end or open one.
    static const QString scriptCharacters = QStringLiteral(";[]{}=");
    for (const QChar c : name)
    {
        if (scriptCharacters.contains(c) || c.category() == QChar::Other_Control ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

QList<CustomAIEntry> Parse(const QByteArray& data, int maxEntries)
{
    QList<CustomAIEntry> entries;
    int from = 0;
    while (from < data.size() && entries.size() < maxEntries)
    {
        int end = data.indexOf('\n', from);
        if (end < 0)
            end = data.size();
        const QByteArray bytes = data.mid(from, end - from);
        from = end + 1;
        QString line = QString::fromUtf8(bytes);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        line.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        line.replace(QStringLiteral("\t\t\t\t"), QStringLiteral("\t"));
        line.replace(QStringLiteral("\t\t\t"), QStringLiteral("\t"));
        line.replace(QStringLiteral("\t\t"), QStringLiteral("\t"));
        if (line.startsWith(QLatin1Char('\t')) || line.endsWith(QLatin1Char('\t')))
            continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 2)
            continue;
        if (!IsSafeName(parts[0]))
        {
            qWarning().noquote() << "CustomAIFile :: AI name refused, it would break the start script:"
                                 << parts[0];
            continue;
        }
        bool isNumber = false;
        const int side = parts[1].toInt(&isNumber, 10);
        entries << CustomAIEntry{parts[0], isNumber ? side : 0};
    }
    return entries;
}

QList<CustomAIEntry> Load(const QString& path)
{
    QByteArray data;
    QString reason;
    switch (CommonIO::ReadFile(path, MaxFileBytes, &data, &reason))
    {
    case CommonIO::ReadStatus::Ok:
        break;
    case CommonIO::ReadStatus::Missing:
        WriteTemplate(path);
        return {};
    case CommonIO::ReadStatus::Unreadable:
        qWarning().noquote() << "CustomAIFile :: CAN NOT READ" << path << "---" << reason;
        return {};
    case CommonIO::ReadStatus::Damaged:
        qWarning().noquote() << "CustomAIFile :: DAMAGED FILE" << path << "---" << reason << "---"
                             << CommonIO::SetAside(path);
        return {};
    }
    // One more than listed, to tell a full list from a longer one.
    QList<CustomAIEntry> entries = Parse(data, MaxEntries + 1);
    if (entries.size() > MaxEntries)
    {
        qWarning().noquote() << "CustomAIFile :: TOO MANY AIs --- more than" << MaxEntries << "in" << path
                             << "--- the first" << MaxEntries << "listed";
        entries.removeLast();
    }
    // Added in the order the list shows them: a model sorting rows into a new order costs time
    // that grows with the square of their number, when the rows go again.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CustomAIEntry& a, const CustomAIEntry& b) { return a.name < b.name; });
    return entries;
}
} // namespace CustomAIFile
