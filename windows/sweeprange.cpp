#include "sweeprange.h"

#include "ratiosweep.h"

#include <cmath>

namespace qrv {

namespace {

// Read in double precision: a float step would make 0.05 to 3 miss its last ratio.
// Anything that is not a number reads as NaN, which every check refuses.
double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : std::nan("");
}

SweepRange refused(const QString& why)
{
    return {{}, why};
}

SweepRange evenlySpaced(double from, double to, const QString& countText)
{
    const double count = number(countText);
    if (!(count >= 2) || count != std::floor(count))
        return refused(QStringLiteral("The number of ratios must be a whole number of at least 2."));
    if (count > double(kMaxSweepRatios))
        return refused(QStringLiteral("The number of ratios must not exceed %1.").arg(kMaxSweepRatios));
    if (!(to > from))
        return refused(QStringLiteral("The last ratio must be greater than the first."));
    SweepRange range;
    const auto n = std::size_t(count);
    range.ratios.reserve(n);
    // Each ratio from its index, and the last one exactly the typed end, so that nothing drifts.
    for (std::size_t i = 0; i + 1 < n; ++i)
        range.ratios.push_back(from + (to - from) * double(i) / double(n - 1));
    range.ratios.push_back(to);
    return range;
}

} // namespace

SweepRange sweepRange(const SweepRangeTexts& texts)
{
    const double from = number(texts.from);
    const double to = number(texts.to);
    if (!(from > 0))
        return refused(QStringLiteral("The first ratio must be a number greater than 0."));
    if (!std::isfinite(to))
        return refused(QStringLiteral("The last ratio must be a number."));
    if (texts.byCount)
        return evenlySpaced(from, to, texts.count);

    SweepRatios stepped = sweepRatios(from, to, number(texts.step));
    if (!stepped.error.empty()) {
        QString why = QString::fromStdString(stepped.error);
        why[0] = why[0].toUpper();
        return refused(why + QLatin1Char('.'));
    }
    return {std::move(stepped.ratios), {}};
}

} // namespace qrv
