// Where results files are opened and saved by default: the remembered folder while it
// exists, otherwise "Tarvel/QRV/" in the user's documents folder, created and remembered.
#pragma once

#include <QString>

class QSettings;

namespace qrv {

class DesktopTools;

// `documents` ends with "/" or is empty; `programFolder` is the application folder.
QString settleDataPath(QSettings& settings, const DesktopTools& tools, const QString& documents,
                       const QString& programFolder);

} // namespace qrv
