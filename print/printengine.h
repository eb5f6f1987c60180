// The printer as the print window uses it: dialogs, page metrics in twips, orientation,
// copies, and documents made of pages that carry one picture or one window each.
#pragma once

#include "print/layout/printlayout.h"
#include "print/printpicture.h"

#include <QPainter>
#include <QPrinter>
#include <QString>

#include <memory>

class QWidget;

namespace qrv {

class PrintDialogs;

class PrintEngine {
public:
    enum Orientation { Portrait = 1, Landscape = 2 };

    explicit PrintEngine(PrintDialogs& dialogs);
    ~PrintEngine();

    void setDialogs(PrintDialogs& dialogs) { m_dialogs = &dialogs; }
    PrintDialogs& dialogs() { return *m_dialogs; }

    // Kept for the settings: this printer service has no fast mode of its own.
    void setFastPrint(bool fast) { m_fastPrint = fast; }
    bool fastPrint() const { return m_fastPrint; }

    // "Setup" opens the printer setup, an empty mode the print dialog.
    bool showDialog(const QString& mode, QWidget* parent);
    bool accepted() const { return m_accepted; }
    bool printToFile() const;
    // The output file that the print dialog chose, if any.
    QString outputFileName() const { return m_printer.outputFileName(); }
    int copies() const { return m_copies; }
    QString deviceName() const;

    int orientation() const;
    void setOrientation(int orientation);
    PageMetrics metrics() const;

    // A document printed to a file is drawn in memory and saved whole by endDocument, so
    // that a failure leaves an existing file as it was. Each throws std::runtime_error with
    // the failure's description.
    void startDocument(const QString& name, const QString& outputFile);
    void startPage();
    void endPage() {}
    void endDocument();
    // A picture drawn at a place within the printable area, in twips.
    void printPicture(const DrawPicture& picture, long left, long top, long width, long height);
    // A window, as large as fits the printable area.
    void printWindow(QWidget& window);

private:
    struct FileDocument;

    double twipsToDevice(long twips) const;
    QPagedPaintDevice& pages();

    PrintDialogs* m_dialogs;
    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<FileDocument> m_file; // while a document for a file is drawn
    QPainter m_painter;
    bool m_fastPrint = true;
    bool m_accepted = false;
    int m_copies = 1;
    int m_pagesStarted = 0;
};

// Whether the machine has at least one printer.
bool PrinterInstalled();

} // namespace qrv
