// One short-lived writer process: ini_writer FILE KEY VALUE.
#include "zrcommonutils.h"

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    ZRCommonUtils::writeIni(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    return 0;
}
