#pragma once

#include <QByteArray>

// INI text as QSettings reads it, handled line by line so that what a player wrote into a
// settings file survives our saves.
namespace IniText
{
// Puts `ours` (the text QSettings writes for some groups) into `original`: each of our keys
// replaces the line that holds it (a later line with the same key is dropped), a key the file lacks
// goes after the last key of its group, a group it lacks goes to the end. Every other line stays
// where it is: comments, blank lines, other groups and keys, lines QSettings can not read. Lines end
// where QSettings ends them: at "\n", "\r\n" or a lone "\r"; each keeps its own end, and new lines
// end with "\r\n" where the file's first line does, else with "\n".
QByteArray Merge(const QByteArray& original, const QByteArray& ours);
} // namespace IniText
