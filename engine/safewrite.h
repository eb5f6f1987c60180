// Every file the program writes goes through here. The bytes go to a temporary file beside
// the target, which takes the target's name only when all of them are on disk: a failure
// never destroys or truncates the file that was there.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Returns the failure's description in fileErrorText's words, empty on success.
std::string safeWriteFile(const std::string& path, std::string_view bytes);

} // namespace qrv
