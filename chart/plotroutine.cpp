#include "chart/plotroutine.h"

#include "calculation/curvepeaks.h"
#include "runs/runstore.h"
#include "chart/bandseries.h"
#include "chart/spline/axisscale.h"
#include "chart/spline/runcurve.h"
#include "chart/spline/rungroups.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace qrv {

namespace {

// Okabe and Ito's palette, told apart with the common colour-blindnesses; its yellow, faint
// on white, last.
const std::array<QColor, 8> kPalette = {{
    {0, 114, 178},
    {213, 94, 0},
    {0, 158, 115},
    {204, 121, 167},
    {230, 159, 0},
    {86, 180, 233},
    {0, 0, 0},
    {240, 228, 66},
}};

// A family member's colour; members beyond the palette take its colours again.
QColor memberColour(std::size_t member) { return kPalette[member % kPalette.size()]; }

// What a reference curve's name adds to the name of its runs' curve.
const QString kReferenceSuffix = QStringLiteral(", IAPWS-95 reference");

// Legends name this many curves of a family; the rest are counted.
constexpr std::size_t kMostNamedCurves = 12;

// How a path is drawn: its runs' line and markers, and the dashes of its reference.
struct PathStyle {
    const char* name;
    LineStyle runs;
    LineStyle reference;
    MarkerShape marker;
    QColor colour; // of a chart with one curve per path
};

const PathStyle kAdiabatic{"Adiabatic", LineStyle::Solid, LineStyle::Dashed, MarkerShape::Circle, kPalette[0]};
const PathStyle kIsothermal{"Isothermal", LineStyle::Dotted, LineStyle::DashDot, MarkerShape::Square, kPalette[1]};
const PathStyle kEquilibrium{"Equilibrium", LineStyle::Solid, LineStyle::Dashed, MarkerShape::Circle, kPalette[0]};

// A curve's colour: its path's when the chart has one curve per path, its member's in a family.
QColor curveColour(const PathStyle& path, bool oneCurve, std::size_t member)
{
    return oneCurve ? path.colour : memberColour(member);
}

// Points have markers only; curves have lines, and markers unless they are switched off.
LineStyle runLine(const PathStyle& path, const PlotChoices& choices)
{
    return choices.curve ? path.runs : LineStyle::None;
}

MarkerShape runMarker(const PathStyle& path, const PlotChoices& choices)
{
    return !choices.curve || choices.markers ? path.marker : MarkerShape::None;
}

// A path quantity's key ends in "a" or "i"; the equilibrium's keys have two letters.
const PathStyle& pathOf(std::string_view key)
{
    if (key.size() == 2)
        return kEquilibrium;
    return key.back() == 'a' ? kAdiabatic : kIsothermal;
}

// A record field on an axis: its title with the unit, its name in a sentence, the factor from
// the store's unit to the shown one, and whether the axis starts at 0.
struct FieldAxis {
    int field;
    const char* title;
    const char* words;
    double scale;
    bool fromZero;
};

constexpr FieldAxis kFieldAxes[] = {
    {1, "Magma temperature (K)", "magma temperature", 1, false},
    {2, "Water temperature (K)", "water temperature", 1, false},
    {3, "Hydrostatic pressure (MPa)", "hydrostatic pressure", 1, true},
    {5, "Equilibrium pressure (MPa)", "equilibrium pressure", 1, true},
    {6, "Equilibrium temperature (K)", "equilibrium temperature", 1, false},
    {7, "Equilibrium density (kg/m\u00b3)", "equilibrium density", 1, true},
    // Stored in J/(kg K), shown in kJ/(kg K) as the results window shows it.
    {8, "Equilibrium entropy (kJ/(kg K))", "equilibrium entropy", 1e-3, false},
    {9, "Conversion ratio (%)", "conversion ratio", 1, true},
    {10, "Steam fraction", "steam fraction", 1, true},
    {11, "Water fraction", "water fraction", 1, true},
    {12, "Final temperature (K)", "final temperature", 1, false},
};

FieldAxis fieldAxis(int field)
{
    const auto found = std::find_if(std::begin(kFieldAxes), std::end(kFieldAxes),
                                    [field](const FieldAxis& a) { return a.field == field; });
    return *found;
}

// The ratio's axis names the ratio the runs have.
FieldAxis ratioAxis(const RunGroups& groups)
{
    if (groups.allSediment)
        return {0, "Sediment/magma ratio Rs", "Rs", 1, true};
    if (groups.anySediment)
        return {0, "Water/magma ratio R or sediment/magma ratio Rs", "R or Rs", 1, true};
    return {0, "Water/magma ratio R", "R", 1, true};
}

// What one Y choice draws: the title, the fixed range of "Full scale" (in the shown unit)
// and its series keys, the adiabatic path first.
struct Quantity {
    const char* title;
    double fullScale;
    std::array<std::string_view, 2> keys; // one key for an equilibrium quantity
};

constexpr std::array<Quantity, 8> kQuantities = {{
    {"QRV Conversion Ratios", 100, {"cra", "cri"}},
    {"QRV Steam Fractions", 1, {"sfa", "sfi"}},
    {"QRV Water Fractions", 1, {"wfa", "wfi"}},
    {"QRV Final Temperatures", 1500, {"fta", "fti"}},
    {"QRV Equilibrium Temperatures", 1500, {"et", ""}},
    {"QRV Equilibrium Pressures", 200, {"ep", ""}},
    {"QRV Equilibrium Densities", 1000, {"ed", ""}},
    {"QRV Equilibrium Entropies", 8, {"ee", ""}},
}};

constexpr std::array<int, 8> kXFields = {0, 1, 2, 3, 5, 6, 7, 8};

// The smallest and largest finite values seen.
struct Extent {
    double low = NAN;
    double high = NAN;

