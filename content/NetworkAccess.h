#pragma once

class QNetworkAccessManager;
class QObject;

namespace NetworkAccess
{
// A network access manager for a web client on any thread. Qt's network code registers some of
// its types with the meta-type system at first use, and two threads doing that at once get a
// warning in the log ("Type conversion already registered"); here they are registered first, once
// for the whole process.
QNetworkAccessManager* NewManager(QObject* parent);
} // namespace NetworkAccess
