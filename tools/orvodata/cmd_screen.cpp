#include "command.h"

#include <zrcommonutils.h>

#include <QGuiApplication>
#include <QJsonObject>
#include <QScreen>

namespace orvodata {

// Runs in a QGuiApplication (main.cpp), on the offscreen platform when there is no display.
int runScreen(const QStringList &arguments)
{
    Arguments args(QStringLiteral("screen"),
                   QStringLiteral("Prints the primary screen's geometry, logical DPI, pixels per millimetre\n"
                                  "and per point, whether the suite's board library answers, and whether\n"
                                  "this is a board or a multi-touch screen. Without a display the offscreen\n"
                                  "platform's screen is measured."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    args.addOption(json);
    if (const int code = args.parse(arguments); code >= 0)
        return code;

    const QRect rect = ZRCommonUtils::getScreenRect();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool board = ZRCommonUtils::isOrvoScreen();
    const QVariant penSwitch = qApp->property("IsSupportPenSwitch");
    const QJsonObject answers = {
        {QStringLiteral("platform"), QGuiApplication::platformName()},
        {QStringLiteral("geometry"), QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y())
                                         .arg(rect.width()).arg(rect.height())},
        {QStringLiteral("dpiX"), screen ? screen->logicalDotsPerInchX() : 0.0},
        {QStringLiteral("dpiY"), screen ? screen->logicalDotsPerInchY() : 0.0},
        {QStringLiteral("pixsPerMm"), double(ZRCommonUtils::getPixsPerMm())},
        {QStringLiteral("pixsPerPound"), double(ZRCommonUtils::getPixsPerPound())},
        {QStringLiteral("orvoScreen"), board},
        {QStringLiteral("penSwitch"), penSwitch.isValid() ? QJsonValue(penSwitch.toBool()) : QJsonValue()},
        {QStringLiteral("hardwareScreen"), ZRCommonUtils::isRunHardwareScreen()},
    };
    if (args.isSet(json.names().first())) {
        printJson(answers);
        return Success;
    }
    for (const QString &key : {QStringLiteral("platform"), QStringLiteral("geometry"), QStringLiteral("dpiX"),
                               QStringLiteral("dpiY"), QStringLiteral("pixsPerMm"), QStringLiteral("pixsPerPound"),
                               QStringLiteral("orvoScreen"), QStringLiteral("penSwitch"),
                               QStringLiteral("hardwareScreen")}) {
        const QJsonValue value = answers.value(key);
        const QString text = value.isBool() ? QLatin1String(value.toBool() ? "true" : "false")
                           : value.isDouble() ? QString::number(value.toDouble(), 'g', 9)
                           : value.isNull() ? QStringLiteral("unset")
                                            : value.toString();
        printLine(key + QStringLiteral(": ") + text);
    }
    return Success;
}

} // namespace orvodata
