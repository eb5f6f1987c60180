// Every file the program writes goes through here. The bytes go to a temporary file beside
// the target, which takes the target's name only when all of them are on disk: a failure
// never destroys or truncates the file that was there. A file that has other hard links, or
// whose owner and group the saver cannot give to a new file, keeps its inode instead: once
// the temporary file holds every byte, they are written into the file itself (should that
// fail, the temporary file is kept and named in the error).
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Returns the failure's description in fileErrorText's words, empty on success.
std::string safeWriteFile(const std::string& path, std::string_view bytes);

} // namespace qrv
