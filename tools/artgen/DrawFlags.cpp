// Country flags: the public-domain 16 x 11 set converted to XPM, plus the "unknown" flag.
#include "ArtKit.h"

#include <QDir>

using namespace Art;

void DrawFlags(Output& out, const QString& flagsDir)
{
    const QDir dir(flagsDir);
    const QStringList files = dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        qWarning("artgen: no flag pictures in %s", qPrintable(flagsDir));
    bool haveUnknown = false;
    for (const QString& file : files)
    {
        const QImage flag(dir.filePath(file));
        if (flag.isNull())
        {
            qWarning("artgen: cannot read %s", qPrintable(file));
            continue;
        }
        const QString code = file.left(file.size() - 4).toLower();
        haveUnknown = haveUnknown || code == QLatin1String("xx");
        out.Save(flag.convertToFormat(QImage::Format_ARGB32), QStringLiteral("Flags/%1.xpm").arg(code),
                 "XPM");
    }
    // "XX" is the country of a player the server knows nothing about.
    if (!haveUnknown)
    {
        QImage unknown = Paint(16, 11, 1,
                               [](QPainter& p)
                               {
                                   p.setRenderHint(QPainter::Antialiasing, false);
                                   p.fillRect(QRect(0, 0, 16, 11), QColor(70, 76, 86));
                                   p.fillRect(QRect(0, 0, 16, 5), QColor(96, 104, 116));
                                   p.setPen(QColor(230, 234, 240));
                                   p.drawLine(6, 3, 7, 2);
                                   p.drawLine(8, 2, 9, 2);
                                   p.drawLine(10, 3, 10, 4);
                                   p.drawLine(9, 5, 8, 6);
                                   p.drawPoint(8, 8);
                               });
        out.Save(unknown.convertToFormat(QImage::Format_ARGB32), QStringLiteral("Flags/xx.xpm"), "XPM");
    }
}
