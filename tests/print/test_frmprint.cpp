#include "engine/recordinghost.h"
#include "engine/runstore.h"
#include "plot/frmplot.h"
#include "print/frmprint.h"
#include "tests/chart/sampleruns.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
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

// Non-white pixels of an image within a rectangle.
int inkWithin(const QImage& image, const QRect& area)
{
    int ink = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            ink += image.pixelColor(x, y).lightness() < 240;
    return ink;
}

// Pixels dark enough for text drawn as enabled; disabled text is a light grey.
int darkWithin(const QImage& image, const QRect& area)
{
    int dark = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            dark += image.pixelColor(x, y).lightness() < 160;
    return dark;
}

} // namespace

class FrmPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void printsTheChartToAPdf();
    void printedChart_isDrawnNotPictured_andPreviewedAsPrinted();
    void cancelledFileDialogPrintsNothing();
    void printToFileFollowsLinksAndRespectsReadOnlyFiles();
    void printWindowShrinksAndPrintsTheWindow();
    void spinnersAndDelayedRelayout();
    void windowSizeRules();

private:
    template <typename T>
    T* control(const char* name)
    {
        T* found = printWindow().findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    FrmPrint& printWindow() { return m_plot->printWindow(); }
    // Opens the print window from the plot window, as its "Print" button does.
    void openFromPlot();
    int twips(long value);

    QTemporaryDir m_dir;
    QTemporaryDir m_settingsDir;
    RunStore m_store;
    RecordingHost m_host;
    std::unique_ptr<FrmPlot> m_plot;
    FileDialogs* m_dialogs = nullptr;
};

void FrmPrintTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_settingsDir.isValid());
    // Settings of this run stay out of the user's own, and out of the folder that receives
    // the printed files, whichever test first writes them.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
}

void FrmPrintTest::init()
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

void FrmPrintTest::cleanup() { m_plot.reset(); }

void FrmPrintTest::openFromPlot()
{
    m_plot->showAndPlot();
    m_plot->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    QVERIFY(printWindow().isVisible());
    QVERIFY(!m_plot->isEnabled());
}

int FrmPrintTest::twips(long value) { return int(nearestEven(double(value) * printWindow().logicalDpiX() / 1440)); }

void FrmPrintTest::printsTheChartToAPdf()
{
    openFromPlot();
    control<QCheckBox>("chkCenter")->click();
    // The delayed relayout centres the picture: equal gaps (to a twip) on either side.
    const auto centred = [this] {
        const PageMetrics page = printWindow().printEngine().metrics();
        const ImagePlacement& image = printWindow().placement();
        return std::abs(2 * image.left + image.width - page.printableWidth) <= 1
            && std::abs(2 * image.top + image.height - page.printableHeight) <= 1;
    };
    QTRY_VERIFY(centred());
    // The print dialog names the file: it is not asked for a second time.
    const QString pdf = m_dir.filePath(QStringLiteral("chart.pdf"));
    m_dialogs->fileName = pdf;
    m_dialogs->answer = m_dir.filePath(QStringLiteral("asked-again.pdf"));
    control<QPushButton>("cmdPrint")->click();
    QVERIFY2(m_host.messages().empty(), m_host.messages().empty() ? "" : m_host.messages()[0].text.c_str());
    QCOMPARE(m_dialogs->askedTitle, QString());
    QVERIFY(!QFile::exists(m_dialogs->answer));

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    file.close();

    // Render the page at 72 dpi, where 20 twips make a pixel.
    const QString png = m_dir.filePath(QStringLiteral("page"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                QStringLiteral("-singlefile"), pdf, png}),
             0);
    const QImage page(png + QStringLiteral(".png"));
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

    control<QPushButton>("cmdCancel")->click();
    QVERIFY(!printWindow().isVisible());
    QVERIFY(m_plot->isEnabled());
    QSettings settings(QStringLiteral("Tarvel"), QStringLiteral("QRV"));
    QVERIFY(settings.value(QStringLiteral("PrintPreviewSize")).toDouble() >= 6060);
    QCOMPARE(settings.value(QStringLiteral("FastPrint")).toBool(), true);
}

// Printing to a file that the print dialog left unnamed asks for the name once.
// The chart is drawn onto the page through the same drawing as the screen's: a PDF of it has
// no image, its texts are text, in the size the screen gives them; a chart prints across the
// page unless turned, and the preview shows the page as it prints.
void FrmPrintTest::printedChart_isDrawnNotPictured_andPreviewedAsPrinted()
{
    // State
    openFromPlot();
    QVERIFY(control<QRadioButton>("optLand")->isChecked());
    const PageMetrics metrics = printWindow().printEngine().metrics();
    QVERIFY(metrics.pageWidth > metrics.pageHeight);
    // Expected: the preview draws the chart where it will print.
    auto* preview = control<QWidget>("picPreview");
    QTRY_VERIFY(preview->isVisible() && preview->width() > 50);
    const QImage previewed = preview->grab().toImage();
    QVERIFY2(inkWithin(previewed, previewed.rect().adjusted(4, 4, -4, -4)) > previewed.width() * previewed.height() / 50,
             "the preview shows the chart");
    // Action
    const QString pdf = m_dir.filePath(QStringLiteral("vector.pdf"));
    m_dialogs->fileName = pdf;
    control<QPushButton>("cmdPrint")->click();
    QVERIFY(m_host.messages().empty());
    // Expected
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QVERIFY(images.waitForFinished(30000));
    QCOMPARE(images.exitCode(), 0);
    QCOMPARE(images.readAllStandardOutput().trimmed().split('\n').size(), 2);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains(QStringLiteral(">QRV</word>")) && words.contains(QStringLiteral(">Adiabatic</word>")),
             qPrintable(words.left(2000)));
    // The title is 17/96 inch high, about 13 points, on paper as on screen.
    const QRegularExpression title(QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">QRV</word>"));
    const QRegularExpressionMatch found = title.match(words);
    QVERIFY(found.hasMatch());
    const double points = found.captured(2).toDouble() - found.captured(1).toDouble();
    QVERIFY2(points > 10 && points < 20, qPrintable(QString::number(points)));
}

