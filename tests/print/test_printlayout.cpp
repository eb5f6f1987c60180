#include "print/layout/printlayout.h"

#include <gtest/gtest.h>

using namespace qrv;

namespace {

// US letter with a quarter-inch unprintable border.
constexpr PageMetrics kPortrait{12240, 15840, 360, 360, 11520, 15120};
constexpr PageMetrics kLandscape{15840, 12240, 360, 360, 15120, 11520};

LayoutBoxes boxes(bool fit, bool centre, std::string scale = "100", std::string left = "0.25",
                  std::string top = "0.25")
{
    LayoutBoxes b;
    b.fitToPage = fit;
    b.centre = centre;
    b.scale = std::move(scale);
    b.left = std::move(left);
    b.top = std::move(top);
    return b;
}

void expectPlacement(const ImagePlacement& image, long left, long top, long width, long height)
{
    EXPECT_EQ(image.left, left);
    EXPECT_EQ(image.top, top);
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
}

} // namespace

TEST(PrintLayout, NearestGoesToEvenOnHalves)
{
    EXPECT_EQ(nearestEven(2.5), 2);
    EXPECT_EQ(nearestEven(3.5), 4);
    EXPECT_EQ(nearestEven(-2.5), -2);
    EXPECT_EQ(nearestEven(2.51), 3);
    // A fitted height of exactly 4.5 and 13.5 twips.
    LayoutBoxes b = boxes(true, false);
    EXPECT_EQ(placePicture(kPortrait, 2560, 1, b).height, 4);
    EXPECT_EQ(placePicture(kPortrait, 2560, 3, b).height, 14);
}

TEST(PrintLayout, FitToPage)
{
    // Width-limited and centred: full width, centred vertically, both margin boxes off.
    LayoutBoxes b = boxes(true, true);
    expectPlacement(placePicture(kPortrait, 800, 500, b), 0, 3960, 11520, 7200);
    EXPECT_EQ(b.left, "0.25");
    EXPECT_EQ(b.top, "3.00");
    EXPECT_EQ(b.scale, "100");
    EXPECT_FALSE(b.scaleEnabled);
    EXPECT_FALSE(b.leftEnabled);
    EXPECT_FALSE(b.topEnabled);

    // Width-limited, not centred: the top margin places it, only the top box is on.
    b = boxes(true, false, "100", "3", "1.25");
    expectPlacement(placePicture(kPortrait, 800, 500, b), 0, 1440, 11520, 7200);
    EXPECT_EQ(b.left, "0.25");
    EXPECT_EQ(b.top, "1.25");
    EXPECT_FALSE(b.leftEnabled);
    EXPECT_TRUE(b.topEnabled);

    // Height-limited, not centred: the left margin places it, only the left box is on.
    b = boxes(true, false, "100", "1.00", "2");
    expectPlacement(placePicture(kPortrait, 500, 800, b), 1080, 0, 9450, 15120);
    EXPECT_EQ(b.top, "0.25");
    EXPECT_TRUE(b.leftEnabled);
    EXPECT_FALSE(b.topEnabled);

    // Landscape, centred: 15120 x 9450, (11520 - 9450) / 2 from the top.
    b = boxes(true, true);
    expectPlacement(placePicture(kLandscape, 800, 500, b), 0, 1035, 15120, 9450);
    EXPECT_EQ(b.top, "0.97");
}

// A picture of the printable area's own proportions (16:21 on the portrait page) is fitted
// across the width, so the top margin places it; a pixel more width keeps that, a pixel more
// height fits it to the height and hands placement to the left margin. Margins of 1 and 2 in.
// push the picture past the far edge, which pulls it back by the twips it is short.
TEST(PrintLayout, FittedPictureOfThePrintableProportionsIsWidthLimited)
{
    LayoutBoxes b = boxes(true, false, "100", "1.00", "2");
    expectPlacement(placePicture(kPortrait, 800, 1050, b), 0, 0, 11520, 15120);
    EXPECT_FALSE(b.leftEnabled);
    EXPECT_TRUE(b.topEnabled);

    // 11520 x 1050 / 801 = 15101.12
    b = boxes(true, false, "100", "1.00", "2");
    expectPlacement(placePicture(kPortrait, 801, 1050, b), 0, 19, 11520, 15101);
    EXPECT_FALSE(b.leftEnabled);
    EXPECT_TRUE(b.topEnabled);
    EXPECT_EQ(b.top, "0.26");

    // 15120 x 800 / 1051 = 11509.04
    b = boxes(true, false, "100", "1.00", "2");
    expectPlacement(placePicture(kPortrait, 800, 1051, b), 11, 0, 11509, 15120);
    EXPECT_TRUE(b.leftEnabled);
    EXPECT_FALSE(b.topEnabled);
    EXPECT_EQ(b.left, "0.26");
}

