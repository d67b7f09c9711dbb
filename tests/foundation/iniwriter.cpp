// One short-lived writer process: ini_writer FILE KEY VALUE.
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    ZRCommonUtils::writeIni(args.at(1), args.at(2), args.at(3));
    return 0;
}
