// qrv-cli's side of maps: the grid handed to the chart plug-in, from a program without Qt.
#include "chart/contour/mapgrid.h"
#include "cli/sweepchart.h"
#include "tests/chart/contour/samplegrids.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace qrv;

namespace fs = std::filesystem;

TEST(MapPlugin, WritesThePictureAndSaysWhyItCannot)
{
    const fs::path dir = fs::temp_directory_path() / ("qrv-map-plugin-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string png = (dir / "map.png").string();
    const std::string text = (dir / "map.txt").string();
    EXPECT_EQ(mapRequestError(cli::MapRequest{png}), "");
    EXPECT_EQ(mapRequestError(cli::MapRequest{text}),
              "option --plot: \"" + text + "\" does not end in .png, .svg or .pdf");

    MapGrid map = test::gridOf({0.1, 0.2, 0.3}, {1273, 1473}, [](double r, double t) { return r * t / 10; });
    map.z[4] = NAN;
    ASSERT_EQ(writeMapPicture(map, cli::MapRequest{png, 1200, 750}), "");
    std::ifstream in(png, std::ios::binary);
    const std::string picture{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
    // The header's width and height: 1200 = 0x4b0, 750 = 0x2ee.
    EXPECT_EQ(picture.substr(16, 8), std::string("\0\0\x04\xb0\0\0\x02\xee", 8));

    map.x.values.resize(1);
    EXPECT_EQ(writeMapPicture(map, cli::MapRequest{(dir / "short.png").string()}),
              "the map cannot be drawn: the x axis (Water/magma ratio R) needs at least two values, not 1");
    EXPECT_FALSE(fs::exists(dir / "short.png"));
    fs::remove_all(dir);
}
