#include "print/layout/printlayout.h"

#include <gtest/gtest.h>

#include <tuple>

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

auto ltwh(const auto& r) { return std::tuple(r.left, r.top, r.width, r.height); }
auto ltwh(long left, long top, long width, long height) { return std::tuple(left, top, width, height); }
// Which of the scale, left and top boxes take input.
auto enabled(const LayoutBoxes& b) { return std::tuple(b.scaleEnabled, b.leftEnabled, b.topEnabled); }

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
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(0, 3960, 11520, 7200));
    EXPECT_EQ(std::tie(b.left, b.top, b.scale), std::tuple("0.25", "3.00", "100"));
    EXPECT_EQ(enabled(b), std::tuple(false, false, false));

    // Width-limited, not centred: the top margin places it, only the top box is on.
    b = boxes(true, false, "100", "3", "1.25");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(0, 1440, 11520, 7200));
    EXPECT_EQ(std::tie(b.left, b.top), std::tuple("0.25", "1.25"));
    EXPECT_EQ(enabled(b), std::tuple(false, false, true));

    // Height-limited, not centred: the left margin places it, only the left box is on.
    b = boxes(true, false, "100", "1.00", "2");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 500, 800, b)), ltwh(1080, 0, 9450, 15120));
    EXPECT_EQ(b.top, "0.25");
    EXPECT_EQ(enabled(b), std::tuple(false, true, false));

    // Landscape, centred: 15120 x 9450, (11520 - 9450) / 2 from the top.
    b = boxes(true, true);
    EXPECT_EQ(ltwh(placePicture(kLandscape, 800, 500, b)), ltwh(0, 1035, 15120, 9450));
    EXPECT_EQ(b.top, "0.97");
}

// A picture of the printable area's own proportions (16:21 on the portrait page) is fitted
// across the width, so the top margin places it; a pixel more width keeps that, a pixel more
// height fits it to the height and hands placement to the left margin. Margins of 1 and 2 in.
// push the picture past the far edge, which pulls it back by the twips it is short.
TEST(PrintLayout, FittedPictureOfThePrintableProportionsIsWidthLimited)
{
    // 11520 x 1050 / 801 = 15101.12; 15120 x 800 / 1051 = 11509.04
    struct Case {
        int width, height;
        std::tuple<long, long, long, long> placed;
        bool leftOn;
        const char *left, *top;
    };
    for (const Case& c : {Case{800, 1050, {0, 0, 11520, 15120}, false, "0.25", "0.25"},
                          Case{801, 1050, {0, 19, 11520, 15101}, false, "0.25", "0.26"},
                          Case{800, 1051, {11, 0, 11509, 15120}, true, "0.26", "0.25"}}) {
        LayoutBoxes b = boxes(true, false, "100", "1.00", "2");
        EXPECT_EQ(ltwh(placePicture(kPortrait, c.width, c.height, b)), c.placed) << c.width << " x " << c.height;
        EXPECT_EQ(enabled(b), std::tuple(false, c.leftOn, !c.leftOn));
        EXPECT_EQ(std::tie(b.left, b.top), std::tuple(c.left, c.top));
    }
}

TEST(PrintLayout, ScaledPicture)
{
    LayoutBoxes b = boxes(false, false, "50", "2.25", "0.50");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(2880, 360, 5760, 3600));
    EXPECT_EQ(enabled(b), std::tuple(true, true, true));
    EXPECT_EQ(b.scale, "50");

    // Centred in both directions, boxes show the effective margins.
    b = boxes(false, true, "50");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(2880, 5760, 5760, 3600));
    EXPECT_EQ(std::tie(b.left, b.top), std::tuple("2.25", "4.25"));
    EXPECT_FALSE(b.leftEnabled);

    // Above the largest fit: reduced to 100 %. Below 10: kept.
    for (const auto& [scale, width, shown] : {std::tuple{"150", 11520, "100"}, {"5", 576, "5"}}) {
        b = boxes(false, false, scale);
        EXPECT_EQ(placePicture(kPortrait, 800, 500, b).width, width);
        EXPECT_EQ(b.scale, shown);
    }
}

TEST(PrintLayout, MarginsAreKeptOnThePage)
{
    // Left margin beyond page width less one inch: reset to 7.5 in, then the picture is
    // pulled back to end at the printable edge.
    LayoutBoxes b = boxes(false, false, "50", "20", "");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(5760, 0, 5760, 3600));
    EXPECT_EQ(std::tie(b.left, b.top), std::tuple("4.25", "0.25"));

    // A fitted picture pushed down by its top margin still ends on the page.
    b = boxes(true, false, "100", "0.25", "9");
    EXPECT_EQ(ltwh(placePicture(kPortrait, 800, 500, b)), ltwh(0, 15120 - 7200, 11520, 7200));

    // A new printer: margins between its offsets and the page size less the offset.
    for (const auto& [left, top, keptLeft, keptTop] : {std::tuple{"", "0.1", "0.25", "0.25"},
                                                       {"9", "10.9", "8.25", "10.75"}, {"1.5", "2", "1.5", "2"}}) {
        b = boxes(true, false, "100", left, top);
        limitMarginsToPage(kPortrait, b);
        EXPECT_EQ(std::tie(b.left, b.top), std::tuple(keptLeft, keptTop));
    }
}

TEST(PrintLayout, PreviewToScale)
{
    EXPECT_EQ(ltwh(previewPage(kPortrait, true, {2475, 2475})), ltwh(358, 80, 1758, 2275));
    EXPECT_EQ(ltwh(previewPage(kLandscape, false, {2475, 2475})), ltwh(80, 358, 2275, 1758));

    LayoutBoxes b = boxes(true, true);
    const ImagePlacement image = placePicture(kPortrait, 800, 500, b);
    EXPECT_EQ(ltwh(previewPicture(kPortrait, {1758, 2275}, b, image)), ltwh(52, 620, 1655, 1034));
}

TEST(PrintLayout, WindowSizeRules)
{
    const Size small = windowSize({5000, 9000});
    EXPECT_EQ(std::tuple(small.width, small.height), std::tuple(6060, 3630));
    // "Print Window" asks for 3425 x 3495 and ends at the minimum.
    EXPECT_EQ(windowSize({3425, 3495}).height, 3630);
    const Size wide = windowSize({8000, 100});
    EXPECT_EQ(std::tuple(wide.width, wide.height), std::tuple(8000, 5570));
    EXPECT_EQ(previewHolderSide(6060), 2475);
}
