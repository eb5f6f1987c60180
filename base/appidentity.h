// The names the program goes by, written once for every face: the title of its windows and
// message boxes, the names its settings are kept under, and the maker named in its files.
#pragma once

#include "base/version.h"

#include <string>
#include <string_view>

namespace qrv {

inline constexpr std::string_view kAppTitle = "Tarvel QRV";
inline constexpr std::string_view kApplicationName = "QRV";
inline constexpr std::string_view kOrganisationName = "Tarvel";

// "QRV 1.0.0": the maker that charts and printed pages name, so that a file can be traced to
// the release that drew it.
inline std::string madeByText()
{
    return std::string(kApplicationName) + ' ' + std::string(kVersionText);
}

// "qrv-cli 1.0.0": what a program's --version prints.
inline std::string versionLine(std::string_view program)
{
    return std::string(program) + ' ' + std::string(kVersionText);
}

} // namespace qrv
