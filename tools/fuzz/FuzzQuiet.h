// Shared by the fuzz targets: the readers log every fault they find, which would bury libFuzzer's
// own output and slow every run.
#pragma once

#include <QtGlobal>

inline void QuietQtMessages()
{
    static const bool quiet =
        (qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}), true);
    Q_UNUSED(quiet)
}
