#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The plain fields of a "modinfo.lua" or "mapinfo.lua", read without running the file. The engine
// runs it; what the engine then sees is found here for the files met in practice: the table the
// file returns (directly, through a local, or through a function called on a local such as the
// usual `lowerkeys(mapinfo)`), with string and number values, ".." joins of them, locals holding
// such values and later `info.key = value` assignments. A value computed any other way counts as
// absent, and so does every field of a file that is not valid Lua as far as it is read.
namespace LuaInfo
{
// Texts longer than this are cut: an info file is small, a huge value is damage.
constexpr int MaxValueLength = 4096;

// Key -> value of the returned table's fields. A lone number stands as the engine writes it
// ("1.500000"); in a ".." join it stands as Lua writes it ("1.5"). Booleans and nil are absent.
QMap<QString, QString> ReadFields(const QByteArray& text);
} // namespace LuaInfo
