#include "windows/maprange.h"

#include "calculation/ratiosweep.h"
#include "windows/sweeprange.h"

namespace qrv {

namespace {

struct AxisValues {
    std::vector<double> values;
    QString error;
};

AxisValues axisValues(const MapAxisTexts& texts)
{
    const auto box = [&texts](const char* name, const QString& text) {
        return rangeBoxNumber(texts.axis + QLatin1Char(' ') + QLatin1String(name), text);
    };
    const RangeBoxNumber from = box("From", texts.from);
    const RangeBoxNumber to = box("To", texts.to);
    const RangeBoxNumber step = box("Step", texts.step);
    for (const RangeBoxNumber* read : {&from, &to, &step})
        if (!read->refusal.isEmpty())
            return {{}, read->refusal};
    // Refused before the values are made, in the map's words rather than a sweep's.
    if (step.value > 0 && (to.value - from.value) / step.value >= double(kMaxMapPoints))
        return {{}, QStringLiteral("%1: more values than the %2 points a map takes.").arg(texts.axis).arg(kMaxMapPoints)};
    SweepRatios range = sweepRatios(from.value, to.value, step.value);
    if (!range.error.empty())
        return {{}, QStringLiteral("%1: %2.").arg(texts.axis, QString::fromStdString(range.error))};
    if (range.ratios.size() < 2)
        return {{}, QStringLiteral("%1: a map needs at least two values along each axis.").arg(texts.axis)};
    return {std::move(range.ratios), {}};
}

} // namespace

MapRanges mapRanges(const MapAxisTexts& x, const MapAxisTexts& y)
{
    if (x.input == y.input)
        return {{}, {}, QStringLiteral("The two axes must span different inputs, not %1 twice.")
                            .arg(QString::fromUtf8(studyInputName(x.input).name.data(), qsizetype(studyInputName(x.input).name.size())))};
    AxisValues across = axisValues(x);
    if (!across.error.isEmpty())
        return {{}, {}, across.error};
    AxisValues up = axisValues(y);
    if (!up.error.isEmpty())
        return {{}, {}, up.error};
    const std::size_t points = across.values.size() * up.values.size();
    if (points > kMaxMapPoints)
        return {{}, {}, QStringLiteral("%1 x %2 points are more than the %3 a map takes: choose larger steps.")
                            .arg(across.values.size()).arg(up.values.size()).arg(kMaxMapPoints)};
    return {{x.input, std::move(across.values)}, {y.input, std::move(up.values)}, {}};
}

} // namespace qrv
