#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Quitting the program and starting it again, for choices that only a fresh process applies.
namespace AppRestart
{
// Starts a program detached; true when it started.
using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

// Replaces the function that starts the new process (tests); an empty one restores the real one.
void SetStarter(Starter starter);

// The program's own executable, whatever it was called by.
QString ProgramPath();

// Saves every settings group, closes the interface through the GUI manager and starts the
// program again with no arguments. False (logged) when the new process could not be started.
bool Restart();
} // namespace AppRestart
