#include "chart/contour/contourlines.h"

#include "chart/contour/mapgrid.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace qrv {

namespace {

// An edge of the grid between two neighbouring points: from point (i, j) along x (horizontal)
// or along y (vertical). Neighbouring cells share it, and so the point where a line crosses it.
struct Edge {
    std::size_t i;
    std::size_t j;
    bool alongX;

    std::uint64_t key() const { return (std::uint64_t(j) << 32 | std::uint64_t(i)) << 1 | (alongX ? 1u : 0u); }
};

struct Segment {
    Edge from;
    Edge to;
};

class Marcher {
public:
    Marcher(const MapGrid& grid, double level)
        : m_grid(grid)
        , m_level(level)
    {
    }

    std::vector<Segment> segments() const
    {
        std::vector<Segment> found;
        for (std::size_t j = 0; j + 1 < m_grid.y.values.size(); ++j)
            for (std::size_t i = 0; i + 1 < m_grid.x.values.size(); ++i)
                addCell(i, j, found);
        return found;
    }

    ContourPoint crossing(const Edge& e) const
    {
        const std::size_t i1 = e.alongX ? e.i + 1 : e.i;
        const std::size_t j1 = e.alongX ? e.j : e.j + 1;
        const double z0 = m_grid.at(e.i, e.j);
        const double t = (m_level - z0) / (m_grid.at(i1, j1) - z0);
        const double x0 = m_grid.x.values[e.i];
        const double y0 = m_grid.y.values[e.j];
        return {x0 + t * (m_grid.x.values[i1] - x0), y0 + t * (m_grid.y.values[j1] - y0)};
    }

private:
    bool above(double z) const { return z >= m_level; }

    // Corners counter-clockwise from (i, j); edge k runs from corner k to corner k + 1.
    void addCell(std::size_t i, std::size_t j, std::vector<Segment>& found) const
    {
        const std::array<double, 4> z = {m_grid.at(i, j), m_grid.at(i + 1, j), m_grid.at(i + 1, j + 1),
                                         m_grid.at(i, j + 1)};
        for (const double v : z)
            if (std::isnan(v))
                return;
        const std::array<Edge, 4> edges = {Edge{i, j, true}, Edge{i + 1, j, false}, Edge{i, j + 1, true},
                                           Edge{i, j, false}};
        std::array<int, 4> crossed{};
        int count = 0;
        for (int k = 0; k < 4; ++k)
            if (above(z[k]) != above(z[(k + 1) % 4]))
                crossed[count++] = k;
        if (count == 2) {
            found.push_back({edges[crossed[0]], edges[crossed[1]]});
        } else if (count == 4) {
            // A saddle: when the centre sides with corner 0, the region of corners 0 and 2 is
            // joined through it and the lines cut off corners 1 and 3; otherwise 0 and 2.
            const bool joinedThrough02 = above((z[0] + z[1] + z[2] + z[3]) / 4) == above(z[0]);
            if (joinedThrough02) {
                found.push_back({edges[0], edges[1]});
                found.push_back({edges[2], edges[3]});
            } else {
                found.push_back({edges[3], edges[0]});
                found.push_back({edges[1], edges[2]});
            }
        }
    }

    const MapGrid& m_grid;
    double m_level;
};

// Segments sharing an edge are joined; each edge has at most two (the cells either side).
std::vector<ContourLine> join(const Marcher& marcher, const std::vector<Segment>& segments)
{
    std::unordered_map<std::uint64_t, std::array<std::size_t, 2>> atEdge;
    constexpr std::size_t kNone = std::size_t(-1);
    for (std::size_t s = 0; s < segments.size(); ++s)
        for (const Edge& e : {segments[s].from, segments[s].to}) {
            auto [it, fresh] = atEdge.try_emplace(e.key(), std::array<std::size_t, 2>{kNone, kNone});
            it->second[it->second[0] == kNone ? 0 : 1] = s;
        }
    const auto other = [&](const Edge& e, std::size_t s) {
        const std::array<std::size_t, 2>& two = atEdge.at(e.key());
        return two[0] == s ? two[1] : two[0];
    };

    std::vector<bool> used(segments.size(), false);
    std::vector<ContourLine> lines;
    const auto trace = [&](std::size_t s, Edge start) {
        ContourLine line{marcher.crossing(start)};
        Edge at = start;
        while (s != kNone && !used[s]) {
            used[s] = true;
            at = segments[s].from.key() == at.key() ? segments[s].to : segments[s].from;
            line.push_back(marcher.crossing(at));
            s = other(at, s);
        }
        lines.push_back(std::move(line));
    };
    // Open lines first, each from one of its ends, then the closed ones that remain.
    for (std::size_t s = 0; s < segments.size(); ++s)
        for (const Edge& end : {segments[s].from, segments[s].to})
            if (!used[s] && other(end, s) == kNone)
                trace(s, end);
    for (std::size_t s = 0; s < segments.size(); ++s)
        if (!used[s])
            trace(s, segments[s].from);
    return lines;
}

} // namespace

std::vector<ContourLine> contourLines(const MapGrid& grid, double level)
{
    const Marcher marcher(grid, level);
    return join(marcher, marcher.segments());
}

} // namespace qrv
