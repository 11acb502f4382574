#pragma once

#include <QString>
#include <QVariant>

// Builds the whole interface frame (store, page manager, background, GUI manager, main window)
// over the counting pages, and takes it down again.
namespace TestUi
{
void Start();
void Stop();
// Reads one key of the lobby settings file as it is on disk.
QVariant StoredValue(const QString& group, const QString& key);
} // namespace TestUi
