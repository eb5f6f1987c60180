// Replaces a file's contents all at once: the bytes go to a temporary file beside it, which
// takes the file's name only when every byte is on disk. A failure leaves the old file as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace qrv {

// False when the file could not be written; error (when given) says why.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace qrv
