#include "AppDefines.h"

#include "CommonIO.h"

#include <QDebug>

const QList<GameDefinition>& AppDefines::GameTable()
{
    static const QList<GameDefinition> table = {
        {QStringLiteral("Morvantis"), QStringLiteral("zorn"), QStringLiteral("1.0"), QStringLiteral("106.0"),
         QStringLiteral("3.0"), QStringLiteral("Morvantis Crossing"),
         {QStringLiteral("Arm"), QStringLiteral("Core")}, QStringLiteral("ZornHost[%1]"), QStringLiteral("zorn")},
        {QStringLiteral("Galvanic Marches"), QStringLiteral("gvm"), QStringLiteral("2.4"), QStringLiteral("106.0"),
         QStringLiteral("1.0"), QStringLiteral("Marches Delta"),
         {QStringLiteral("Aegis"), QStringLiteral("Brood"), QStringLiteral("Cinder"), QStringLiteral("Dusk"),
          QStringLiteral("Ember"), QStringLiteral("Fathom"), QStringLiteral("Gale"), QStringLiteral("Hollow"),
          QStringLiteral("Ivory")},
         QStringLiteral("GvmHost[%1]"), QStringLiteral("gvm")},
        {QStringLiteral("Vesquard"), QStringLiteral("vq"), QStringLiteral("0.9"), QStringLiteral("106.0"),
         QStringLiteral("1.0"), QStringLiteral("Vesquard Basin"),
         {QStringLiteral("Legion"), QStringLiteral("Syndicate"), QStringLiteral("Nomads")}, QStringLiteral("VqHost[%1]"),
         QStringLiteral("vq")},
        {QStringLiteral("Yxelder"), QStringLiteral("yx"), QStringLiteral("1.2"), QStringLiteral("106.0"),
         QStringLiteral("1.0"), QStringLiteral("Yxelder Flats"), {QStringLiteral("North"), QStringLiteral("South")},
         QStringLiteral("YxHost[%1]"), QStringLiteral("yx")},
    };
    return table;
}

AppDefines::AppDefines() : m_webBase(QStringLiteral("https://www.quillmere.org"))
{
    qDebug() << "Initialize :: AppDefines";
}

AppDefines::~AppDefines()
{
    qDebug() << "Destroy :: AppDefines";
}

int AppDefines::FindGame(const QString& codeOrName)
{
    const QString wanted = codeOrName.trimmed();
    if (wanted.isEmpty())
        return -1;
    const auto& table = GameTable();
    for (int i = 0; i < table.size(); ++i)
    {
        if (table[i].shortCode.compare(wanted, Qt::CaseInsensitive) == 0 ||
            table[i].namePattern.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int AppDefines::ChooseGameIndex(const QString& commandLineGame, const QString& runGameFileContent, QString* reason,
                                bool* unknown)
{
    if (unknown)
        *unknown = false;
    auto say = [reason](const QString& text) {
        if (reason)
            *reason = text;
    };
    if (!commandLineGame.isEmpty())
    {
        const int index = FindGame(commandLineGame);
        if (index >= 0)
        {
            say(QStringLiteral("command line"));
            return index;
        }
        say(QStringLiteral("\"%1\" (command line)").arg(CommonIO::ForLog(commandLineGame, 40)));
        if (unknown)
            *unknown = true;
        return 0;
    }
    const QString fromFile = runGameFileContent.trimmed();
    if (!fromFile.isEmpty())
    {
        const int index = FindGame(fromFile);
        if (index >= 0)
        {
            say(GetRunGameFileName());
            return index;
        }
        say(QStringLiteral("\"%1\" (%2)").arg(CommonIO::ForLog(fromFile, 40), GetRunGameFileName()));
        if (unknown)
            *unknown = true;
        return 0;
    }
    say(QStringLiteral("default"));
    return 0;
}

bool AppDefines::SelectGame(const QString& codeOrName)
{
    const int index = FindGame(codeOrName);
    if (index < 0)
        return false;
    m_index = index;
    return true;
}

void AppDefines::SelectGameIndex(int index)
{
    if (index >= 0 && index < GameTable().size())
        m_index = index;
}

QString AppDefines::GetRelationsFileName() const
{
    return QStringLiteral("maps.relations.%1.txt").arg(GetShortCode());
}
