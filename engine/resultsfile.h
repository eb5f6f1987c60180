// Results files (*.qrv): the 25 texts of one displayed run, each a quoted line ending in
// CR LF. What is written is what the user saw on the results window.
#pragma once

#include "engine/runstore.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

inline constexpr int kResultLineCount = 25;
using ResultTexts = std::array<std::string, kResultLineCount>; // [0] is line 1

// Results-window control of each line, in file order; line 6 (the ambient pressure) is
// not a label and has an empty name.
extern const std::array<std::string_view, kResultLineCount> kResultLineControls;

// Lines (1-based) that hold numbers as the results window shows them, or nothing. Line 2
// may also hold the sediment form "Rs (R = r)".
inline constexpr std::array<int, 17> kResultNumberLines = {2, 3, 4, 5, 6, 9, 10, 11, 12, 15, 16, 17, 18, 21, 22, 23, 24};

// The 25 texts from the results window's captions (by control name) and PFinal in Pa.
ResultTexts resultTextsFrom(const std::function<std::string(std::string_view control)>& caption,
                            float pFinalPa);

// Writes the file through safeWriteFile. Returns the failure's description, empty on success.
std::string writeResultsFile(const std::string& path, const ResultTexts& texts);

struct ResultsFileRead {
    std::optional<ResultTexts> texts;
    std::string error; // the failure's description when texts is empty
};

// Reads exactly 25 fields after an optional UTF-8 byte-order mark; refuses other counts,
// files over 64 KiB, binary content, a number line holding anything but a number as shown
// ("line N is not a number") and a file without any input on lines 2 to 5.
ResultsFileRead readResultsFile(const std::string& path);

// The run that an opened file adds to the store; TEq, RhoEq and SEq come from the
// displayed temperature, 1 / volume and entropy x 1000.
SeriesRecord recordFromResultTexts(const ResultTexts& texts);

} // namespace qrv
