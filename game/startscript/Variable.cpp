#include "Variable.h"

#include "MetaTypes.h"

#include <QDebug>

Variable::Variable(const QVariant& value) : QVariant(value) {}

Variable::Variable(const VariableHash& hash) : QVariant(QVariant::fromValue(hash)) {}

Variable& Variable::operator=(const QVariant& value)
{
    QVariant::operator=(value);
    return *this;
}

bool Variable::IsHash() const
{
    return userType() == qMetaTypeId<VariableHash>();
}

bool Variable::CheckHash() const
{
    if (IsHash())
        return true;
    qWarning().noquote() << QStringLiteral("Variable :: can't convert '%1' to hash!")
                                .arg(QString::fromLatin1(isValid() ? typeName() : "Invalid"));
    return false;
}

VariableHash& Variable::Hash()
{
    if (!CheckHash())
    {
        // A fresh scratch hash per call, so a caller's writes to it never leak into later lookups.
        static thread_local VariableHash scratch;
        scratch.clear();
        return scratch;
    }
    // The stored hash is edited in place; data() detaches the shared value first.
    return *static_cast<VariableHash*>(data());
}

const VariableHash& Variable::Hash() const
{
    if (!CheckHash())
    {
        static const VariableHash empty;
        return empty;
    }
    return *static_cast<const VariableHash*>(constData());
}

Variable& Variable::operator[](const QString& key)
{
    if (!CheckHash())
    {
        static thread_local Variable scratch;
        scratch = Variable();
        return scratch;
    }
    return Hash()[key];
}

bool Variable::Contains(const QString& key) const
{
    if (!CheckHash())
        return false;
    return Hash().contains(key);
}

Variable& Variable::Insert(const QString& key, const VariableHash& hash)
{
    Variable& child = (*this)[key];
    child = Variable(hash);
    return child;
}

Variable& Variable::Insert(const QString& key, const QVariant& value)
{
    Variable& child = (*this)[key];
    child = value;
    return child;
}

void Variable::RegisterMetaTypes()
{
    RegisterValueType<Variable>("Variable");
    const int hashId = RegisterValueType<VariableHash>("VariableHash");
    // Qt usually adds the associative-iterable converter for QHash itself; add it only when it didn't.
    const int iterableId = qMetaTypeId<QtMetaTypePrivate::QAssociativeIterableImpl>();
    if (!QMetaType::hasRegisteredConverterFunction(hashId, iterableId))
        QMetaType::registerConverter<VariableHash, QtMetaTypePrivate::QAssociativeIterableImpl>(
            QtMetaTypePrivate::QAssociativeIterableConvertFunctor<VariableHash>());
}
