// The dialogs of printing, behind an interface so that a test can print to a file without
// anybody clicking.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace qrv {

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // "Print": printer, copies, print to file; true when the user confirms.
    virtual bool print(QPrinter& printer, QWidget* parent) = 0;
    // "Print Setup": printer, paper and orientation; true when the user confirms.
    virtual bool setup(QPrinter& printer, QWidget* parent) = 0;
    // A save dialog; an empty name when the user cancels. Filters separated by ";;".
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filters) = 0;
};

// The platform's own dialogs.
class StandardPrintDialogs : public PrintDialogs {
public:
    bool print(QPrinter& printer, QWidget* parent) override;
    bool setup(QPrinter& printer, QWidget* parent) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& fileName,
                         const QString& filters) override;
};

} // namespace qrv