    void add(double v)
    {
        if (!std::isfinite(v))
            return;
        low = std::isnan(low) ? v : std::min(low, v);
        high = std::isnan(high) ? v : std::max(high, v);
    }
};

ChartAxis axisOf(const AxisScale& scale, const QString& title, double high)
{
    ChartAxis axis;
    axis.title = title;
    axis.low = scale.low();
    axis.high = high;
    for (const double tick : scale.ticks()) {
        if (tick > high)
            break;
        axis.ticks.push_back(tick);
        axis.labels.append(QString::fromUtf8(scale.label(tick)));
    }
    return axis;
}

ChartAxis fittedAxis(const FieldAxis& field, const Extent& data)
{
    const AxisScale scale = AxisScale::fit(data.low, data.high, field.fromZero);
    return axisOf(scale, QString::fromUtf8(field.title), scale.high());
}

// "Full scale": from 0 to the quantity's fixed maximum, round ticks inside it.
ChartAxis fullScaleAxis(const FieldAxis& field, double maximum)
{
    return axisOf(AxisScale::fit(0, maximum, true), QString::fromUtf8(field.title), maximum);
}

std::vector<QPointF> toPoints(const std::vector<PlotPoint>& points)
{
    std::vector<QPointF> converted;
    converted.reserve(points.size());
    for (const PlotPoint& p : points)
        converted.emplace_back(p.x, p.y);
    return converted;
}

// The key of an equilibrium field, for the reference's own equilibrium on the X axis.
std::optional<std::string_view> equilibriumKey(int field)
{
    for (const std::string_view key : {"ep", "et", "ed", "ee"})
        if (seriesKeyField(key) == field)
            return key;
    return std::nullopt;
}

void addNote(Chart& chart, const std::string& note)
{
    const QString text = QString::fromStdString(note);
    if (!note.empty() && !chart.notes.contains(text))
        chart.notes.append(text);
}

std::vector<LegendEntry> legendOf(const RunGroups& groups, const Quantity& quantity, const PlotChoices& choices)
{
    std::vector<LegendEntry> legend;
    if (groups.groups.empty())
        return legend;
    // A family: the members by colour, then the paths by line and marker, in black.
    const bool oneCurve = groups.groups.size() == 1;
    if (!oneCurve) {
        const std::size_t named = std::min(groups.groups.size(), kMostNamedCurves);
        for (std::size_t g = 0; g < named; ++g)
            legend.push_back(
                {QString::fromUtf8(groups.groups[g].legend), memberColour(g), LineStyle::Solid, MarkerShape::None});
        if (groups.groups.size() > named)
            legend.push_back({QStringLiteral("and %1 more").arg(groups.groups.size() - named), Qt::black,
                              LineStyle::None, MarkerShape::None});
    }
    std::vector<LegendEntry> references;
    for (const std::string_view key : quantity.keys) {
        if (key.empty())
            continue;
        const PathStyle& path = pathOf(key);
        const QColor colour = oneCurve ? path.colour : QColor(Qt::black);
        legend.push_back({QString::fromUtf8(path.name), colour, runLine(path, choices), runMarker(path, choices)});
        if (choices.reference)
            references.push_back(
                {QString::fromUtf8(path.name) + kReferenceSuffix, colour, path.reference, MarkerShape::None});
    }
    legend.insert(legend.end(), references.begin(), references.end());
    return legend;
}

} // namespace

