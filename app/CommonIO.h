#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QFile;

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

// The size limit of settings files and lists a player writes, read whole.
constexpr qint64 MaxSettingsFileBytes = 4 * 1024 * 1024;

enum class ReadStatus
{
    Ok,
    Missing,    // nothing there, or a link to nothing
    Unreadable, // there, but it can not be read: no permission, a folder, a read error
    Damaged     // not a regular file (FIFO, device, socket, link loop) or larger than the limit
};

// Opens a regular file for reading. A FIFO or device is refused before it could block the open.
// Resource paths (":/...") are opened as they are.
ReadStatus OpenRegularFile(QFile* file, const QString& path, QString* reason = nullptr);
// Reads a whole file of at most maxBytes through OpenRegularFile; `reason` says what was wrong.
ReadStatus ReadFile(const QString& path, qint64 maxBytes, QByteArray* content, QString* reason = nullptr);

// Replaces the file with `bytes` in one step (QSaveFile): a failure, also part-way, leaves the old
// file as it was. `text`: "\n" becomes the platform's line end; `error` says what failed.
bool SaveFile(const QString& path, const QByteArray& bytes, bool text = false, QString* error = nullptr);

// Damaged files are kept as "<path>.corrupt" (the newest), "<path>.corrupt.1", ... up to this many;
// the oldest goes when one more comes.
constexpr int CorruptCopies = 5;
// Where copy `copy` (0: the newest) of a damaged file is kept.
QString CorruptPath(const QString& path, int copy = 0);
// Moves a damaged file out of the way by renaming it to CorruptPath, the older copies moving one
// number up: its bytes are kept and its name is free for a fresh file. A folder is not moved.
bool MoveAside(const QString& path);
// MoveAside, saying for the one log line the caller writes where the file went: "kept as
// <path>.corrupt" or "left where it is".
QString SetAside(const QString& path, bool* moved = nullptr);
// Keeps `bytes` as the newest copy at CorruptPath, as MoveAside would keep the file, in one step.
bool KeepAside(const QString& path, const QByteArray& bytes);

// A text a player or a file supplied, cut for a log line.
QString ForLog(const QString& text, int maxLength = 80);

// A temporary copy that a save cut short left behind: "<name>.<six letters>", as QSaveFile names
// them, beside a file matching one of `names` (wildcards allowed). Any six letters may be Qt's, but
// a word people name a copy with (".backup", ".BACKUP", ".Before") is the player's.
bool IsSaveLeftover(const QString& fileName, const QStringList& names);
// Removes the save leftovers of `folder` that are older than `before`; returns how many.
int RemoveSaveLeftovers(const QString& folder, const QStringList& names, const QDateTime& before);
} // namespace CommonIO
