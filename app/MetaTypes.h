#pragma once

#include "ThreadHandOff.h"

#include <QMetaType>
#include <new>

namespace MetaTypesDetail
{
void RegisterPublishingCopy(const char* name, int size, QMetaType::Destructor destruct,
                            QMetaType::Constructor construct);

template <typename T>
void Destruct(void* value)
{
    static_cast<T*>(value)->~T();
}

// Qt's copy of a queued argument is made on the sending thread after the signal was emitted:
// publishing after it lets the receiving thread see the copy (see ThreadHandOff.h).
template <typename T>
void* ConstructAndPublish(void* where, const void* copy)
{
    if (!copy)
        return new (where) T;
    T* made = new (where) T(*static_cast<const T*>(copy));
    ThreadHandOff::Publish();
    return made;
}
} // namespace MetaTypesDetail

// Registers a value type for queued signals and slot calls by name. Use it, not
// qRegisterMetaType, for our own types, before the first use of the type.
template <typename T>
int RegisterValueType(const char* name)
{
    if constexpr (ThreadHandOff::Enabled())
        MetaTypesDetail::RegisterPublishingCopy(name, int(sizeof(T)), &MetaTypesDetail::Destruct<T>,
                                                &MetaTypesDetail::ConstructAndPublish<T>);
    return qRegisterMetaType<T>(name);
}

// Registers the value types of the foundation with Qt's meta-type system, so that they can
// travel through queued signals and queued slot calls by name.
void RegisterAppMetaTypes();
