#include "EngineSettingsFile.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>
#include <QTextCodec>
#include <QtNumeric>

namespace EngineSettingsFile
{
namespace
{
QString Bare(const QString& value)
{
    QString v = value.trimmed();
    if (v.endsWith(QLatin1Char(';')))
        v = v.left(v.size() - 1).trimmed();
    return v;
}

// A line break inside a value would turn the rest into a line of its own; a NUL would end the
// engine's reading of the line.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QChar(0));
    return text.trimmed();
}

// The program runs with UTF-8 as its locale codec; say so here too, so the files never depend on
// the system's locale.
QTextCodec* FileCodec()
{
    return QTextCodec::codecForName("UTF-8");
}
} // namespace

bool IsComment(const QString& key)
{
    return key.startsWith(QLatin1Char('#'));
}

Values ParseText(const QString& text)
{
    Values values;
    QString all = text;
    all.remove(QLatin1Char('\r'));
    // NUL bytes are no text; such a file is kept as damaged before it is rewritten.
    all.remove(QChar(0));
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (const QString& line : lines)
    {
        // The engine skips lines starting with "#"; they are the user's notes, so they are kept.
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('#')))
        {
            values.insert(trimmed, QString());
            continue;
        }
        // The engine keeps everything after the first "=", so do we.
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return values;
}

QString Serialize(const Values& values)
{
    QString text;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
    {
        if (IsComment(it.key()))
            text += OneLine(it.key()) + QLatin1Char('\n');
        else
            text += OneLine(it.key()) + QStringLiteral(" = ") + OneLine(it.value()) + QLatin1Char('\n');
    }
    return text;
}

CommonIO::ReadStatus ReadFile(const QString& path, Values& values, QByteArray* raw)
{
    values.clear();
    QByteArray content;
    QString reason;
    const CommonIO::ReadStatus status = CommonIO::ReadFile(path, MaxFileBytes, &content, &reason);
    if (status == CommonIO::ReadStatus::Unreadable)
        qDebug().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be opened" << path
                           << "---" << reason;
    else if (status == CommonIO::ReadStatus::Damaged)
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged ---" << reason
                             << "---" << CommonIO::SetAside(path);
    if (status != CommonIO::ReadStatus::Ok)
        return status;
    values = ParseText(FileCodec()->toUnicode(content));
    if (raw)
        *raw = content;
    return status;
}

bool Read(const QString& path, Values& values)
{
    const CommonIO::ReadStatus status = ReadFile(path, values);
    if (status == CommonIO::ReadStatus::Missing)
        qDebug().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be opened" << path;
    return status == CommonIO::ReadStatus::Ok;
}

bool Write(const QString& path, const Values& values)
{
    QString serialized = Serialize(values);
#ifdef Q_OS_WIN
    // The platform's own line ends, as a text editor there writes them.
    serialized.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
#endif
    const QByteArray text = FileCodec()->fromUnicode(serialized);
    // The same text again is not written: the start-up refresh of files that did not change
    // costs no disk flush (it runs while the window waits for its first picture).
    QByteArray current;
    if (CommonIO::ReadFile(path, MaxFileBytes, &current) == CommonIO::ReadStatus::Ok && current == text)
        return true;
    if (CommonIO::SaveFile(path, text))
        return true;
    qDebug().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be saved" << path;
    return false;
}

bool IsGarbage(const QByteArray& content, QString* reason)
{
    const auto garbage = [reason](const QString& text)
    {
        if (reason)
            *reason = text;
        return true;
    };
    if (content.contains('\0'))
        return garbage(QStringLiteral("NUL bytes"));
    QTextCodec::ConverterState state;
    const QString text = FileCodec()->toUnicode(content.constData(), content.size(), &state);
    if (state.invalidChars > 0)
        return garbage(QStringLiteral("not UTF-8 text"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
    {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) && !line.contains(QLatin1Char('=')))
            return garbage(QStringLiteral("a line that is no setting"));
    }
    return false;
}

bool SetAsideIfGarbage(const QString& path, const QByteArray& raw, Values& values)
{
    QString reason;
    if (!IsGarbage(raw, &reason))
        return false;
    const bool moved = CommonIO::MoveAside(path);
    qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged ---" << reason << "---"
                         << (moved ? QStringLiteral("kept as ") + CommonIO::CorruptPath(path)
                                   : QStringLiteral("left where it is"));
    // Keys as the engine names them, values and notes that are text: what else the damage made of
    // the lines stays in the copy only.
    static const QRegularExpression key(QStringLiteral("^[A-Za-z0-9_]+$"));
    const auto isText = [](const QString& text)
    {
        for (const QChar c : text)
        {
            if ((c.category() == QChar::Other_Control && c != QLatin1Char('\t')) ||
                c == QChar::ReplacementCharacter)
                return false;
        }
        return true;
    };
    for (auto it = values.begin(); it != values.end();)
    {
        const bool keep =
            isText(it.key()) && isText(it.value()) && (IsComment(it.key()) || key.match(it.key()).hasMatch());
        it = keep ? std::next(it) : values.erase(it);
    }
    return moved;
}

qint32 ToInt(const QString& value)
{
    bool ok = false;
    const int v = Bare(value).toInt(&ok, 10);
    return ok ? v : 0;
}

bool ToBool(const QString& value)
{
    const QString v = Bare(value);
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return ToInt(v) != 0;
}

float ToFloat(const QString& value)
{
    bool ok = false;
    const float v = Bare(value).toFloat(&ok);
    // "nan" and "inf" read as numbers but are no setting the engine can use.
    return ok && qIsFinite(v) ? v : 0.0f;
}

QString FromFloat(float value)
{
    return QString::number(double(value), 'g', 6);
}

DataEngineSettings ToRecord(const Values& values, const QSize& screen, const QString& springData)
{
    DataEngineSettings es = DataEngineSettings::Defaults(screen);
#define QM_ES_CONVERT_INT(v) ToInt(v)
#define QM_ES_CONVERT_BOOL(v) ToBool(v)
#define QM_ES_CONVERT_FLOAT(v) ToFloat(v)
#define QM_ES_CONVERT_STRING(v) (v)
#define QM_ES_READ(type, name, key, def)                                                                     \
    {                                                                                                        \
        const auto it = values.constFind(QStringLiteral(key));                                               \
        if (it != values.constEnd())                                                                         \
            es.name = QM_ES_CONVERT_##type(it.value());                                                      \
    }
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_READ)
#undef QM_ES_READ
    es.SpringData = springData;
    return es;
}

void FromRecord(const DataEngineSettings& es, Values& values)
{
#define QM_ES_TEXT_INT(v) QString::number(v)
#define QM_ES_TEXT_BOOL(v) QString((v) ? QLatin1Char('1') : QLatin1Char('0'))
#define QM_ES_TEXT_FLOAT(v) FromFloat(v)
#define QM_ES_TEXT_STRING(v) (v)
#define QM_ES_WRITE(type, name, key, def) values.insert(QStringLiteral(key), QM_ES_TEXT_##type(es.name));
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_WRITE)
#undef QM_ES_WRITE
    values.insert(QStringLiteral("SpringData"), es.SpringData);
}

QString SpringDataFolders(const QString& springDataDir, const QString& customSyncFolder)
{
    if (customSyncFolder.isEmpty())
        return springDataDir;
    return springDataDir + QDir::listSeparator() + customSyncFolder;
}
} // namespace EngineSettingsFile
