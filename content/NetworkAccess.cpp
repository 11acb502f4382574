#include "NetworkAccess.h"

#include <QNetworkAccessManager>

QNetworkAccessManager* NetworkAccess::NewManager(QObject* parent)
{
    // The first manager registers Qt's network types: one made and dropped here, in a static's
    // initialisation, which runs once while every other thread waits for it. Registering them from
    // our own code instead would swap Qt's copies of their helpers for ours.
    static const bool registered = []
    {
        delete new QNetworkAccessManager();
        return true;
    }();
    Q_UNUSED(registered)
    return new QNetworkAccessManager(parent);
}
