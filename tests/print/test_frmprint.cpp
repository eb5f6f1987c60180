#include "display/recordinghost.h"
#include "runs/runstore.h"
#include "base/version.h"
#include "plot/frmplot.h"
#include "print/frmprint.h"
#include "tests/chart/exportfiles.h"
#include "tests/chart/samplemap.h"
#include "tests/chart/sampleruns.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <functional>

using namespace qrv;

namespace {

// Answers the dialogs as a user choosing "print to file" would.
class FileDialogs : public PrintDialogs {
public:
    bool print(QPrinter& printer, QWidget*) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
        return true;
    }
    bool setup(QPrinter&, QWidget*) override { return true; }
    QString saveFileName(QWidget*, const QString& title, const QString&, const QString& filters) override
    {
        askedTitle = title;
        askedFilters = filters;
        return answer;
    }

    QString fileName;
    QString answer;
    QString askedTitle;
    QString askedFilters;
};

// Pixels of an image within a rectangle lighter than `lightness`: 240 finds any ink, 160 text
// drawn as enabled (disabled text is a light grey).
int inkWithin(const QImage& image, const QRect& area, int lightness = 240)
{
    int ink = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            ink += image.pixelColor(x, y).lightness() < lightness;
    return ink;
}

} // namespace

class FrmPrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_settingsDir;
    RunStore m_store;
    RecordingHost m_host;
    std::unique_ptr<FrmPlot> m_plot;
    FileDialogs* m_dialogs = nullptr;

    template <typename T = QWidget>
    T* control(const char* name)
    {
        T* found = printWindow().findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    FrmPrint& printWindow() { return m_plot->printWindow(); }
    int twips(long value) { return int(nearestEven(double(value) * printWindow().logicalDpiX() / 1440)); }
    // Opens the print window from the plot window, as its "Print" button does.
    void openFromPlot()
    {
        m_plot->showAndPlot();
        m_plot->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        QVERIFY(printWindow().isVisible());
        QVERIFY(!m_plot->isEnabled());
    }
    // Prints, the print dialog naming the file `name`, which is returned.
    QString printTo(const char* name)
    {
        m_dialogs->fileName = m_dir.filePath(QString::fromLatin1(name));
        click("cmdPrint");
        return m_dialogs->fileName;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_settingsDir.isValid());
        // Settings of this run stay out of the user's own, and out of the folder that receives
        // the printed files, whichever test first writes them.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void init()
    {
        m_store.clear();
        test::fillSampleRuns(m_store);
        m_host = RecordingHost();
        m_plot = std::make_unique<FrmPlot>(m_store, m_host);
        auto dialogs = std::make_unique<FileDialogs>();
        m_dialogs = dialogs.get();
        m_dialogs->fileName = m_dir.filePath(QStringLiteral("dialog.pdf"));
        printWindow().setDialogs(std::move(dialogs));
    }

    void cleanup() { m_plot.reset(); }

    // The chart is drawn onto the page through the same drawing as the screen's: a PDF of it
    // has no image, its texts are text, in the size the screen gives them; a chart prints
    // across the page unless turned, and the preview shows the page as it prints.
    void printedChart_toAPdf_drawnNotPicturedCentredAndPreviewedAsPrinted()
    {
        openFromPlot();
        QVERIFY(control<QRadioButton>("optLand")->isChecked());
        QVERIFY(printWindow().printEngine().metrics().pageWidth > printWindow().printEngine().metrics().pageHeight);
        auto* preview = control("picPreview");
        QTRY_VERIFY(preview->isVisible() && preview->width() > 50);
        const QImage previewed = preview->grab().toImage();
        QVERIFY2(inkWithin(previewed, previewed.rect().adjusted(4, 4, -4, -4))
                     > previewed.width() * previewed.height() / 50,
                 "the preview shows the chart");
        click("chkCenter");
        // The delayed relayout centres the picture: equal gaps (to a twip) on either side.
        const auto centred = [this] {
            const PageMetrics page = printWindow().printEngine().metrics();
            const ImagePlacement& image = printWindow().placement();
            return std::abs(2 * image.left + image.width - page.printableWidth) <= 1
                && std::abs(2 * image.top + image.height - page.printableHeight) <= 1;
        };
        QTRY_VERIFY(centred());
        // The print dialog names the file: it is not asked for a second time.
        m_dialogs->answer = m_dir.filePath(QStringLiteral("asked-again.pdf"));
        const QString pdf = printTo("chart.pdf");
        QVERIFY2(m_host.messages().empty(), m_host.messages().empty() ? "" : m_host.messages()[0].text.c_str());
        QCOMPARE(m_dialogs->askedTitle, QString());
        QVERIFY(!QFile::exists(m_dialogs->answer));
        QVERIFY(test::fileContents(pdf).startsWith("%PDF-"));
        // The file names the release that printed it.
        const QString info = QString::fromUtf8(test::popplerOutput("pdfinfo", {pdf}));
        const QString creator = QStringLiteral("^Creator: +QRV %1$")
                                    .arg(QRegularExpression::escape(QString::fromUtf8(kVersionText)));
        QVERIFY2(info.contains(QRegularExpression(creator, QRegularExpression::MultilineOption)), qPrintable(info));
        // The list's two heading lines and nothing else.
        QCOMPARE(test::popplerOutput("pdfimages", {QStringLiteral("-list"), pdf}).trimmed().split('\n').size(), 2);
        const QString words = QString::fromUtf8(
            test::popplerOutput("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
        QVERIFY2(words.contains(QStringLiteral(">QRV</word>")) && words.contains(QStringLiteral(">Adiabatic</word>")),
                 qPrintable(words.left(2000)));
        // The title is 17/96 inch high, about 13 points, on paper as on screen.
        const QRegularExpression title(
            QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">QRV</word>"));
        const QRegularExpressionMatch found = title.match(words);
        QVERIFY(found.hasMatch());
        const double points = found.captured(2).toDouble() - found.captured(1).toDouble();
        QVERIFY2(points > 10 && points < 20, qPrintable(QString::number(points)));

        // At 72 dpi, 20 twips make a pixel.
        const QImage page = test::renderedPage(pdf, 72);
        QVERIFY(!page.isNull());
        const PageMetrics metrics = printWindow().printEngine().metrics();
        const ImagePlacement& image = printWindow().placement();
        QVERIFY(image.width > 0 && image.height > 0);
        QCOMPARE(page.width(), int(std::lround(metrics.pageWidth / 20.0)));
        const QRect picture((metrics.leftOffset + image.left) / 20, (metrics.topOffset + image.top) / 20,
                            image.width / 20, image.height / 20);
        const int inside = inkWithin(page, picture.adjusted(2, 2, -2, -2));
        QVERIFY2(inside > picture.width() * picture.height() / 50, qPrintable(QString::number(inside)));
        // Centred: the paper above and below the picture stays blank.
        QCOMPARE(inkWithin(page, QRect(0, 0, page.width(), picture.top() - 2)), 0);
        QCOMPARE(inkWithin(page, QRect(0, picture.bottom() + 3, page.width(), page.height())), 0);
        int vermillion = 0;
        for (int y = picture.top(); y <= picture.bottom(); ++y)
            for (int x = picture.left(); x <= picture.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                vermillion += c.red() > 190 && c.green() > 70 && c.green() < 120 && c.blue() < 40;
            }
        QVERIFY2(vermillion > 10, "the isothermal markers are on the page");

        click("cmdCancel");
        QVERIFY(!printWindow().isVisible());
        QVERIFY(m_plot->isEnabled());
        QSettings settings(QStringLiteral("Tarvel"), QStringLiteral("QRV"));
        QVERIFY(settings.value(QStringLiteral("PrintPreviewSize")).toDouble() >= 6060);
        QCOMPARE(settings.value(QStringLiteral("FastPrint")).toBool(), true);
    }

    // Printing to a file that the print dialog left unnamed asks for the name once.
    // A map on show prints through the same page drawing: its title and axes as text, its
    // cells as vector shapes, no picture of the screen.
    void printedMap_toAPdf_theMapAsShown()
    {
        const MapStudy study = test::smallMap();
        m_plot->showMap(study, runMap(study));
        m_plot->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        QVERIFY(printWindow().isVisible());
        // The map stays on show while the print window is up.
        QVERIFY(m_plot->chart().map() != nullptr);
        const QString pdf = printTo("map.pdf");
        QVERIFY(m_host.messages().empty());
        QVERIFY(test::fileContents(pdf).startsWith("%PDF-"));
        if (!test::popplerInstalled())
            QSKIP("poppler-utils are not installed");
        QCOMPARE(test::popplerOutput("pdfimages", {QStringLiteral("-list"), pdf}).trimmed().split('\n').size(), 2);
        const QString words = QString::fromUtf8(test::popplerOutput("pdftotext", {pdf, QStringLiteral("-")}));
        for (const char* expected : {"QRV Adiabatic Conversion Ratio", "Magma temperature (K)", "Water/magma ratio R"})
            QVERIFY2(words.contains(QLatin1String(expected)), qPrintable(words.left(2000)));
        click("cmdCancel");
        QVERIFY(m_plot->isEnabled());
    }

    void cancelledFileDialogPrintsNothing()
    {
        openFromPlot();
        const QStringList before = QDir(m_dir.path()).entryList();
        m_dialogs->fileName.clear();
        m_dialogs->answer.clear();
        click("cmdPrint");
        QCOMPARE(m_dialogs->askedTitle, QStringLiteral("Print To File"));
        QVERIFY(m_dialogs->askedFilters.startsWith(QStringLiteral("PDF files (*.pdf);;")));
        QVERIFY(m_dialogs->askedFilters.contains(QStringLiteral("Printer Files (*.prn)")));
        QVERIFY(m_host.messages().empty());
        QCOMPARE(QDir(m_dir.path()).entryList(), before);
    }

    void printToFileFollowsLinksAndRespectsReadOnlyFiles()
    {
        openFromPlot();
        const QString kept = m_dir.filePath(QStringLiteral("kept.pdf"));
        QFile earlier(kept);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier contents") == 16);
        earlier.close();
        QVERIFY(QFile::link(kept, m_dir.filePath(QStringLiteral("link.pdf"))));
        const QString link = printTo("link.pdf");
        QVERIFY(m_host.messages().empty());
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.read(5), QByteArray("%PDF-"));
        earlier.close();

        QVERIFY(QFile::setPermissions(kept, QFileDevice::ReadOwner));
        const qint64 size = QFileInfo(kept).size();
        click("cmdPrint");
        QCOMPARE(int(m_host.messages().size()), 1);
        QCOMPARE(m_host.messages().front().text, std::string("Printing error: Permission denied"));
        QCOMPARE(m_host.messages().front().icon, Icon::Exclamation);
        QCOMPARE(QFileInfo(kept).size(), size);
    }

    void printWindowShrinksAndPrintsTheWindow()
    {
        openFromPlot();
        click("optWindow");
        QVERIFY(!control("picPreview")->isVisibleTo(&printWindow()));
        QVERIFY(!control("Frame2")->isEnabled());
        QVERIFY(!control("txtScale")->isEnabled());
        QCOMPARE(printWindow().width(), twips(6060));
        QCOMPARE(printWindow().height(), twips(3630));

        const QImage page = test::renderedPage(printTo("window.pdf"), 36);
        QVERIFY(m_host.messages().empty());
        QVERIFY(inkWithin(page, page.rect()) > 1000);
        // The plot window waits disabled, yet its captions print dark, not greyed out.
        const int dark = inkWithin(page, page.rect(), 160);
        QVERIFY2(dark > 500, qPrintable(QString::number(dark)));

        // Back to the plot: the width comes from the last size, the minimum by now.
        click("optPlot");
        QVERIFY(control("picPreview")->isVisibleTo(&printWindow()));
        QCOMPARE(printWindow().width(), twips(6060));
    }

    void spinnersAndDelayedRelayout()
    {
        openFromPlot();
        auto* scale = control<QLineEdit>("txtScale");
        auto* spinner = control<QScrollBar>("VScroll1");
        QVERIFY(!scale->isEnabled());
        click("chkFit");
        QTRY_VERIFY(scale->isEnabled());
        const long fullWidth = printWindow().placement().width;

        scale->setText(QStringLiteral("50"));
        QTRY_COMPARE(printWindow().placement().width, nearestEven(fullWidth * 0.5));
        spinner->setValue(-1);
        QCOMPARE(scale->text(), QStringLiteral("51"));
        QTRY_COMPARE(spinner->value(), 0);
        QCOMPARE(scale->text(), QStringLiteral("51"));

        // A scale below 10 stays until the next click raises it to 10.
        scale->setText(QStringLiteral("4"));
        QTRY_COMPARE(printWindow().placement().width, nearestEven(fullWidth * 0.04));
        QCOMPARE(scale->text(), QStringLiteral("4"));
        spinner->setValue(1);
        QCOMPARE(scale->text(), QStringLiteral("10"));
        QTRY_COMPARE(printWindow().placement().width, nearestEven(fullWidth * 0.1));

        // The margin spinner acts on the margin box that had the focus last.
        auto* top = control<QLineEdit>("txtTop");
        printWindow().activateWindow();
        top->setFocus();
        QTRY_VERIFY(top->hasFocus());
        top->setText(QStringLiteral("2.00"));
        control<QScrollBar>("VScroll2")->setValue(-1);
        QCOMPARE(top->text(), QStringLiteral("2.01"));
    }

    void windowSizeRules()
    {
        openFromPlot();
        printWindow().resize(100, 900);
        QCOMPARE(printWindow().width(), twips(6060));
        QCOMPARE(printWindow().height(), twips(3630));
        printWindow().resize(twips(9000), 100);
        QCOMPARE(printWindow().height(), twips(9000 - 2430));
        QCOMPARE(control("Picture1")->width(), twips(9000 - 3585));

        // Screen readers name the margin boxes by their captions; the print button says its task in
        // its word, to the eye and to a screen reader.
        QStringList captioned;
        for (const QLabel* label : printWindow().findChildren<QLabel*>())
            if (label->buddy())
                captioned << label->text() + label->buddy()->objectName();
        QCOMPARE(captioned, (QStringList{QStringLiteral("Left:txtLeft"), QStringLiteral("Top:txtTop")}));
        QCOMPARE(qobject_cast<QPushButton*>(control("cmdPrint"))->text(), QStringLiteral("Print"));

        // Every button a screen reader finds is one on screen: no help that is never offered.
        QStringList buttons;
        std::function<void(QAccessibleInterface*)> collect = [&](QAccessibleInterface* node) {
            if (node->role() == QAccessible::Button)
                buttons << node->text(QAccessible::Name);
            for (int i = 0; i < node->childCount(); ++i)
                collect(node->child(i));
        };
        collect(QAccessible::queryAccessibleInterface(&printWindow()));
        QVERIFY2(!buttons.contains(QStringLiteral("Help")), qPrintable(buttons.join(QLatin1Char(','))));
        QVERIFY(buttons.contains(QStringLiteral("Print Setup")));
        QVERIFY(buttons.contains(QStringLiteral("Print")));
    }
};

QTEST_MAIN(FrmPrintTest)
#include "test_frmprint.moc"
