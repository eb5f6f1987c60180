#include "print/layout/printlayout.h"

#include "base/numberformat.h"
#include "base/parsenumber.h"

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

// A margin box below its smallest value (or empty) takes that value, one above its
// largest takes the largest; only a corrected box is rewritten.
void limitMargin(std::string& box, float smallest, double largest)
{
    const float value = ParseNumber(box);
    if (box.empty() || value < smallest)
        box = formatFixed(smallest, 2);
    else if (value > largest)
        box = formatFixed(largest, 2);
}

long inchesToTwips(double inches) { return nearestEven(inches * kTwipsPerInch); }

// A picture that its margin would push past the far edge ends at that edge instead.
long offsetWithin(long offset, long size, long extent)
{
    return offset + size > extent ? extent - size : offset;
}

} // namespace

long nearestEven(double value) { return long(std::nearbyint(value)); }

void limitMarginsToPage(const PageMetrics& page, LayoutBoxes& boxes)
{
    limitMargin(boxes.left, page.minLeftIn(), page.pageWidthIn() - page.minLeftIn());
    limitMargin(boxes.top, page.minTopIn(), page.pageHeightIn() - page.minTopIn());
}

ImagePlacement placePicture(const PageMetrics& page, double pictureWidth, double pictureHeight,
                            LayoutBoxes& boxes)
{
    limitMargin(boxes.left, page.minLeftIn(), page.pageWidthIn() - 1);
    limitMargin(boxes.top, page.minTopIn(), page.pageHeightIn() - 1);

    ImagePlacement image;
    const double w = double(page.printableWidth);
    const double h = double(page.printableHeight);
    if (!(w > 0 && h > 0 && pictureWidth > 0 && pictureHeight > 0))
        return image;
    const bool widthLimited = pictureWidth / w >= pictureHeight / h;
    const long leftFromMargin = inchesToTwips(ParseNumber(boxes.left) - page.minLeftIn());
    const long topFromMargin = inchesToTwips(ParseNumber(boxes.top) - page.minTopIn());

    boxes.scaleEnabled = !boxes.fitToPage;
    if (boxes.fitToPage) {
        if (widthLimited) {
            image.width = page.printableWidth;
            image.height = nearestEven(w * pictureHeight / pictureWidth);
        } else {
            image.height = page.printableHeight;
            image.width = nearestEven(h * pictureWidth / pictureHeight);
        }
        boxes.leftEnabled = !boxes.centre && !widthLimited;
        boxes.topEnabled = !boxes.centre && widthLimited;
        if (boxes.centre) {
            image.left = widthLimited ? 0 : nearestEven((w - double(image.width)) / 2);
            image.top = widthLimited ? nearestEven((h - double(image.height)) / 2) : 0;
        } else {
            image.left = widthLimited ? 0 : offsetWithin(leftFromMargin, image.width, page.printableWidth);
            image.top = widthLimited ? offsetWithin(topFromMargin, image.height, page.printableHeight) : 0;
        }
    } else {
        // A negative scale typed into the box would mirror the picture: it prints nothing.
        const double scale = std::max(0.0, double(ParseNumber(boxes.scale)));
        if (widthLimited) {
            image.width = std::min(nearestEven(scale * w / 100), page.printableWidth);
            image.height = nearestEven(double(image.width) * pictureHeight / pictureWidth);
        } else {
            image.height = std::min(nearestEven(scale * h / 100), page.printableHeight);
            image.width = nearestEven(double(image.height) * pictureWidth / pictureHeight);
        }
        boxes.leftEnabled = !boxes.centre;
        boxes.topEnabled = !boxes.centre;
        if (boxes.centre) {
            image.left = nearestEven((w - double(image.width)) / 2);
            image.top = nearestEven((h - double(image.height)) / 2);
        } else {
            image.left = offsetWithin(leftFromMargin, image.width, page.printableWidth);
            image.top = offsetWithin(topFromMargin, image.height, page.printableHeight);
        }
    }

    boxes.left = formatFixed(page.minLeftIn() + double(image.left) / kTwipsPerInch, 2);
    boxes.top = formatFixed(page.minTopIn() + double(image.top) / kTwipsPerInch, 2);
    const double effectiveScale = widthLimited ? double(image.width) * 100 / w
                                               : double(image.height) * 100 / h;
    boxes.scale = formatFixed(effectiveScale, 0);
    return image;
}

Rect previewPage(const PageMetrics& page, bool portrait, Size holder)
{
    Rect preview;
    if (page.pageWidth <= 0 || page.pageHeight <= 0)
        return preview;
    if (portrait) {
        preview.height = holder.height - 200;
        preview.width = nearestEven(double(preview.height) * page.pageWidthIn() / page.pageHeightIn());
        preview.left = (holder.width - preview.width) / 2;
        preview.top = (holder.height - preview.height) / 2 - 20;
    } else {
        preview.width = holder.width - 200;
        preview.height = nearestEven(double(preview.width) * page.pageHeightIn() / page.pageWidthIn());
        preview.left = (holder.width - preview.width) / 2 - 20;
        preview.top = (holder.height - preview.height) / 2;
    }
    return preview;
}

Rect previewPicture(const PageMetrics& page, Size previewSize, const LayoutBoxes& boxes,
                    const ImagePlacement& image)
{
    Rect picture;
    if (page.pageWidth <= 0 || page.pageHeight <= 0)
        return picture;
    const double sw = double(previewSize.width);
    const double sh = double(previewSize.height);
    const double pw = double(page.pageWidth);
    const double ph = double(page.pageHeight);
    picture.left = nearestEven(double(ParseNumber(boxes.left)) * kTwipsPerInch * sw / pw);
    picture.top = nearestEven(double(ParseNumber(boxes.top)) * kTwipsPerInch * sh / ph);
    picture.width = nearestEven(sw * double(image.width) / pw);
    picture.height = nearestEven(sh * double(image.height) / ph);
    return picture;
}

Size windowSize(Size requested)
{
    const long width = std::max(requested.width, kMinWindowWidth);
    return {width, width - kWindowHeightLess};
}

long previewHolderSide(long windowWidth) { return windowWidth - kControlsWidth; }

} // namespace qrv
