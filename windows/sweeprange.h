// The ratios of a sweep as the sweep dialog takes them: a first and a last ratio with either
// a step between them or a number of evenly spaced ratios.
#pragma once

#include <QString>

#include <vector>

namespace qrv {

struct SweepRangeTexts {
    QString from;
    QString to;
    QString step;
    QString count;
    bool byCount = false; // the number of ratios is given instead of the step
    QString ratioName = QStringLiteral("R"); // "R", or "Rs" for sediment: names the range boxes
};

struct SweepRange {
    std::vector<double> ratios;
    QString error; // why the texts give no sweep; empty when they do
};

SweepRange sweepRange(const SweepRangeTexts& texts);

// A range box's text read whole, in double precision (a float step would make 0.05 to 3 miss
// its last ratio); `refusal` names the box by `caption` when the text is not a number.
struct RangeBoxNumber {
    double value = 0;
    QString refusal;
};
RangeBoxNumber rangeBoxNumber(const QString& caption, const QString& text);

} // namespace qrv
