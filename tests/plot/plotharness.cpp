// Shows the plot window over a few typical runs and saves pictures of it, for a look at
// the layout: plot_harness OUTPUT_DIR
#include "engine/recordinghost.h"
#include "engine/runstore.h"
#include "plot/frmplot.h"
#include "plot/picturesizedialog.h"
#include "print/frmprint.h"
#include "tests/chart/sampleruns.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>

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
    plot.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    app.processEvents();
    plot.printWindow().grab().save(out.filePath(QStringLiteral("frmPrint.png")));
    qrv::PictureSizeDialog size(QSize(1600, 1000));
    size.show();
    app.processEvents();
    size.grab().save(out.filePath(QStringLiteral("frmPictureSize.png")));
    return 0;
}