PlotRoutine::PlotRoutine(const RunStore& store)
    : m_store(store), m_peaks(std::make_unique<CurvePeakFinder>())
{
}

PlotRoutine::~PlotRoutine() = default;

Chart PlotRoutine::plot(const PlotChoices& choices)
{
    const Quantity& quantity = kQuantities.at(std::size_t(choices.y));
    const int xf = kXFields.at(std::size_t(choices.xIndex));
    const RunGroups groups = groupRuns(m_store, xf);
    const FieldAxis xAxis = xf == 0 ? ratioAxis(groups) : fieldAxis(xf);
    const FieldAxis yAxis = fieldAxis(*seriesKeyField(quantity.keys[0]));
    const std::optional<std::string_view> xKey = equilibriumKey(xf);
    const bool oneCurve = groups.groups.size() <= 1;
    const std::size_t pathCount = quantity.keys[1].empty() ? 1 : 2;

    Chart chart;
    chart.title = QString::fromUtf8(quantity.title);
    chart.conditions = QString::fromUtf8(groups.conditions);
    Extent xs;
    Extent ys;

    // A curve through the points, and markers at them where asked. Where the runs give a
    // single point, that point is drawn with loneMarker and the chart says why there is no
    // curve; a reference, without marker, shows no lone point.
    const auto addSeries = [&](ChartSeries series, const std::vector<PlotPoint>& points, bool curve,
                               MarkerShape loneMarker) {
        bool markers = series.marker != MarkerShape::None;
        if (curve) {
            const RunCurve drawn = curveThroughRuns(points, kCurveSamples, xAxis.words);
            series.curve = toPoints(drawn.samples);
            if (loneMarker != MarkerShape::None) {
                addNote(chart, drawn.reason);
                if (drawn.samples.empty() && !drawn.knots.empty()) {
                    series.marker = loneMarker;
                    markers = true;
                }
            }
        }
        if (markers) {
            for (const PlotPoint& p : points)
                if (std::isfinite(p.x) && std::isfinite(p.y))
                    series.markers.emplace_back(p.x, p.y);
        }
        for (const PlotPoint& p : points) {
            xs.add(p.x);
            ys.add(p.y);
        }
        chart.series.push_back(std::move(series));
    };

    for (std::size_t g = 0; g < groups.groups.size(); ++g) {
        const RunGroup& group = groups.groups[g];
        for (std::size_t k = 0; k < pathCount; ++k) {
            const std::string_view key = quantity.keys[k];
            const PathStyle& path = pathOf(key);
            const int yField = *seriesKeyField(key);
            const QColor colour = curveColour(path, oneCurve, g);
            const QString name = oneCurve ? QString::fromUtf8(path.name) : QString::fromUtf8(group.legend) + QStringLiteral(", ") + QString::fromUtf8(path.name);

            std::vector<PlotPoint> runs;
            std::vector<PlotPoint> references;
            for (const int i : group.runs) {
                const SeriesRecord& run = m_store.record(i);
                runs.push_back({run.field(xf) * xAxis.scale, run.field(yField) * yAxis.scale});
                // The reference of each run, at its own equilibrium where that is the X axis;
                // a run without a reference leaves no point.
                if (!choices.reference)
                    continue;
                const std::optional<reference::Reference>& ref = m_references.of(run).reference;
                if (!ref)
                    continue;
                const double x = xKey ? *reference::referenceValue(*ref, *xKey) : double(run.field(xf));
                references.push_back({x * xAxis.scale, *reference::referenceValue(*ref, key) * yAxis.scale});
            }
            addSeries({name, colour, runLine(path, choices), runMarker(path, choices), {}, {}}, runs, choices.curve,
                      path.marker);
            if (choices.reference)
                addSeries(
                    {name + kReferenceSuffix, colour, path.reference, MarkerShape::None, {}, {}},
                    references, true, MarkerShape::None);
        }
    }

    if (m_bands != nullptr && xf == 0 && choices.y == YChoice::ConversionRatio) {
        chart.bands = chartBands(*m_bands, groups, kCurveSamples, [oneCurve](std::size_t g, bool isothermal) {
            return curveColour(isothermal ? kIsothermal : kAdiabatic, oneCurve, g);
        });
        for (const ChartBand& band : chart.bands)
            for (const std::vector<QPointF>* edge : {&band.low, &band.high})
                for (const QPointF& p : *edge)
                    ys.add(p.y());
    }
    if (choices.peaks && (choices.y != YChoice::ConversionRatio || xf != 0))
        addNote(chart, "Peaks are marked only where the conversion ratio is drawn against the ratio");
    else if (choices.peaks) {
        for (std::size_t g = 0; g < groups.groups.size(); ++g)
            markPeaks(chart, groups.groups[g], g, oneCurve, choices.reference);
        for (const ChartPeak& peak : chart.peaks)
            ys.add(peak.at.y());
        if (!chart.peaks.empty())
            addNote(chart, "Diamonds mark each curve's largest conversion ratio, found by further runs between its runs"
                + std::string(choices.reference ? " (hollow: of the IAPWS-95 reference)" : ""));
    }

    chart.x = fittedAxis(xAxis, xs);
    chart.y = choices.fullScale ? fullScaleAxis(yAxis, quantity.fullScale) : fittedAxis(yAxis, ys);
    if (choices.reference)
        noteReferences(chart);
    chart.legend = legendOf(groups, quantity, choices);
    if (!chart.bands.empty()) {
        chart.legend.push_back({kBandLegend, QColor(128, 128, 128), LineStyle::None, MarkerShape::None, true});
        chart.notes.append(bandNote(*m_bands));
    }
    return chart;
}

