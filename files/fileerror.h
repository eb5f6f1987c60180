// The run-time library's words for the usual file failures, as the file messages show them
// after "Save error: " or "Open error: ".
#pragma once

#include <string>

namespace qrv {

// "Path not found", "Permission denied", "Disk full", ... for an errno value.
std::string fileErrorText(int error);

} // namespace qrv
