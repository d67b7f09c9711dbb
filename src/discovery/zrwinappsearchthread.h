#ifndef ZRWINAPPSEARCHTHREAD_H
#define ZRWINAPPSEARCHTHREAD_H

#include "orvopublicdata_export.h"

#include <QJsonArray>
#include <QThread>

// Runs the installed-program scan off the GUI thread, once per process: later starts emit the
// cached result, unless the scan found nothing. Scans must not overlap.
class ORVOPUBLICDATA_EXPORT ZRWinAppSearchThread : public QThread
{
    Q_OBJECT

public:
    explicit ZRWinAppSearchThread(QObject *parent = nullptr);
    ~ZRWinAppSearchThread() override;

Q_SIGNALS:
    void signalWinAppsData(QJsonArray);

protected:
    void run() override;
};

#endif // ZRWINAPPSEARCHTHREAD_H