void PlotRoutine::markPeaks(Chart& chart, const RunGroup& group, std::size_t member, bool oneCurve, bool reference)
{
    const CurvePeaks& found = m_peaks->of(m_store, group.runs);
    if (!found.reason.empty()) {
        addNote(chart, "No peaks" + (group.legend.empty() ? std::string() : " of " + group.legend) + ": " + found.reason);
        return;
    }
    const QString ratio = m_store.record(group.runs.front()).XWater != 1.0f ? QStringLiteral("Rs") : QStringLiteral("R");
    for (const Peak& peak : found.peaks) {
        const bool ofReference = kPeakPaths[peak.path].output.reference;
        if (!peak.found || (ofReference && !reference))
            continue;
        const PathStyle& path = pathOf(kPeakPaths[peak.path].output.seriesKey);
        chart.peaks.push_back({QPointF(peak.ratio, peak.crPercent),
                               QStringLiteral("%1 % at %2 %3").arg(peak.crPercent, 0, 'f', 2).arg(ratio).arg(peak.ratio, 0, 'f', 3),
                               curveColour(path, oneCurve, member), ofReference});
    }
}

// Says how many runs have a reference outside IAPWS-95's validity, and why runs have none.
void PlotRoutine::noteReferences(Chart& chart)
{
    int outside = 0;
    int worked = 0;
    int missing = 0;
    std::string reason;
    for (int i = 1; i <= m_store.count(); ++i) {
        const reference::ReferenceOutcome& outcome = m_references.of(m_store.record(i));
        if (!outcome.reference) {
            if (missing++ == 0)
                reason = outcome.reason;
            continue;
        }
        ++worked;
        outside += outcome.reference->outsideValidity;
    }
    if (outside > 0)
        addNote(chart,
                "IAPWS-95 reference " + std::string(reference::kOutsideValidityNote) + " for " + std::to_string(outside)
                    + " of " + std::to_string(worked) + " runs");
    if (missing > 0)
        addNote(chart,
                "No IAPWS-95 reference for " + std::to_string(missing) + (missing == 1 ? " run: " : " runs: ")
                    + reason);
}

Chart PlotRoutine::placeholder()
{
    Chart chart;
    chart.title = QStringLiteral("QRV Results");
    const AxisScale unit = AxisScale::fit(0, 1, true);
    chart.x = axisOf(unit, QString(), unit.high());
    chart.y = chart.x;
    return chart;
}

} // namespace qrv
