#include "windows/windowplacement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace qrv {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// How much of the window's top strip must lie on a screen for the user to grab it.
constexpr int kGrabWidth = 80;
constexpr int kGrabHeight = 20;

} // namespace

int pixelsToTwips(int pixels, double logicalDpi)
{
    return int(std::lround(pixels * kTwipsPerInch / logicalDpi));
}

int twipsToPixels(int twips, double logicalDpi)
{
    return int(std::lround(twips * logicalDpi / kTwipsPerInch));
}

std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens)
{
    const QRect titleStrip(topLeft, QSize(size.width(), kGrabHeight));
    for (const QRect& screen : screens) {
        const QRect visible = screen.intersected(titleStrip);
        if (visible.width() >= std::min(kGrabWidth, size.width()) && visible.height() >= kGrabHeight)
            return topLeft;
    }
    return std::nullopt;
}

std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size)
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return placementOnScreens(topLeft, size, screens);
}

void showFrameAt(QWidget& window, QPoint topLeft)
{
    if (QLayout* layout = window.layout())
        layout->activate();
    window.move(topLeft);
    window.show();
}

} // namespace qrv
