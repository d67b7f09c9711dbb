#include "zrwinapputils.h"

ZRWinAppUtils::ZRWinAppUtils(QObject *parent)
    : QObject(parent)
{
}

ZRWinAppUtils::~ZRWinAppUtils() = default;
