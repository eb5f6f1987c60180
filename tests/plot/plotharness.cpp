// Shows the plot window over a few typical runs and saves pictures of it, and the chart
// printed to a PDF file, for a look at the layout: plot_harness OUTPUT_DIR
#include "display/recordinghost.h"
#include "runs/runstore.h"
#include "plot/frmplot.h"
#include "plot/picturesizedialog.h"
#include "print/frmprint.h"
#include "tests/chart/sampleruns.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Prints to the file it is given, as a user choosing "print to file" would.
class PrintToFile : public qrv::PrintDialogs {
public:
    explicit PrintToFile(QString file) : m_file(std::move(file)) {}
    bool print(QPrinter& printer, QWidget*) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }
    bool setup(QPrinter&, QWidget*) override { return true; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_file; }

private:
    QString m_file;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    qrv::RunStore store;
    qrv::test::fillSampleRuns(store);
    qrv::RecordingHost host;
    qrv::FrmPlot plot(store, host);
    plot.showAndPlot();
    app.processEvents();
    plot.grab().save(out.filePath(QStringLiteral("frmPlot-points.png")));
    plot.findChild<QRadioButton*>(QStringLiteral("optCurve"))->click();
    app.processEvents();
    plot.grab().save(out.filePath(QStringLiteral("frmPlot-curve.png")));
    plot.findChild<QCheckBox*>(QStringLiteral("chkReference"))->click();
    app.processEvents();
    plot.grab().save(out.filePath(QStringLiteral("frmPlot-reference.png")));
    plot.printWindow().setDialogs(std::make_unique<PrintToFile>(out.filePath(QStringLiteral("print.pdf"))));
    plot.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    app.processEvents();
    plot.printWindow().grab().save(out.filePath(QStringLiteral("frmPrint.png")));
    plot.printWindow().findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    qrv::PictureSizeDialog size(QSize(1600, 1000));
    size.show();
    app.processEvents();
    size.grab().save(out.filePath(QStringLiteral("frmPictureSize.png")));
    return host.messages().empty() ? 0 : 1;
}
