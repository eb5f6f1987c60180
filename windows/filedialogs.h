// The open and save dialogs of results files. Tests put their own chooser in their place.
#pragma once

#include <QString>

class QWidget;

namespace qrv {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file, or an empty text when the user cancelled.
    virtual QString openResultsPath(QWidget* parent, const QString& folder) = 0;
    virtual QString saveResultsPath(QWidget* parent, const QString& folder) = 0;
};

// The platform's dialogs: "QRV Results (*.qrv)", suffix "qrv", must-exist on open and an
// overwrite question on save.
class QtFileDialogs : public FileDialogs {
public:
    QString openResultsPath(QWidget* parent, const QString& folder) override;
    QString saveResultsPath(QWidget* parent, const QString& folder) override;
};

} // namespace qrv
