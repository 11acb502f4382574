#include "CustomAIFile.h"

#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace CustomAIFile
{
QString Path()
{
    return PathManager::Instance()->GetLobbyGameDataDir() + QStringLiteral("/game.AIs.txt");
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
    {
        qWarning().noquote() << "CustomAIFile :: CAN NOT CREATE" << path;
        return false;
    }
    for (const QString& line : TemplateLines())
        file.write((line + QLatin1Char('\n')).toUtf8());
    if (!file.commit())
    {
        qWarning().noquote() << "CustomAIFile :: CAN NOT CREATE" << path;
        return false;
    }
    return true;
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

QList<CustomAIEntry> Parse(const QByteArray& data)
{
    QList<CustomAIEntry> entries;
    const QList<QByteArray> lines = data.split('\n');
    for (const QByteArray& bytes : lines)
    {
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
} // namespace CustomAIFile
