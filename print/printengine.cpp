#include "print/printengine.h"

#include "base/appidentity.h"
#include "files/safewrite.h"
#include "print/printdialogs.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace qrv {

namespace {

constexpr double kTwipsPerPoint = 20.0;

long pointsToTwips(double points) { return nearestEven(points * kTwipsPerPoint); }

} // namespace

struct PrintEngine::FileDocument {
    explicit FileDocument(const QString& file) : path(file) { buffer.open(QIODevice::WriteOnly); }

    QString path;
    QByteArray bytes;
    QBuffer buffer{&bytes};
    QPdfWriter pdf{&buffer};
};

bool PrinterInstalled() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintEngine::PrintEngine(PrintDialogs& dialogs) : m_dialogs(&dialogs)
{
    m_printer.setCreator(QString::fromStdString(madeByText()));
    // Without a printer the only output is a PDF file.
    if (!PrinterInstalled())
        m_printer.setOutputFormat(QPrinter::PdfFormat);
}

PrintEngine::~PrintEngine() = default;

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
    // A document that failed half-way is dropped.
    if (m_painter.isActive())
        m_painter.end();
    m_file.reset();
    m_printer.setDocName(name);
    if (!outputFile.isEmpty()) {
        // The printer keeps the choice for the next dialog; the pages go to the file document.
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(outputFile);
        m_file = std::make_unique<FileDocument>(outputFile);
        m_file->pdf.setTitle(name);
        m_file->pdf.setCreator(QString::fromStdString(madeByText()));
        m_file->pdf.setResolution(m_printer.resolution());
        m_file->pdf.setPageLayout(m_printer.pageLayout());
    } else if (PrinterInstalled()) {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setOutputFileName(QString());
    }
    // The pages are repeated per copy here, so the printer must not repeat them again.
    m_printer.setCopyCount(1);
    m_pagesStarted = 0;
    if (!m_painter.begin(&pages()))
        throw std::runtime_error("The printer could not start the document");
}

QPagedPaintDevice& PrintEngine::pages()
{
    if (m_file)
        return m_file->pdf;
    return m_printer;
}

void PrintEngine::startPage()
{
    if (m_pagesStarted++ > 0 && !pages().newPage())
        throw std::runtime_error("The printer could not start a new page");
}

void PrintEngine::endDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        throw std::runtime_error("The printer could not finish the document");
    if (!m_file)
        return;
    const std::unique_ptr<FileDocument> file = std::move(m_file);
    file->buffer.close();
    const std::string error = safeWriteFile(QFile::encodeName(file->path).toStdString(),
                                            std::string_view(file->bytes.constData(), std::size_t(file->bytes.size())));
    if (!error.empty())
        throw std::runtime_error(error);
}

double PrintEngine::twipsToDevice(long twips) const
{
    return double(twips) * m_printer.resolution() / kTwipsPerInch;
}

void PrintEngine::printPicture(const DrawPicture& picture, long left, long top, long width, long height)
{
    m_painter.save();
    m_painter.translate(twipsToDevice(left), twipsToDevice(top));
    const double scale = m_printer.resolution() / kPictureUnitsPerInch;
    m_painter.scale(scale, scale);
    picture(m_painter, QRectF(QPointF(0, 0), pictureUnits(width, height)));
    m_painter.restore();
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
