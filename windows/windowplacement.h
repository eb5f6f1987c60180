// The input window's remembered position, kept in twips (1/1440 inch) so that it means the
// same place at any screen resolution.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace qrv {

int pixelsToTwips(int pixels, double logicalDpi);
int twipsToPixels(int twips, double logicalDpi);

// The saved top-left corner, when a window of `size` placed there would show its title bar
// on one of the screens; otherwise nothing (the window system places it).
std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens);

} // namespace qrv
