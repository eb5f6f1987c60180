// A map in the desktop program: the input window's texts checked as Continue checks them at
// every value of both ranges before anything runs, then every point of the grid on every core.
// Nothing here shows a window, so tests drive it alone.
#pragma once

#include "calculation/runmap.h"
#include "runs/inputrules.h"

#include <optional>
#include <string>

namespace qrv {

class EngineHost;

// The map of the input window's texts over the two ranges; none after a validation message
// to `host`, which names the range's value when it is the value that is refused.
std::optional<MapStudy> prepareMap(const InputTexts& texts, bool constantVolume, const MapRange& x, const MapRange& y,
                                   EngineHost& host);

// What the user is told after a finished map: how many points have no result and why the
// first has none, and the runs' messages (how many, and the first); empty when there is
// nothing to tell.
std::string mapRunSummary(const MapStudy& map, const MapResult& result);

} // namespace qrv