TEST(PrintLayout, ScaledPicture)
{
    LayoutBoxes b = boxes(false, false, "50", "2.25", "0.50");
    expectPlacement(placePicture(kPortrait, 800, 500, b), 2880, 360, 5760, 3600);
    EXPECT_TRUE(b.scaleEnabled);
    EXPECT_TRUE(b.leftEnabled);
    EXPECT_TRUE(b.topEnabled);
    EXPECT_EQ(b.scale, "50");

    // Centred in both directions, boxes show the effective margins.
    b = boxes(false, true, "50");
    expectPlacement(placePicture(kPortrait, 800, 500, b), 2880, 5760, 5760, 3600);
    EXPECT_EQ(b.left, "2.25");
    EXPECT_EQ(b.top, "4.25");
    EXPECT_FALSE(b.leftEnabled);

    // Above the largest fit: reduced to 100 %. Below 10: kept.
    b = boxes(false, false, "150");
    EXPECT_EQ(placePicture(kPortrait, 800, 500, b).width, 11520);
    EXPECT_EQ(b.scale, "100");
    b = boxes(false, false, "5");
    EXPECT_EQ(placePicture(kPortrait, 800, 500, b).width, 576);
    EXPECT_EQ(b.scale, "5");
}

TEST(PrintLayout, MarginsAreKeptOnThePage)
{
    // Left margin beyond page width less one inch: reset to 7.5 in, then the picture is
    // pulled back to end at the printable edge.
    LayoutBoxes b = boxes(false, false, "50", "20", "");
    expectPlacement(placePicture(kPortrait, 800, 500, b), 5760, 0, 5760, 3600);
    EXPECT_EQ(b.left, "4.25");
    EXPECT_EQ(b.top, "0.25");

    // A fitted picture pushed down by its top margin still ends on the page.
    b = boxes(true, false, "100", "0.25", "9");
    expectPlacement(placePicture(kPortrait, 800, 500, b), 0, 15120 - 7200, 11520, 7200);

    // A new printer: margins between its offsets and the page size less the offset.
    b = boxes(true, false, "100", "", "0.1");
    limitMarginsToPage(kPortrait, b);
    EXPECT_EQ(b.left, "0.25");
    EXPECT_EQ(b.top, "0.25");
    b = boxes(true, false, "100", "9", "10.9");
    limitMarginsToPage(kPortrait, b);
    EXPECT_EQ(b.left, "8.25");
    EXPECT_EQ(b.top, "10.75");
    b = boxes(true, false, "100", "1.5", "2");
    limitMarginsToPage(kPortrait, b);
    EXPECT_EQ(b.left, "1.5");
}

TEST(PrintLayout, PreviewToScale)
{
    const Rect portrait = previewPage(kPortrait, true, {2475, 2475});
    EXPECT_EQ(portrait.width, 1758);
    EXPECT_EQ(portrait.height, 2275);
    EXPECT_EQ(portrait.left, 358);
    EXPECT_EQ(portrait.top, 80);
    const Rect landscape = previewPage(kLandscape, false, {2475, 2475});
    EXPECT_EQ(landscape.width, 2275);
    EXPECT_EQ(landscape.height, 1758);
    EXPECT_EQ(landscape.left, 80);
    EXPECT_EQ(landscape.top, 358);

    LayoutBoxes b = boxes(true, true);
    const ImagePlacement image = placePicture(kPortrait, 800, 500, b);
    const Rect picture = previewPicture(kPortrait, {1758, 2275}, b, image);
    EXPECT_EQ(picture.left, 52);
    EXPECT_EQ(picture.top, 620);
    EXPECT_EQ(picture.width, 1655);
    EXPECT_EQ(picture.height, 1034);
}

TEST(PrintLayout, WindowSizeRules)
{
    const Size small = windowSize({5000, 9000});
    EXPECT_EQ(small.width, 6060);
    EXPECT_EQ(small.height, 3630);
    // "Print Window" asks for 3425 x 3495 and ends at the minimum.
    EXPECT_EQ(windowSize({3425, 3495}).height, 3630);
    const Size wide = windowSize({8000, 100});
    EXPECT_EQ(wide.width, 8000);
    EXPECT_EQ(wide.height, 5570);
    EXPECT_EQ(previewHolderSide(6060), 2475);
}
