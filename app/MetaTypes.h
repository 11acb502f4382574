#pragma once

#include "ThreadHandOff.h"

#include <QMetaType>
#include <new>

namespace MetaTypesDetail
{
void RegisterQueuedCopy(const char* name, int size, QMetaType::Destructor destruct,
                        QMetaType::Constructor construct);

template <typename T>
void Destruct(void* value)
{
    static_cast<T*>(value)->~T();
}

// Qt's copy of a queued argument is made on the emitting thread after the emission handed over:
// it is made unseen by race checkers (see ThreadHandOff::QueuedCopy).
template <typename T>
void* ConstructQueuedCopy(void* where, const void* copy)
{
    if (!copy)
        return new (where) T;
    const ThreadHandOff::QueuedCopy queued;
    return new (where) T(*static_cast<const T*>(copy));
}
} // namespace MetaTypesDetail

// Registers a value type for queued signals and slot calls by name. Use it, not
// qRegisterMetaType, for our own types, before the first use of the type.
template <typename T>
int RegisterValueType(const char* name)
{
    if constexpr (ThreadHandOff::Enabled())
        MetaTypesDetail::RegisterQueuedCopy(name, int(sizeof(T)), &MetaTypesDetail::Destruct<T>,
                                            &MetaTypesDetail::ConstructQueuedCopy<T>);
    return qRegisterMetaType<T>(name);
}

// Registers the value types of the foundation with Qt's meta-type system, so that they can
// travel through queued signals and queued slot calls by name.
void RegisterAppMetaTypes();
