#include "LuaInfo.h"

#include <QHash>

#include <memory>
#include <vector>

namespace LuaInfo
{
namespace
{
// Lua itself refuses deeper nesting ("chunk has too many syntax levels").
constexpr int MaxDepth = 200;
// Enough bytes for MaxValueLength characters of any UTF-8 text.
constexpr int MaxJoinedBytes = 4 * MaxValueLength;

struct Token
{
    enum Type
    {
        End,
        Error,
        Name, // names and keywords
        String,
        Number,
        Symbol
    };
    Type type = End;
    QByteArray text;
    double number = 0;
};

// Lua 5.1's tokens; an unfinished string or comment, or a malformed number, is an error.
class Lexer
{
public:
    explicit Lexer(const QByteArray& text) : m_text(text) {}

    Token Next()
    {
        if (!SkipSpaceAndComments())
            return Fail();
        if (m_pos >= m_text.size())
            return {};
        const char c = m_text.at(m_pos);
        if (IsNameStart(c))
        {
            const int start = m_pos;
            while (m_pos < m_text.size() && (IsNameStart(m_text.at(m_pos)) || IsDigit(m_text.at(m_pos))))
                ++m_pos;
            return {Token::Name, m_text.mid(start, m_pos - start)};
        }
        if (IsDigit(c) || (c == '.' && IsDigit(At(m_pos + 1))))
            return ReadNumber();
        if (c == '"' || c == '\'')
            return ReadQuoted(c);
        if (c == '[' && LongBracketLevel(m_pos) >= 0)
        {
            Token token{Token::String, {}};
            return ReadLong(&token.text) ? token : Fail();
        }
        for (const char* symbol : {"...", "..", "==", "~=", "<=", ">="})
        {
            const int length = int(qstrlen(symbol));
            if (qstrncmp(m_text.constData() + m_pos, symbol, uint(length)) == 0)
            {
                m_pos += length;
                return {Token::Symbol, symbol};
            }
        }
        ++m_pos;
        return {Token::Symbol, QByteArray(1, c)};
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
    char At(int i) const { return i < m_text.size() ? m_text.at(i) : '\0'; }
    Token Fail()
    {
        m_pos = m_text.size();
        return {Token::Error, {}};
    }

    bool SkipSpaceAndComments()
    {
        while (m_pos < m_text.size())
        {
            const char c = m_text.at(m_pos);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v')
                ++m_pos;
            else if (c == '-' && At(m_pos + 1) == '-')
            {
                m_pos += 2;
                if (At(m_pos) == '[' && LongBracketLevel(m_pos) >= 0)
                {
                    if (!ReadLong(nullptr))
                        return false;
                }
                else
                {
                    while (m_pos < m_text.size() && m_text.at(m_pos) != '\n')
                        ++m_pos;
                }
            }
            else
                break;
        }
        return true;
    }

    // At "[", "[=[", "[==[" ...: the number of "="; otherwise -1.
    int LongBracketLevel(int at) const
    {
        int level = 0;
        int i = at + 1;
        while (At(i) == '=')
            ++level, ++i;
        return At(i) == '[' ? level : -1;
    }

    bool ReadLong(QByteArray* out)
    {
        const int level = LongBracketLevel(m_pos);
        m_pos += level + 2;
        // A line break right after the opening bracket is not part of the text.
        if (At(m_pos) == '\r' || At(m_pos) == '\n')
        {
            const char first = m_text.at(m_pos++);
            if ((At(m_pos) == '\r' || At(m_pos) == '\n') && At(m_pos) != first)
                ++m_pos;
        }
        const QByteArray close = ']' + QByteArray(level, '=') + ']';
        const int end = m_text.indexOf(close, m_pos);
        if (end < 0)
            return false;
        if (out)
            *out = m_text.mid(m_pos, end - m_pos);
        m_pos = end + close.size();
        return true;
    }

    Token ReadNumber()
    {
        const int start = m_pos;
        while (IsDigit(At(m_pos)) || At(m_pos) == '.')
            ++m_pos;
        if (At(m_pos) == 'e' || At(m_pos) == 'E')
        {
            ++m_pos;
            if (At(m_pos) == '+' || At(m_pos) == '-')
                ++m_pos;
        }
        while (IsNameStart(At(m_pos)) || IsDigit(At(m_pos)))
            ++m_pos;
        const QByteArray text = m_text.mid(start, m_pos - start);
        bool ok = false;
        double value = 0;
        if (text.startsWith("0x") || text.startsWith("0X"))
            value = double(text.mid(2).toULongLong(&ok, 16));
        else
            value = text.toDouble(&ok);
        if (!ok)
            return Fail();
        Token token{Token::Number, text};
        token.number = value;
        return token;
    }

    Token ReadQuoted(char quote)
    {
        Token token{Token::String, {}};
        ++m_pos;
        while (true)
        {
            if (m_pos >= m_text.size())
                return Fail();
            char c = m_text.at(m_pos++);
            if (c == quote)
                return token;
            if (c == '\n' || c == '\r')
                return Fail();
            if (c != '\\')
            {
                token.text += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return Fail();
            c = m_text.at(m_pos++);
            if (IsDigit(c))
            {
                int value = c - '0';
                for (int i = 0; i < 2 && IsDigit(At(m_pos)); ++i)
                    value = value * 10 + (m_text.at(m_pos++) - '0');
                if (value > 255)
                    return Fail();
                token.text += char(value);
            }
            else
            {
                // "\a" ... "\v"; "\\", "\"", "\'", an escaped line break, and in Lua 5.1 any other
                // character stand for themselves.
                static const QByteArray letters("abfnrtv");
                static const QByteArray controls("\a\b\f\n\r\t\v");
                const int letter = letters.indexOf(c);
                token.text += letter < 0 ? c : controls.at(letter);
            }
        }
    }

    const QByteArray& m_text;
    int m_pos = 0;
};

struct Value;
using Table = QHash<QString, Value>;

struct Value
{
    enum Type
    {
        Unknown,
        Nil,
        Bool,
        String,
        Number,
        TableRef
    };
    Type type = Unknown;
    QByteArray string;
    double number = 0;
    // Owned by the reader; two names of one table see the same fields, as in Lua, and a table
    // may hold itself.
    Table* table = nullptr;

    static Value Plain(Type type)
    {
        Value value;
        value.type = type;
        return value;
    }
    static Value Text(const QByteArray& text)
    {
        Value value = Plain(String);
        value.string = text;
        return value;
    }
    static Value Of(double number)
    {
        Value value = Plain(Number);
        value.number = number;
        return value;
    }
};

// Where an assignment puts its value: a name, or a key of a table.
struct Place
{
    QString name;
    Table* table = nullptr;
    QString key;
    bool valid = false;
};

// A reader of the statements and expressions of a chunk that evaluates only what needs no running.
class Reader
{
public:
    explicit Reader(const QByteArray& text) : m_lexer(text) { Advance(); }

    QMap<QString, QString> Run()
    {
        while (!m_failed && m_token.type != Token::End)
            Statement();
        QMap<QString, QString> fields;
        if (m_failed || m_returned.type != Value::TableRef)
            return fields;
        for (auto it = m_returned.table->cbegin(); it != m_returned.table->cend(); ++it)
        {
            QString text;
            if (it->type == Value::String)
                text = QString::fromUtf8(it->string);
            else if (it->type == Value::Number)
                text = QString::asprintf("%f", it->number);
            else
                continue;
            fields.insert(it.key(), text.left(MaxValueLength));
        }
        return fields;
    }

private:
    void Advance()
    {
        m_token = m_lexer.Next();
        if (m_token.type == Token::Error)
            m_failed = true;
    }
    Token Peek() const
    {
        Lexer copy = m_lexer;
        return copy.Next();
    }
    bool Is(const char* symbol) const
    {
        return (m_token.type == Token::Symbol || m_token.type == Token::Name) && m_token.text == symbol;
    }
    bool Accept(const char* symbol)
    {
        if (!Is(symbol))
            return false;
        Advance();
        return true;
    }
    void Expect(const char* symbol)
    {
        if (!Accept(symbol))
            m_failed = true;
    }
    bool IsName() const
    {
        static const QByteArray keywords[] = {
            "and",   "break", "do",  "else", "elseif", "end",    "false", "for",  "function", "if",   "in",
            "local", "nil",   "not", "or",   "repeat", "return", "then",  "true", "until",    "while"};
        if (m_token.type != Token::Name)
            return false;
        for (const QByteArray& keyword : keywords)
            if (m_token.text == keyword)
                return false;
        return true;
    }
    bool Deeper(int depth)
    {
        if (depth > MaxDepth)
            m_failed = true;
        return !m_failed;
    }

    // Skips a block from its opening keyword to the "end" or "until" that closes it.
    void SkipBlock()
    {
        int open = 0;
        do
        {
            if (Is("function") || Is("if") || Is("do") || Is("repeat"))
                ++open;
            else if (Is("end") || Is("until"))
                --open;
            Advance();
        } while (open > 0 && !m_failed && m_token.type != Token::End);
        if (open > 0)
            m_failed = true;
    }

    void Statement()
    {
        if (Accept(";"))
            return;
        if (Is("function") || Is("if") || Is("do") || Is("while") || Is("for") || Is("repeat"))
        {
            const bool repeat = Is("repeat");
            if (Is("while") || Is("for"))
            {
                while (!m_failed && m_token.type != Token::End && !Is("do"))
                    Advance();
            }
            SkipBlock();
            if (repeat)
                Expression(0);
            return;
        }
        if (Accept("return"))
        {
            if (m_token.type == Token::End || Is(";") || Is("end"))
                m_returned = {};
            else
                m_returned = ExpressionList(0).value(0);
            return;
        }
        if (Accept("break"))
            return;
        if (Accept("local"))
        {
            if (Is("function"))
            {
                SkipBlock();
                return;
            }
            QList<Place> names;
            do
            {
                if (!IsName())
                {
                    m_failed = true;
                    return;
                }
                Place place;
                place.name = QString::fromUtf8(m_token.text);
                place.valid = true;
                names << place;
                Advance();
            } while (Accept(","));
            QList<Value> values;
            if (Accept("="))
                values = ExpressionList(0);
            for (int i = 0; i < names.size(); ++i)
                Assign(names.at(i), i < values.size() ? values.at(i) : Value::Plain(Value::Nil));
            return;
        }
        // A call or an assignment.
        Place place;
        bool isCall = false;
        Primary(0, &place, &isCall);
        if (m_failed)
            return;
        if (Is("=") || Is(","))
        {
            QList<Place> targets{place};
            while (Accept(","))
            {
                Place next;
                Primary(0, &next, nullptr);
                targets << next;
            }
            Expect("=");
            const QList<Value> values = ExpressionList(0);
            for (int i = 0; i < targets.size(); ++i)
                Assign(targets.at(i), i < values.size() ? values.at(i) : Value::Plain(Value::Nil));
            return;
        }
        if (!isCall)
            m_failed = true;
    }

    void Assign(const Place& place, const Value& value)
    {
        if (!place.valid)
            return;
        if (place.table)
            place.table->insert(place.key, value);
        else
            m_names.insert(place.name, value);
    }

    QList<Value> ExpressionList(int depth)
    {
        QList<Value> values{Expression(depth)};
        while (!m_failed && Accept(","))
            values << Expression(depth);
        return values;
    }

    static bool IsBinary(const Token& token)
    {
        if (token.type == Token::Name)
            return token.text == "and" || token.text == "or";
        if (token.type != Token::Symbol)
            return false;
        for (const char* op : {"+", "-", "*", "/", "%", "^", "..", "==", "~=", "<", ">", "<=", ">="})
            if (token.text == op)
                return true;
        return false;
    }

    static bool Joinable(const Value& value)
    {
        return value.type == Value::String || value.type == Value::Number;
    }
    static QByteArray JoinText(const Value& value)
    {
        return value.type == Value::String ? value.string : QByteArray::number(value.number, 'g', 14);
    }

    Value Expression(int depth)
    {
        if (!Deeper(depth))
            return {};
        Value value = Unary(depth);
        while (!m_failed && IsBinary(m_token))
        {
            const bool join = Is("..");
            Advance();
            const Value right = Unary(depth);
            // Cut as they grow: locals joined to themselves would otherwise double at every line.
            value = join && Joinable(value) && Joinable(right)
                        ? Value::Text((JoinText(value) + JoinText(right)).left(MaxJoinedBytes))
                        : Value{};
        }
        return value;
    }

    Value Unary(int depth)
    {
        if (!Deeper(depth))
            return {};
        if (Accept("-"))
        {
            const Value operand = Unary(depth + 1);
            return operand.type == Value::Number ? Value::Of(-operand.number) : Value{};
        }
        if (Accept("not") || Accept("#"))
        {
            Unary(depth + 1);
            return {};
        }
        return Simple(depth);
    }

    Value Simple(int depth)
    {
        if (!Deeper(depth))
            return {};
        const Token token = m_token;
        if (token.type == Token::String)
        {
            Advance();
            return Value::Text(token.text);
        }
        if (token.type == Token::Number)
        {
            Advance();
            return Value::Of(token.number);
        }
        if (Accept("nil"))
            return Value::Plain(Value::Nil);
        if (Accept("true") || Accept("false") || Accept("..."))
            return Value::Plain(Value::Bool);
        if (Is("{"))
            return TableConstructor(depth + 1);
        if (Is("function"))
        {
            SkipBlock();
            return {};
        }
        return Primary(depth + 1, nullptr, nullptr);
    }

    // A name or a parenthesised expression, then any number of ".key", "[key]", ":method(...)"
    // and call suffixes. `place` is where an assignment to it would go.
    Value Primary(int depth, Place* place, bool* isCall)
    {
        if (!Deeper(depth))
            return {};
        Value value;
        Place here;
        if (IsName())
        {
            here.name = QString::fromUtf8(m_token.text);
            here.valid = true;
            value = m_names.value(here.name);
            Advance();
        }
        else if (Accept("("))
        {
            value = Expression(depth + 1);
            Expect(")");
        }
        else
        {
            m_failed = true;
            return {};
        }
        bool called = false;
        while (!m_failed)
        {
            if (Is(".") || Is("["))
            {
                QString key;
                bool haveKey = false;
                if (Accept("."))
                {
                    haveKey = m_token.type == Token::Name;
                    key = QString::fromUtf8(m_token.text);
                    if (!haveKey)
                        m_failed = true;
                    Advance();
                }
                else
                {
                    Advance();
                    const Value index = Expression(depth + 1);
                    Expect("]");
                    haveKey = index.type == Value::String;
                    key = QString::fromUtf8(index.string);
                }
                here = Place();
                if (value.type == Value::TableRef && haveKey)
                {
                    here.table = value.table;
                    here.key = key;
                    here.valid = true;
                    value = value.table->value(key);
                }
                else
                    value = {};
                called = false;
            }
            else if (Is(":"))
            {
                Advance();
                if (!IsName())
                    m_failed = true;
                Advance();
                Arguments(depth);
                value = {};
                here = Place();
                called = true;
            }
            else if (Is("(") || Is("{") || m_token.type == Token::String)
            {
                // What the chunk calls is not run. A function given one table is taken to hand
                // back that table, as the usual `lowerkeys(mapinfo)` does.
                const QList<Value> arguments = Arguments(depth);
                value = arguments.size() == 1 && arguments.first().type == Value::TableRef ? arguments.first()
                                                                                           : Value{};
                here = Place();
                called = true;
            }
            else
                break;
        }
        if (place)
            *place = here;
        if (isCall)
            *isCall = called;
        return value;
    }

    QList<Value> Arguments(int depth)
    {
        if (m_token.type == Token::String)
        {
            const Value text = Value::Text(m_token.text);
            Advance();
            return {text};
        }
        if (Is("{"))
            return {TableConstructor(depth + 1)};
        Expect("(");
        QList<Value> values;
        if (!Accept(")"))
        {
            values = ExpressionList(depth + 1);
            Expect(")");
        }
        return values;
    }

    Value TableConstructor(int depth)
    {
        Value value = Value::Plain(Value::TableRef);
        m_tables.push_back(std::make_unique<Table>());
        value.table = m_tables.back().get();
        Expect("{");
        while (!m_failed && !Is("}"))
        {
            if (m_token.type == Token::End)
            {
                m_failed = true;
                break;
            }
            if (Accept("["))
            {
                const Value key = Expression(depth + 1);
                Expect("]");
                Expect("=");
                const Value field = Expression(depth + 1);
                if (key.type == Value::String)
                    value.table->insert(QString::fromUtf8(key.string), field);
            }
            else if (IsName() && Peek().text == "=" && Peek().type == Token::Symbol)
            {
                const QString key = QString::fromUtf8(m_token.text);
                Advance();
                Advance();
                value.table->insert(key, Expression(depth + 1));
            }
            else
                Expression(depth + 1);
            if (!Accept(",") && !Accept(";"))
                break;
        }
        Expect("}");
        return value;
    }

    Lexer m_lexer;
    Token m_token;
    bool m_failed = false;
    QHash<QString, Value> m_names;
    Value m_returned;
    std::vector<std::unique_ptr<Table>> m_tables;
};
} // namespace

QMap<QString, QString> ReadFields(const QByteArray& text)
{
    return Reader(text).Run();
}
} // namespace LuaInfo
