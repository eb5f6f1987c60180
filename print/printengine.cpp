#include "printengine.h"

#include "printdialogs.h"

#include <QImage>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace qrv {

namespace {

constexpr double kTwipsPerPoint = 20.0;

long pointsToTwips(double points) { return nearestEven(points * kTwipsPerPoint); }

} // namespace

bool PrinterInstalled() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintEngine::PrintEngine(PrintDialogs& dialogs) : m_dialogs(&dialogs)
{
    // Without a printer the only output is a PDF file.
    if (!PrinterInstalled())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
}

bool PrintEngine::showDialog(const QString& mode, QWidget* parent)
{
    m_accepted = mode == QStringLiteral("Setup") ? m_dialogs->setup(m_printer, parent)
                                                 : m_dialogs->print(m_printer, parent);
    m_copies = std::max(1, m_printer.copyCount());
    return m_accepted;
}

bool PrintEngine::printToFile() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
}

QString PrintEngine::deviceName() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("PDF file")
                                                           : m_printer.printerName();
}

int PrintEngine::orientation() const
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

void PrintEngine::setOrientation(int orientation)
{
    m_printer.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
}

PageMetrics PrintEngine::metrics() const
{
    const QPageLayout layout = m_printer.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    return {pointsToTwips(full.width()),      pointsToTwips(full.height()),
            pointsToTwips(printable.left()),  pointsToTwips(printable.top()),
            pointsToTwips(printable.width()), pointsToTwips(printable.height())};
}

void PrintEngine::startDocument(const QString& name, const QString& outputFile)
{
    m_printer.setDocName(name);
    if (!outputFile.isEmpty()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(outputFile);
    } else if (PrinterInstalled()) {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setOutputFileName(QString());
    }
    // The pages are repeated per copy here, so the printer must not repeat them again.
    m_printer.setCopyCount(1);
    m_pagesStarted = 0;
    if (!m_painter.begin(&m_printer))
        throw std::runtime_error(outputFile.isEmpty()
                                     ? "The printer could not start the document"
                                     : "Cannot write " + outputFile.toStdString());
}

void PrintEngine::startPage()
{
    if (m_pagesStarted++ > 0 && !m_printer.newPage())
        throw std::runtime_error("The printer could not start a new page");
}

void PrintEngine::endDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        throw std::runtime_error("The printer could not finish the document");
}

double PrintEngine::twipsToDevice(long twips) const
{
    return double(twips) * m_printer.resolution() / kTwipsPerInch;
}

void PrintEngine::printPicture(const QImage& picture, long left, long top, long width, long height)
{
    const QRectF target(twipsToDevice(left), twipsToDevice(top), twipsToDevice(width),
                        twipsToDevice(height));
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, picture);
}

void PrintEngine::printWindow(QWidget& window)
{
    const QRectF page = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    const double scale = std::min(page.width() / window.width(), page.height() / window.height());
    m_painter.save();
    m_painter.scale(scale, scale);
    window.render(&m_painter, QPoint(), QRegion(), QWidget::DrawChildren);
    m_painter.restore();
}

} // namespace qrv
