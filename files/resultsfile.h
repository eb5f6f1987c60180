// Results files (*.qrv): the 25 texts of one displayed run, each a quoted line ending in
// CR LF. What is written is what the user saw on the results window.
#pragma once

#include "display/resultswindow.h"
#include "runs/runstore.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

inline constexpr int kResultLineCount = 25;
using ResultTexts = std::array<std::string, kResultLineCount>; // [0] is line 1

// Line 6 is not a label: the ambient pressure in MPa, as the input window's box takes it.
inline constexpr int kAmbientPressureLine = 6;

// The results-window control whose caption each line keeps, [0] for line 1; none for the
// ambient pressure. Taken from the window's description, where each control names its line.
extern const std::array<const Control*, kResultLineCount> kResultLineControls;

// The lines (1-based) that hold numbers as the results window shows them, or nothing: the
// ambient pressure, the values shown as numbers, and the ratio, which may also hold the
// sediment form "Rs (R = r)".
extern const std::vector<int> kResultNumberLines;

// The 25 texts from the results window's captions (by control name) and PFinal in Pa.
ResultTexts resultTextsFrom(const std::function<std::string(std::string_view control)>& caption,
                            float pFinalPa);

// Writes the file through safeWriteFile. Returns the failure's description, empty on success.
std::string writeResultsFile(const std::string& path, const ResultTexts& texts);

struct ResultsFileRead {
    std::optional<ResultTexts> texts;
    std::string error; // the failure's description when texts is empty
    // The system's error number when the file itself could not be read (missing, not a
    // regular file, unreadable); 0 when its content was refused.
    int systemError = 0;
};

// Reads exactly 25 fields after an optional UTF-8 byte-order mark; refuses other counts,
// files over 64 KiB, binary content, a number line holding anything but a number as shown
// ("line N is not a number") and a file without any input on lines 2 to 5.
ResultsFileRead readResultsFile(const std::string& path);

// The run that an opened file adds to the store; TEq, RhoEq and SEq come from the
// displayed temperature, 1 / volume and entropy x 1000.
SeriesRecord recordFromResultTexts(const ResultTexts& texts);

} // namespace qrv
