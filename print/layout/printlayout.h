// Where a picture lands on the printed page, and how the print window and its preview are
// sized. Everything is in twips (1440 per inch); the margin and scale boxes hold texts,
// read leniently and written back with the effective values.
#pragma once

#include <string>

namespace qrv {

inline constexpr int kTwipsPerInch = 1440;

// What the printer reports, in twips.
struct PageMetrics {
    long pageWidth = 0;
    long pageHeight = 0;
    long leftOffset = 0; // unprintable margins
    long topOffset = 0;
    long printableWidth = 0;
    long printableHeight = 0;

    double pageWidthIn() const { return double(pageWidth) / kTwipsPerInch; }
    double pageHeightIn() const { return double(pageHeight) / kTwipsPerInch; }
    float minLeftIn() const { return float(double(leftOffset) / kTwipsPerInch); }
    float minTopIn() const { return float(double(topOffset) / kTwipsPerInch); }
};

// The boxes and check boxes of the print window, as the layout reads and rewrites them.
struct LayoutBoxes {
    std::string scale = "100";
    std::string left = "0.00";
    std::string top = "0.00";
    bool fitToPage = true;
    bool centre = false;
    bool scaleEnabled = true;
    bool leftEnabled = true;
    bool topEnabled = true;
};

// The picture's place and size within the printable area.
struct ImagePlacement {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
};

struct Rect {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
};

struct Size {
    long width = 0;
    long height = 0;
};

// Nearest integer, halves to the even one.
long nearestEven(double value);

// Margins as read from a new printer: between its unprintable offset and the page size
// less that offset.
void limitMarginsToPage(const PageMetrics& page, LayoutBoxes& boxes);

// Validates margins and scale, places a picture of pictureWidth x pictureHeight (any unit;
// only the proportion counts) and writes the effective margins and scale back.
ImagePlacement placePicture(const PageMetrics& page, double pictureWidth, double pictureHeight,
                            LayoutBoxes& boxes);

// The page drawn to scale inside the preview holder, for either orientation.
Rect previewPage(const PageMetrics& page, bool portrait, Size holder);

// The picture inside a preview page of previewSize, from the margin boxes' values.
Rect previewPicture(const PageMetrics& page, Size previewSize, const LayoutBoxes& boxes,
                    const ImagePlacement& image);

// The print window's sizes: at least 6060 wide, always 2430 less high than wide, with the
// square preview holder taking all but 3585 of the width.
inline constexpr long kMinWindowWidth = 6060;
inline constexpr long kWindowHeightLess = 2430;
inline constexpr long kControlsWidth = 3585;
Size windowSize(Size requested);
long previewHolderSide(long windowWidth);

} // namespace qrv
