// The names the program goes by, written once for every face: the title of its windows and
// message boxes, and the names its settings are kept under.
#pragma once

#include <string_view>

namespace qrv {

inline constexpr std::string_view kAppTitle = "Tarvel QRV";
inline constexpr std::string_view kApplicationName = "QRV";
inline constexpr std::string_view kOrganisationName = "Tarvel";

} // namespace qrv
