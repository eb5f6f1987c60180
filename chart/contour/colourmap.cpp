#include "chart/contour/colourmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace qrv {

namespace {

// Matplotlib's viridis (Smith, van der Walt and Firing, 2015, released under CC0), sampled at
// 33 evenly spaced positions of its 256-entry table: linear interpolation between them stays
// within 2/255 of the table.
constexpr std::array<Rgb, 33> kViridis = {{
    {68, 1, 84},    {71, 13, 96},   {72, 24, 106},  {72, 35, 116},  {71, 45, 123},  {69, 54, 129},  {66, 64, 134},
    {63, 73, 137},  {59, 82, 139},  {55, 90, 141},  {51, 99, 141},  {47, 106, 142}, {44, 114, 142}, {41, 122, 142},
    {38, 129, 142}, {35, 137, 142}, {33, 144, 140}, {31, 152, 139}, {31, 159, 136}, {33, 166, 133}, {40, 174, 128},
    {49, 181, 123}, {62, 188, 116}, {76, 194, 108}, {93, 201, 99},  {110, 206, 88}, {130, 211, 76}, {150, 216, 63},
    {171, 220, 50}, {192, 223, 36}, {213, 226, 26}, {234, 229, 26}, {253, 231, 37},
}};

// ColorBrewer's eleven-class RdBu (Cynthia Brewer, colorbrewer2.org), from blue to red as
// matplotlib's RdBu_r runs.
constexpr std::array<Rgb, 11> kBlueWhiteRed = {{
    {5, 48, 97},
    {33, 102, 172},
    {67, 147, 195},
    {146, 197, 222},
    {209, 229, 240},
    {247, 247, 247},
    {253, 219, 199},
    {244, 165, 130},
    {214, 96, 77},
    {178, 24, 43},
    {103, 0, 31},
}};

std::uint8_t between(std::uint8_t a, std::uint8_t b, double f)
{
    return std::uint8_t(std::lround(a + f * (b - a)));
}

Rgb sample(std::span<const Rgb> table, double t)
{
    const double x = std::clamp(std::isnan(t) ? 0.0 : t, 0.0, 1.0) * double(table.size() - 1);
    const std::size_t k = std::min(std::size_t(x), table.size() - 2);
    const double f = x - double(k);
    const Rgb& a = table[k];
    const Rgb& b = table[k + 1];
    return {between(a.red, b.red, f), between(a.green, b.green, f), between(a.blue, b.blue, f)};
}

double linear(std::uint8_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

Rgb viridis(double t)
{
    return sample(kViridis, t);
}

Rgb blueWhiteRed(double t)
{
    return sample(kBlueWhiteRed, t);
}

double luminance(Rgb colour)
{
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

} // namespace qrv
