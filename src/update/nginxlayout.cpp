#include "nginxlayout_p.h"

#include "platformbackend_p.h"
#include "platformpath_p.h"
#include "zrcommonutils.h"

namespace OrvoKiv {
namespace Update {

NginxLayout NginxLayout::current()
{
    return of(Platform::backend().conventions(), ZRCommonUtils::getAppRootDir());
}

NginxLayout NginxLayout::of(const Platform::Conventions &conventions, const QString &appRootDir)
{
    const QChar separator = conventions.windowsPaths ? QLatin1Char('\\') : QLatin1Char('/');
    const auto native = [separator](QString path) {
        return path.replace(QLatin1Char('/'), separator);
    };
    NginxLayout layout;
    layout.serviceDir = conventions.machineDataDir + native(QStringLiteral("OrvoUpdateService/"));
    layout.nginxExecutable = layout.serviceDir + native(QStringLiteral("nginx-1.16.0/nginx"))
        + conventions.executableSuffix;
    layout.contentEditorDir = layout.serviceDir + native(QStringLiteral("nginx-1.16.0/UpDate/contentEditor"));
    layout.editorMarker = QStringLiteral("%1%3%2").arg(layout.contentEditorDir,
                                                       native(QStringLiteral("editor/index.html")),
                                                       QString(separator));
    layout.shippedServer = appRootDir + QLatin1Char('/') + QStringLiteral("OrvoUpdateService/");
    layout.shippedEditor = appRootDir + QLatin1Char('/') + QStringLiteral("contentEditor");
    layout.installer = absolutePathFor(appRootDir + QStringLiteral("/../")
                                           + QStringLiteral("Orvo软件更新服务程序")
                                           + conventions.executableSuffix,
                                       conventions);
    return layout;
}

} // namespace Update
} // namespace OrvoKiv
