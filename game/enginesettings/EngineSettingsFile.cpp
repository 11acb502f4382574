#include "EngineSettingsFile.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>
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

// A byte that is no part of UTF-8 text is kept as one of these lone surrogates, which UTF-8 text
// never decodes to.
constexpr ushort EscapeFirst = 0xDC80;
constexpr ushort EscapeLast = 0xDCFF;

// The length and value of the UTF-8 sequence at `at`; 0 when it is none (broken, overlong, a
// surrogate, beyond U+10FFFF).
int Utf8Sequence(const uchar* data, int size, int at, uint* code)
{
    const uchar lead = data[at];
    int length = 0;
    uint min = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, *code = lead & 0x1Fu, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, *code = lead & 0x0Fu, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, *code = lead & 0x07u, min = 0x10000;
    if (length == 0 || at + length > size)
        return 0;
    for (int k = 1; k < length; ++k)
    {
        if ((data[at + k] & 0xC0) != 0x80)
            return 0;
        *code = (*code << 6) | (data[at + k] & 0x3Fu);
    }
    if (*code < min || *code > 0x10FFFF || (*code >= 0xD800 && *code <= 0xDFFF))
        return 0;
    return length;
}
} // namespace

QString DecodeText(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const int size = bytes.size();
    for (int at = 0; at < size;)
    {
        uint code = data[at];
        const int length = code < 0x80 ? 1 : Utf8Sequence(data, size, at, &code);
        if (length == 0)
        {
            text += QChar(ushort(0xDC00 + data[at]));
            ++at;
            continue;
        }
        if (code >= 0x10000)
        {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        }
        else
        {
            text += QChar(ushort(code));
        }
        at += length;
    }
    return text;
}

QByteArray EncodeText(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    int from = 0;
    for (int at = 0; at < text.size(); ++at)
    {
        const ushort unit = text.at(at).unicode();
        if (unit < EscapeFirst || unit > EscapeLast || (at > 0 && text.at(at - 1).isHighSurrogate()))
            continue;
        bytes += text.midRef(from, at - from).toUtf8();
        bytes += char(unit - 0xDC00);
        from = at + 1;
    }
    bytes += text.midRef(from).toUtf8();
    return bytes;
}

QString FileText(const QByteArray& bytes)
{
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    return DecodeText(bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes);
}

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

CommonIO::ReadStatus ReadFile(const QString& path, Values& values, QByteArray* raw, QString* why)
{
    values.clear();
    QByteArray content;
    QString reason;
    const CommonIO::ReadStatus status = CommonIO::ReadFile(path, MaxFileBytes, &content, &reason);
    if (why)
        *why = reason;
    if (status == CommonIO::ReadStatus::Unreadable)
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be opened" << path
                             << "---" << reason;
    else if (status == CommonIO::ReadStatus::Damaged)
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged ---" << reason
                             << "---" << CommonIO::SetAside(path);
    if (status != CommonIO::ReadStatus::Ok)
        return status;
    values = ParseText(FileText(content));
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

bool Write(const QString& path, const Values& values, QString* why)
{
    QString serialized = Serialize(values);
#ifdef Q_OS_WIN
    // The platform's own line ends, as a text editor there writes them.
    serialized.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
#endif
    const QByteArray text = EncodeText(serialized);
    // The same text again is not written: the start-up refresh of files that did not change
    // costs no disk flush (it runs while the window waits for its first picture).
    QByteArray current;
    if (CommonIO::ReadFile(path, MaxFileBytes, &current) == CommonIO::ReadStatus::Ok && current == text)
        return true;
    // A file the next read would refuse as too large stays as it was.
    QString error = QStringLiteral("it would grow larger than %1 bytes").arg(MaxFileBytes);
    if (text.size() <= MaxFileBytes && CommonIO::SaveFile(path, text, false, &error))
        return true;
    qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file can NOT be saved" << path << "---"
                         << error;
    if (why)
        *why = error;
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
    // Bytes that are not UTF-8 are no damage: the engine reads bytes, and so they are kept.
    const QStringList lines = FileText(content).split(QLatin1Char('\n'));
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
    bool moved = false;
    qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file is damaged ---" << reason << "---"
                         << CommonIO::SetAside(path, &moved);
    // Keys as the engine names them, values and notes that are text: what else the damage made of
    // the lines stays in the copy only.
    static const QRegularExpression key(QStringLiteral("^[A-Za-z0-9_]+$"));
    const auto isText = [](const QString& text)
    {
        for (const QChar c : text)
        {
            if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
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
