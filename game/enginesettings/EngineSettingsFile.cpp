#include "EngineSettingsFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>
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

bool Read(const QString& path, Values& values)
{
    values.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        qDebug().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be opened" << path;
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec(FileCodec());
    values = ParseText(stream.readAll());
    return true;
}

bool Write(const QString& path, const Values& values)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
    {
        QTextStream stream(&file);
        stream.setCodec(FileCodec());
        stream << Serialize(values);
        stream.flush();
        if (stream.status() == QTextStream::Ok && file.commit())
            return true;
    }
    qDebug().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be saved" << path;
    return false;
}

bool IsGarbage(const QByteArray& content)
{
    if (content.contains('\0'))
        return true;
    QTextCodec::ConverterState state;
    const QString text = FileCodec()->toUnicode(content.constData(), content.size(), &state);
    if (state.invalidChars > 0)
        return true;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
    {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) && !line.contains(QLatin1Char('=')))
            return true;
    }
    return false;
}

bool KeepIfGarbage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !IsGarbage(file.readAll()))
        return false;
    file.close();
    const QString copy = path + QStringLiteral(".corrupt");
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
    {
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged --- CAN NOT KEEP"
                             << copy;
        return false;
    }
    qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged --- kept as" << copy;
    return true;
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
