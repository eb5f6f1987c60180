// qrv-cli's side of maps: the grid handed to the chart plug-in, from a program without Qt.
#include "chart/contour/mapgrid.h"
#include "cli/sweepchart.h"
#include "tests/chart/contour/samplegrids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace qrv;

namespace {

namespace fs = std::filesystem;

// A conversion ratio over R and magma temperature with its peak, the drop where the path
// enters the steam dome and a corner of failed runs.
MapGrid realisticMap()
{
    std::vector<double> ratios;
    for (int i = 0; i < 50; ++i)
        ratios.push_back(0.02 + i * 0.01);
    std::vector<double> temperatures;
    for (int j = 0; j < 40; ++j)
        temperatures.push_back(1073 + j * 10);
    MapGrid map = test::gridOf(ratios, temperatures, [](double r, double t) {
        const double peak = 0.12 + 0.00008 * (t - 1073);
        const double cr = 42 * (t - 300) / 1173 * (r / peak) * std::exp(1 - r / peak);
        if (r < 0.045 && t < 1160)
            return double(NAN);
        return r > 0.36 + 0.0002 * (t - 1073) ? 0.78 * cr : cr;
    });
    map.title = "QRV Isothermal Conversion Ratio";
    map.conditions = "water 298 K at 10 MPa, ambient 0.10 MPa";
    return map;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A PNG's width and height, from its header.
std::pair<int, int> pngSize(const std::string& png)
{
    const auto word = [&png](std::size_t at) {
        return int((unsigned char)png[at]) << 24 | int((unsigned char)png[at + 1]) << 16
            | int((unsigned char)png[at + 2]) << 8 | int((unsigned char)png[at + 3]);
    };
    return {word(16), word(20)};
}

class MapPlugin : public ::testing::Test {
protected:
    fs::path m_dir = fs::temp_directory_path() / ("qrv-map-plugin-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }
};

} // namespace

TEST_F(MapPlugin, WritesPngAndSvgFromAProgramWithoutQt)
{
    const MapGrid map = realisticMap();
    const std::string png = (m_dir / "map.png").string();
    EXPECT_EQ(mapRequestError(cli::MapRequest{png}), "");
    ASSERT_EQ(writeMapPicture(map, cli::MapRequest{png, 1200, 750}), "");
    const std::string picture = contents(png);
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
    EXPECT_EQ(pngSize(picture), std::make_pair(1200, 750));

    const std::string svg = (m_dir / "map.svg").string();
    ASSERT_EQ(writeMapPicture(map, cli::MapRequest{svg}), "");
    EXPECT_NE(contents(svg).find("Isothermal conversion ratio (%)"), std::string::npos);
}

TEST_F(MapPlugin, RefusalsSayWhyAndWriteNothing)
{
    const std::string text = (m_dir / "map.txt").string();
    EXPECT_EQ(mapRequestError(cli::MapRequest{text}),
              "option --plot: \"" + text + "\" does not end in .png, .svg or .pdf");

    MapGrid map = realisticMap();
    map.x.values.resize(1);
    const std::string png = (m_dir / "map.png").string();
    EXPECT_EQ(writeMapPicture(map, cli::MapRequest{png}),
              "the map cannot be drawn: the x axis (Water/magma ratio R) needs at least two values, not 1");
    EXPECT_EQ(writeMapPicture(realisticMap(), cli::MapRequest{png, 0, 100}),
              "a picture must be 1 to 10000 pixels wide and high, not 0 x 100");
    EXPECT_TRUE(fs::is_empty(m_dir));
}
