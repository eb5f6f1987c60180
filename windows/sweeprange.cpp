#include "windows/sweeprange.h"

#include "runs/inputrules.h"
#include "base/parsenumber.h"
#include "calculation/ratiosweep.h"

#include <cmath>

namespace qrv {

namespace {

SweepRange refused(const QString& why)
{
    return {{}, why};
}

SweepRange evenlySpaced(double from, double to, const QString& countText)
{
    const RangeBoxNumber count = rangeBoxNumber(QStringLiteral("Number of ratios"), countText);
    if (!count.refusal.isEmpty())
        return refused(count.refusal);
    if (!(count.value >= 2) || count.value != std::floor(count.value))
        return refused(QStringLiteral("The number of ratios must be a whole number of at least 2."));
    if (count.value > double(kMaxSweepRatios))
        return refused(QStringLiteral("The number of ratios must not exceed %1.").arg(kMaxSweepRatios));
    if (!(to > from))
        return refused(QStringLiteral("The last ratio must be greater than the first."));
    SweepRange range;
    const auto n = std::size_t(count.value);
    range.ratios.reserve(n);
    // Each ratio from its index, and the last one exactly the typed end, so that nothing drifts.
    for (std::size_t i = 0; i + 1 < n; ++i)
        range.ratios.push_back(from + (to - from) * double(i) / double(n - 1));
    range.ratios.push_back(to);
    return range;
}

} // namespace

RangeBoxNumber rangeBoxNumber(const QString& caption, const QString& text)
{
    const std::string typed = text.toStdString();
    const PlainNumber read = readPlainNumber(typed);
    if (!read.valid)
        return {0, QString::fromStdString(notANumberMessage(caption.toStdString(), typed))};
    return {read.value, {}};
}

SweepRange sweepRange(const SweepRangeTexts& texts)
{
    const RangeBoxNumber from = rangeBoxNumber(QStringLiteral("From ") + texts.ratioName, texts.from);
    if (!from.refusal.isEmpty())
        return refused(from.refusal);
    const RangeBoxNumber to = rangeBoxNumber(QStringLiteral("To ") + texts.ratioName, texts.to);
    if (!to.refusal.isEmpty())
        return refused(to.refusal);
    if (!(from.value > 0) || !std::isfinite(from.value))
        return refused(QStringLiteral("The first ratio must be a number greater than 0."));
    if (!std::isfinite(to.value))
        return refused(QStringLiteral("The last ratio must be a number."));
    if (texts.byCount)
        return evenlySpaced(from.value, to.value, texts.count);

    const RangeBoxNumber step = rangeBoxNumber(QStringLiteral("Step"), texts.step);
    if (!step.refusal.isEmpty())
        return refused(step.refusal);
    SweepRatios stepped = sweepRatios(from.value, to.value, step.value);
    if (!stepped.error.empty()) {
        QString why = QString::fromStdString(stepped.error);
        why[0] = why[0].toUpper();
        return refused(why + QLatin1Char('.'));
    }
    return {std::move(stepped.ratios), {}};
}

} // namespace qrv
