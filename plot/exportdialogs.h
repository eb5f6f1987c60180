// The dialogs of "Export Data..." and "Save Chart...", behind an interface so that a test can
// answer them without anybody clicking.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace qrv {

class ExportDialogs {
public:
    virtual ~ExportDialogs() = default;
    // A save dialog starting at startPath; an empty name when the user cancels. Filters are
    // separated by ";;"; a name typed without suffix gets the one of the chosen filter.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& startPath,
                                 const QString& filters) = 0;
    // Width and height of a chart picture; none when the user cancels.
    virtual std::optional<QSize> pictureSize(QWidget* parent, QSize initial) = 0;
};

// The platform's file dialog and the picture size dialog.
class StandardExportDialogs : public ExportDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& startPath,
                         const QString& filters) override;
    std::optional<QSize> pictureSize(QWidget* parent, QSize initial) override;
};

} // namespace qrv
