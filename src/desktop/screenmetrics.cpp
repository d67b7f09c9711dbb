#include "screenmetrics_p.h"
#include "zrcommonutils.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace OrvoKiv {

// Each float is a rounding step callers' layouts depend on; do not fold the expression.
float pixelsPerMillimetre(int w, int h, double d, double dx, double dy)
{
    const float widthInches = float(w / dx);
    const float heightInches = float(h / dy);
    const float diagonalPixels = float(std::sqrt(double(float(w * w + h * h))));
    const float diagonalInches =
        float(std::sqrt(double(heightInches * heightInches + widthInches * widthInches)));
    const float scale = float(d / double(diagonalPixels / diagonalInches));
    const float product = float(double(scale) * (d / 25.4));
    const float ratio = float(d / 96.0);
    return product / ratio;
}

} // namespace OrvoKiv

float ZRCommonUtils::getPixsPerMm()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 3.7795277f;
    const QRect geometry = screen->geometry();
    return OrvoKiv::pixelsPerMillimetre(geometry.width(), geometry.height(),
                                        screen->logicalDotsPerInch(),
                                        screen->logicalDotsPerInchX(),
                                        screen->logicalDotsPerInchY());
}

float ZRCommonUtils::getPixsPerPound()
{
    return float(getPixsPerMm() * 25.4 / 72.0);
}

QRect ZRCommonUtils::getScreenRect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

void ZRCommonUtils::getRoundPixmap(QPixmap &picture, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const QPixmap mask = QPixmap(QStringLiteral(":/images/mask.png"))
                             .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(image.rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawPixmap(0, 0, mask);
    // The picture survives only where the mask is transparent.
    painter.setCompositionMode(QPainter::CompositionMode_SourceOut);
    painter.drawPixmap(0, 0, picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    painter.end();
    picture = QPixmap::fromImage(image);
}
