#include "languageswitch_p.h"
#include "zrcommonutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTranslator>

namespace {

// The translator this function installed last. A replaced one is deleted at once: no caller
// ever holds it, and keeping them would grow with every switch.
QTranslator *g_currentTranslator = nullptr;

} // namespace

QString OrvoKiv::translationFilePath(const QString &name, const QString &language)
{
    const QString folder = QStringLiteral("envDir:/translations/");
    QString path = folder + name + QLatin1Char('_') + language + QStringLiteral(".qm");
    if (!QFile::exists(path))
        path = folder + name + QStringLiteral("_zh_CN.qm");
    return QDir(path).absolutePath();
}

void ZRCommonUtils::switchLanguage(const QString &name, const QString &language)
{
    const QString path = OrvoKiv::translationFilePath(name, language);
    if (g_currentTranslator) {
        QCoreApplication::removeTranslator(g_currentTranslator);
        delete g_currentTranslator;
    }
    g_currentTranslator = new QTranslator();
    g_currentTranslator->load(path, QString(), QString(), QString());
    QCoreApplication::installTranslator(g_currentTranslator);
}
