// The two ranges of a map as the sweep dialog takes them: for each axis an input and its
// values from a first to a last by a step, as qrv-cli map takes FROM:TO:STEP.
#pragma once

#include "calculation/runmap.h"

#include <QString>

namespace qrv {

struct MapAxisTexts {
    QString axis; // "X axis": names the axis's boxes in refusals
    StudyInput input = StudyInput::R;
    QString from;
    QString to;
    QString step;
};

struct MapRanges {
    MapRange x;
    MapRange y;
    QString error; // why the texts give no map; empty when they do
};

// Both ranges, at least two values each, over two different inputs and at most kMaxMapPoints
// points together; a refusal names the box or the axis.
MapRanges mapRanges(const MapAxisTexts& x, const MapAxisTexts& y);

} // namespace qrv
