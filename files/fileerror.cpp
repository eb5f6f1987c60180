#include "files/fileerror.h"

#include <cerrno>

namespace qrv {

std::string fileErrorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Permission denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case EISDIR:
    case EEXIST:
        return "Path/File access error";
    case EMFILE:
    case ENFILE:
        return "Too many files";
    case ENAMETOOLONG:
        return "Bad file name";
    case ELOOP:
        return "Symbolic link loop";
    default:
        return "Device I/O error";
    }
}

} // namespace qrv
