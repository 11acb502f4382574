#pragma once

#include <QString>
#include <QStringList>

// File and folder helpers.
namespace CommonIO
{
bool MakeDir(const QString& path);
// Removes a file or a whole folder tree.
bool Remove(const QString& path, bool quiet = false);
// Removes what is inside a folder, keeping the folder.
bool RemoveDir(const QString& folder, bool contentsOnly = true);
// Shows a file (selected) or a folder in the system file browser.
void ShowInExplorer(const QString& path);
// The program and arguments that ShowInExplorer starts on this platform.
void ExplorerCommand(const QString& path, QString* program, QStringList* arguments);
} // namespace CommonIO
