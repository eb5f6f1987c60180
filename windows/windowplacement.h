// Where windows go: by their frames, title bars included, as the window manager places them;
// the input window's remembered position kept in twips (1/1440 inch) so that it means the
// same place at any screen resolution.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

namespace qrv {

int pixelsToTwips(int pixels, double logicalDpi);
int twipsToPixels(int twips, double logicalDpi);

// The saved top-left corner, when a window of `size` placed there would show its title bar
// on one of the screens; otherwise nothing (the window system places it).
std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens);

// The same for the screens of this desktop (their areas free of panels).
std::optional<QPoint> placementOnScreens(QPoint topLeft, QSize size);

// The frame moved onto the screen that holds most of it (or the nearest one) until it lies
// wholly on it; shrunk only where it is larger than that screen.
QRect fittedOnScreens(QRect frame, const QList<QRect>& screens);

// Shows a window with its frame's top-left corner at `topLeft`, or as near to it as keeps the
// frame wholly on its screen. Its size is settled first: a window that the window manager sees
// resized while it is being shown is placed by its client area instead, its title bar above
// the given point. From then on, whenever its contents resize it, the window is moved back
// onto its screen where the new size, or the window manager's placing of it, left it partly off.
void showFrameAt(QWidget& window, QPoint topLeft);

} // namespace qrv
