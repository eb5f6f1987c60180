// What the print window places on a page: a picture that draws itself straight onto the
// page, so that a chart stays vector in a PDF and sharp on paper at any size.
#pragma once

#include "print/layout/printlayout.h"

#include <QSizeF>

#include <functional>

class QPainter;
class QRectF;

namespace qrv {

// Draws the picture into target, given in units of 1/96 inch: the painter is scaled from
// the device's resolution to that unit, so that texts sized for a screen keep their size.
using DrawPicture = std::function<void(QPainter& painter, const QRectF& target)>;

inline constexpr double kPictureUnitsPerInch = 96;

// A size placed on the page, in twips, as the picture's units.
inline QSizeF pictureUnits(long widthTwips, long heightTwips)
{
    return QSizeF(double(widthTwips), double(heightTwips)) * (kPictureUnitsPerInch / kTwipsPerInch);
}

} // namespace qrv
