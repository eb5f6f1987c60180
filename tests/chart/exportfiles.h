// Looks into saved chart files for the plot tests.
#pragma once

#include <QColor>
#include <QImage>

namespace qrv::test {

// Pixels of exactly this colour: the chart's markers are pure red and pure blue.
inline int countColour(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

inline int countNonWhite(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).lightness() < 200;
    return count;
}

} // namespace qrv::test