void FrmPrintTest::cancelledFileDialogPrintsNothing()
{
    openFromPlot();
    const QStringList before = QDir(m_dir.path()).entryList();
    m_dialogs->fileName.clear();
    m_dialogs->answer.clear();
    control<QPushButton>("cmdPrint")->click();
    QCOMPARE(m_dialogs->askedTitle, QStringLiteral("Print To File"));
    QVERIFY(m_dialogs->askedFilters.startsWith(QStringLiteral("PDF files (*.pdf);;")));
    QVERIFY(m_dialogs->askedFilters.contains(QStringLiteral("Printer Files (*.prn)")));
    QVERIFY(m_host.messages().empty());
    QCOMPARE(QDir(m_dir.path()).entryList(), before);
}

void FrmPrintTest::printToFileFollowsLinksAndRespectsReadOnlyFiles()
{
    openFromPlot();
    const QString kept = m_dir.filePath(QStringLiteral("kept.pdf"));
    QFile earlier(kept);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier contents");
    earlier.close();
    const QString link = m_dir.filePath(QStringLiteral("link.pdf"));
    QVERIFY(QFile::link(kept, link));
    m_dialogs->fileName = link;
    control<QPushButton>("cmdPrint")->click();
    QVERIFY(m_host.messages().empty());
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.read(5), QByteArray("%PDF-"));
    earlier.close();

    QVERIFY(QFile::setPermissions(kept, QFileDevice::ReadOwner));
    const qint64 size = QFileInfo(kept).size();
    control<QPushButton>("cmdPrint")->click();
    QCOMPARE(int(m_host.messages().size()), 1);
    QCOMPARE(m_host.messages().front().text, std::string("Printing error: Permission denied"));
    QCOMPARE(m_host.messages().front().icon, Icon::Exclamation);
    QCOMPARE(QFileInfo(kept).size(), size);
}

void FrmPrintTest::printWindowShrinksAndPrintsTheWindow()
{
    openFromPlot();
    control<QRadioButton>("optWindow")->click();
    QVERIFY(!control<QWidget>("picPreview")->isVisibleTo(&printWindow()));
    QVERIFY(!control<QWidget>("Frame2")->isEnabled());
    QVERIFY(!control<QLineEdit>("txtScale")->isEnabled());
    QCOMPARE(printWindow().width(), twips(6060));
    QCOMPARE(printWindow().height(), twips(3630));

    const QString pdf = m_dir.filePath(QStringLiteral("window.pdf"));
    m_dialogs->fileName = pdf;
    control<QPushButton>("cmdPrint")->click();
    QVERIFY(m_host.messages().empty());
    const QString png = m_dir.filePath(QStringLiteral("window"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("36"),
             QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png}), 0);
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(inkWithin(page, page.rect()) > 1000);
    // The plot window waits disabled, yet its captions print dark, not greyed out.
    QVERIFY2(darkWithin(page, page.rect()) > 500, qPrintable(QString::number(darkWithin(page, page.rect()))));

    // Back to the plot: the width comes from the last size, the minimum by now.
    control<QRadioButton>("optPlot")->click();
    QVERIFY(control<QWidget>("picPreview")->isVisibleTo(&printWindow()));
    QCOMPARE(printWindow().width(), twips(6060));
}

void FrmPrintTest::spinnersAndDelayedRelayout()
{
    openFromPlot();
    auto* scale = control<QLineEdit>("txtScale");
    auto* spinner = control<QScrollBar>("VScroll1");
    QVERIFY(!scale->isEnabled());
    control<QCheckBox>("chkFit")->click();
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

void FrmPrintTest::windowSizeRules()
{
    openFromPlot();
    printWindow().resize(100, 900);
    QCOMPARE(printWindow().width(), twips(6060));
    QCOMPARE(printWindow().height(), twips(3630));
    printWindow().resize(twips(9000), 100);
    QCOMPARE(printWindow().height(), twips(9000 - 2430));
    QCOMPARE(control<QWidget>("Picture1")->width(), twips(9000 - 3585));

    // Screen readers name the margin boxes by their captions and the picture button by its task.
    QStringList captioned;
    for (const QLabel* label : printWindow().findChildren<QLabel*>())
        if (label->buddy())
            captioned << label->text() + label->buddy()->objectName();
    QCOMPARE(captioned, (QStringList{QStringLiteral("Left:txtLeft"), QStringLiteral("Top:txtTop")}));
    QCOMPARE(control<QPushButton>("cmdPrint")->accessibleName(), QStringLiteral("Print"));

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
}

QTEST_MAIN(FrmPrintTest)
#include "test_frmprint.moc"
