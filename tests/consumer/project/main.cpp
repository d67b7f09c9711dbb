// A host application in miniature, built only from the installed package.
#include <orvopublicdata.h>

#include <cstdio>

int main()
{
    OrvoKiv::Singleton<ZRPublicData>::getInstance()->setAppName(QStringLiteral("ConsumerApp"));
    const QString dataRoot = ZRCommonUtils::getDataRootDir();
    std::printf("data root: %s\n", qPrintable(dataRoot));
    if (!dataRoot.endsWith(QLatin1String("ConsumerApp")))
        return 1;
    if (ZRUserInfo::getInstance() == nullptr)
        return 1;
    return OrvoKiv::Singleton<ZRVersionInfo>::getInstance() ? 0 : 1;
}
