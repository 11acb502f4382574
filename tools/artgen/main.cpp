// Draws every picture of the interface into a folder and writes the resource list for it.
// Run by the build; the same input always gives the same pictures.
#include "ArtKit.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the interface pictures."));
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Output folder."),
                                       QStringLiteral("dir"));
    const QCommandLineOption flagsOption(
        QStringLiteral("flags"), QStringLiteral("Folder of 16x11 country flag PNGs."), QStringLiteral("dir"),
        QStringLiteral("/usr/share/flags/countries/16x11"));
    const QCommandLineOption fontOption(
        QStringLiteral("font"), QStringLiteral("Font file for the lettering."), QStringLiteral("file"));
    const QCommandLineOption qrcOption(QStringLiteral("qrc"), QStringLiteral("Resource list to write."),
                                       QStringLiteral("file"));
    parser.addOptions({outOption, flagsOption, fontOption, qrcOption});
    parser.process(app);
    if (!parser.isSet(outOption))
        qFatal("artgen: --out is required");

    for (const QString& font : parser.values(fontOption))
    {
        const int id = QFontDatabase::addApplicationFont(font);
        if (id < 0)
            qWarning("artgen: cannot load font %s", qPrintable(font));
        else if (font == parser.values(fontOption).first())
            Art::SetFontFamily(QFontDatabase::applicationFontFamilies(id).value(0, QStringLiteral("Play")));
    }

    const QString root = QDir(parser.value(outOption)).absolutePath();
    QDir().mkpath(root);
    Art::Output out(root);
    DrawButtons(out);
    DrawStatusAndProgress(out);
    DrawFramesAndCommon(out);
    DrawBackgrounds(out);
    DrawEmblems(out);
    DrawAiExtras(out);
    DrawFlags(out, parser.value(flagsOption));

    const QString qrc = parser.isSet(qrcOption) ? parser.value(qrcOption) : root + QStringLiteral("/art.qrc");
    if (!out.WriteQrc(qrc))
        qFatal("artgen: cannot write %s", qPrintable(qrc));
    qInfo("artgen: %d pictures in %s", out.Count(), qPrintable(root));
    return 0;
}
