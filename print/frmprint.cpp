#include "print/frmprint.h"

#include "base/appidentity.h"
#include "display/enginehost.h"
#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "print/pagepreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>

#include <exception>

namespace qrv {

namespace {

constexpr int kRelayoutDelayMs = 300;
constexpr int kSpinnerResetMs = 100;
constexpr long kPrintWindowWidth = 3425;
constexpr long kPrintWindowHeight = 3495;
constexpr long kHolderLeft = 3525;
constexpr long kHolderTop = 300;
const QString kTitle = QString::fromUtf8(kAppTitle);

QSettings settings()
{
    return QSettings(QString::fromUtf8(kOrganisationName), QString::fromUtf8(kApplicationName));
}

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

} // namespace

FrmPrint::FrmPrint(EngineHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_host(host),
      m_dialogs(std::make_unique<StandardPrintDialogs>()),
      m_engine(*m_dialogs)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(kTitle + QStringLiteral(" Print"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    buildControls();

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setSingleShot(true);
    m_timer1.setInterval(kRelayoutDelayMs);
    connect(&m_timer1, &QTimer::timeout, this, &FrmPrint::PrintScale);

    m_previewSize = std::max<long>(kMinWindowWidth,
        long(settings().value(QStringLiteral("PrintPreviewSize"), 6060).toDouble()));
    setMinimumSize(toPixels(kMinWindowWidth), toPixels(kMinWindowWidth - kWindowHeightLess));
    resize(toPixels(m_previewSize), toPixels(m_previewSize - kWindowHeightLess));
}

FrmPrint::~FrmPrint() = default;

int FrmPrint::toPixels(long twips) const
{
    return int(nearestEven(double(twips) * logicalDpiX() / kTwipsPerInch));
}

long FrmPrint::toTwips(int pixels) const
{
    return nearestEven(double(pixels) * kTwipsPerInch / logicalDpiX());
}

void FrmPrint::buildControls()
{
    const auto place = [this](QWidget* w, long left, long top, long width, long height) {
        w->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    };
    const auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };

    m_frame4 = named(new QGroupBox(QStringLiteral("Orientation"), this), "Frame4");
    m_frame4->setToolTip(QStringLiteral("Select orientation"));
    place(m_frame4, 60, 0, 1680, 840);
    m_optLand = named(new QRadioButton(QStringLiteral("Landscape"), m_frame4), "optLand");
    place(m_optLand, 120, 240, 1500, 255);
    m_optPort = named(new QRadioButton(QStringLiteral("Portrait"), m_frame4), "optPort");
    place(m_optPort, 120, 510, 1500, 255);
    m_optPort->setChecked(true);

    m_frame3 = named(new QGroupBox(QStringLiteral("Print"), this), "Frame3");
    m_frame3->setToolTip(QStringLiteral("Select printing option"));
    place(m_frame3, 1800, 0, 1680, 840);
    m_optWindow = named(new QRadioButton(QStringLiteral("Print Window"), m_frame3), "optWindow");
    // "unavailabe" is the tooltip's own spelling, kept as users know it.
    m_optWindow->setToolTip(QStringLiteral("Quick print of application window: Preview unavailabe"));
    place(m_optWindow, 120, 240, 1500, 255);
    m_optPlot = named(new QRadioButton(QStringLiteral("Print Plot"), m_frame3), "optPlot");
    m_optPlot->setToolTip(QStringLiteral("Precise print of the graph or plot"));
    place(m_optPlot, 120, 510, 1500, 255);
    m_optPlot->setChecked(true);

    m_frame2 = named(new QGroupBox(QStringLiteral("Scale (%)"), this), "Frame2");
    m_frame2->setToolTip(QStringLiteral("Adjust the printed size"));
    place(m_frame2, 60, 900, 1440, 1200);
    m_txtScale = named(new QLineEdit(QStringLiteral("100"), m_frame2), "txtScale");
    // No label of its own: its group's caption names it.
    m_txtScale->setAccessibleName(m_frame2->title());
    place(m_txtScale, 120, 300, 840, 330);
    m_vScroll1 = named(new QScrollBar(Qt::Vertical, m_frame2), "VScroll1");
    m_vScroll1->setRange(-1, 1);
    place(m_vScroll1, 1020, 240, 240, 450);
    m_chkFit = named(new QCheckBox(QStringLiteral("Fit to Page"), m_frame2), "chkFit");
    place(m_chkFit, 120, 810, 1300, 255);
    m_chkFit->setChecked(true);

    m_frame1 = named(new QGroupBox(QStringLiteral("Margins (in.)"), this), "Frame1");
    m_frame1->setToolTip(QStringLiteral("Adjust the page margins"));
    place(m_frame1, 1560, 900, 1920, 1200);
    m_labLeft = new QLabel(QStringLiteral("Left:"), m_frame1);
    place(m_labLeft, 120, 300, 450, 300);
    m_txtLeft = named(new QLineEdit(QStringLiteral("0.00"), m_frame1), "txtLeft");
    place(m_txtLeft, 540, 270, 690, 300);
    m_labTop = new QLabel(QStringLiteral("Top:"), m_frame1);
    place(m_labTop, 120, 600, 450, 300);
    m_txtTop = named(new QLineEdit(QStringLiteral("0.00"), m_frame1), "txtTop");
    place(m_txtTop, 540, 585, 690, 300);
    m_labLeft->setBuddy(m_txtLeft);
    m_labTop->setBuddy(m_txtTop);
    m_vScroll2 = named(new QScrollBar(Qt::Vertical, m_frame1), "VScroll2");
    m_vScroll2->setRange(-1, 1);
    place(m_vScroll2, 1320, 270, 240, 615);
    m_chkCenter = named(new QCheckBox(QStringLiteral("Center on Page"), m_frame1), "chkCenter");
    place(m_chkCenter, 120, 900, 1780, 255);

    m_labPrinter = named(new QLabel(this), "labPrinter");
    place(m_labPrinter, 60, 2160, 3420, 255);
    // Its word beside the picture: a picture alone (and the style's stand-in, a floppy disk)
    // reads as Save.
    m_cmdPrint = named(new QPushButton(QIcon::fromTheme(QStringLiteral("document-print")), QStringLiteral("Print"), this),
                       "cmdPrint");
    m_cmdPrint->setToolTip(QStringLiteral("Start printing"));
    place(m_cmdPrint, 60, 2460, 960, 420);
    m_cmdPrinter = named(new QPushButton(QStringLiteral("Print Setup"), this), "cmdPrinter");
    m_cmdPrinter->setToolTip(QStringLiteral("Select the printer to use"));
    place(m_cmdPrinter, 1080, 2460, 1140, 420);
    m_cmdCancel = named(new QPushButton(QStringLiteral("Done"), this), "cmdCancel");
    m_cmdCancel->setToolTip(QStringLiteral("Close this window"));
    place(m_cmdCancel, 2280, 2460, 720, 420);
    m_image1 = named(new QLabel(this), "Image1");
    place(m_image1, 3060, 2460, 420, 420);

    m_picture1 = named(new QFrame(this), "Picture1");
    static_cast<QFrame*>(m_picture1)->setFrameShape(QFrame::StyledPanel);
    m_picture1->setAutoFillBackground(true);
    m_picture1->setBackgroundRole(QPalette::Dark);
    m_picPreview = named(new PagePreview(m_picture1), "picPreview");
    m_label3 = named(new QLabel(QStringLiteral("Preview"), this), "Label3");
    m_label4 = named(new QLabel(QStringLiteral("(Drag corner to resize)"), this), "Label4");
    m_label3->setAlignment(Qt::AlignCenter);
    m_label4->setAlignment(Qt::AlignCenter);

    for (QLineEdit* box : {m_txtScale, m_txtLeft, m_txtTop}) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (m_textEventsOn)
                startRelayout();
        });
    }
    connect(m_chkFit, &QCheckBox::clicked, this, &FrmPrint::startRelayout);
    connect(m_chkCenter, &QCheckBox::clicked, this, &FrmPrint::centreClicked);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &FrmPrint::spinScale);
    connect(m_vScroll2, &QScrollBar::valueChanged, this, &FrmPrint::spinMargin);
    connect(m_optLand, &QRadioButton::clicked, this, [this] {
        m_engine.setOrientation(PrintEngine::Landscape);
        PageSetup();
    });
    connect(m_optPort, &QRadioButton::clicked, this, [this] {
        m_engine.setOrientation(PrintEngine::Portrait);
        PageSetup();
    });
    connect(m_optPlot, &QRadioButton::clicked, this, &FrmPrint::PageSetup);
    connect(m_optWindow, &QRadioButton::clicked, this, &FrmPrint::PageSetup);
    connect(m_cmdPrint, &QPushButton::clicked, this, &FrmPrint::print);
    connect(m_cmdPrinter, &QPushButton::clicked, this, &FrmPrint::printerSetup);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmPrint::done);
}

void FrmPrint::setDialogs(std::unique_ptr<PrintDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
    m_engine.setDialogs(*m_dialogs);
}

bool FrmPrint::printPlot() const { return m_optPlot->isChecked(); }

void FrmPrint::PrintSetup(QWidget* formRef, DrawPicture picture)
{
    const bool firstUse = m_formRef.isNull() && !isVisible();
    m_formRef = formRef;
    m_picture = std::move(picture);
    m_picPreview->setPicture(m_picture);
    if (formRef) {
        setWindowIcon(formRef->windowIcon());
        m_image1->setPixmap(formRef->windowIcon().pixmap(toPixels(420)));
    }
    PageSetup();
    if (firstUse && formRef)
        move(formRef->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    QApplication::processEvents();
}

void FrmPrint::PageSetup()
{
    m_labPrinter->setText(QStringLiteral("Print to: ") + m_engine.deviceName());
    m_page = m_engine.metrics();
    LayoutBoxes boxes;
    boxes.left = text(m_txtLeft);
    boxes.top = text(m_txtTop);
    limitMarginsToPage(m_page, boxes);
    m_textEventsOn = false;
    m_txtLeft->setText(QString::fromStdString(boxes.left));
    m_txtTop->setText(QString::fromStdString(boxes.top));
    m_textEventsOn = true;
    const bool portrait = m_engine.orientation() == PrintEngine::Portrait;
    (portrait ? m_optPort : m_optLand)->setChecked(true);

    const bool plot = printPlot();
    for (QWidget* w : {static_cast<QWidget*>(m_frame1), static_cast<QWidget*>(m_frame2),
                       static_cast<QWidget*>(m_frame4)})
        w->setEnabled(plot);
    m_picPreview->setVisible(plot);
    const long width = plot ? m_previewSize : kPrintWindowWidth;
    const long height = plot ? m_previewSize - kWindowHeightLess : kPrintWindowHeight;
    resize(toPixels(width), toPixels(height));
    placeControls();
}

void FrmPrint::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        placeControls();
}

// The window's size rules, then everything that depends on its size.
void FrmPrint::placeControls()
{
    const Size size = windowSize({toTwips(width()), toTwips(height())});
    const QSize pixels(toPixels(size.width), toPixels(size.height));
    if (this->size() != pixels)
        resize(pixels);
    const long side = previewHolderSide(size.width);
    m_picture1->setGeometry(toPixels(kHolderLeft), toPixels(kHolderTop), toPixels(side),
                            toPixels(side));
    m_label3->setGeometry(m_picture1->x(), toPixels(30), m_picture1->width(), toPixels(255));
    m_label4->setGeometry(m_picture1->x(), m_picture1->geometry().bottom() + toPixels(30),
                          m_picture1->width(), toPixels(255));
    placePreview();
    PrintScale();
    m_previewSize = size.width;
}

void FrmPrint::placePreview()
{
    const long side = previewHolderSide(windowSize({toTwips(width()), 0}).width);
    const bool portrait = m_engine.orientation() == PrintEngine::Portrait;
    const Rect preview = previewPage(m_page, portrait, {side, side});
    m_picPreview->setGeometry(toPixels(preview.left), toPixels(preview.top),
                              toPixels(preview.width), toPixels(preview.height));
}

void FrmPrint::PrintScale()
{
    m_textEventsOn = false;
    LayoutBoxes boxes;
    boxes.scale = text(m_txtScale);
    boxes.left = text(m_txtLeft);
    boxes.top = text(m_txtTop);
    boxes.fitToPage = m_chkFit->isChecked();
    boxes.centre = m_chkCenter->isChecked();
    m_image = placePicture(m_page, double(m_page.printableWidth), double(m_page.printableHeight), boxes);
    m_txtScale->setText(QString::fromStdString(boxes.scale));
    m_txtLeft->setText(QString::fromStdString(boxes.left));
    m_txtTop->setText(QString::fromStdString(boxes.top));
    // In "Print Window" the whole layout group stays off.
    if (printPlot()) {
        m_txtScale->setEnabled(boxes.scaleEnabled);
        m_vScroll1->setEnabled(boxes.scaleEnabled);
        m_txtLeft->setEnabled(boxes.leftEnabled);
        m_txtTop->setEnabled(boxes.topEnabled);
        drawPreview();
    }
    m_textEventsOn = true;
}

void FrmPrint::drawPreview()
{
    const Size preview{toTwips(m_picPreview->width()), toTwips(m_picPreview->height())};
    LayoutBoxes boxes;
    boxes.left = text(m_txtLeft);
    boxes.top = text(m_txtTop);
    const Rect picture = previewPicture(m_page, preview, boxes, m_image);
    m_picPreview->setPictureRect(QRect(toPixels(picture.left), toPixels(picture.top), toPixels(picture.width),
                                       toPixels(picture.height)),
                                 pictureUnits(m_image.width, m_image.height));
}

void FrmPrint::startRelayout() { m_timer1.start(); }

void FrmPrint::spinScale(int value)
{
    if (value == 0)
        return;
    const double scale = std::max(10.0, double(ParseNumber(text(m_txtScale))) - value);
    m_txtScale->setText(QString::fromStdString(formatFixed(scale, 0)));
    QTimer::singleShot(kSpinnerResetMs, m_vScroll1, [this] { m_vScroll1->setValue(0); });
}

void FrmPrint::spinMargin(int value)
{
    if (value == 0)
        return;
    QLineEdit* box = m_marginFocusTop ? m_txtTop : m_txtLeft;
    const double margin = double(ParseNumber(text(box))) - value / 100.0;
    box->setText(QString::fromStdString(formatFixed(margin, 2)));
    QTimer::singleShot(kSpinnerResetMs, m_vScroll2, [this] { m_vScroll2->setValue(0); });
}

void FrmPrint::centreClicked()
{
    const bool centre = m_chkCenter->isChecked();
    m_txtLeft->setEnabled(!centre && !m_chkFit->isChecked());
    m_txtTop->setEnabled(!centre && !m_chkFit->isChecked());
    startRelayout();
}

bool FrmPrint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_txtLeft || watched == m_txtTop)
            m_marginFocusTop = watched == m_txtTop;
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}

void FrmPrint::print()
{
    try {
        m_engine.setFastPrint(settings().value(QStringLiteral("FastPrint"), true).toBool());
        if (!m_engine.showDialog(QString(), this))
            return;
        PageSetup();
        settings().setValue(QStringLiteral("FastPrint"), m_engine.fastPrint());

        // The print dialog names the file it prints to; it is asked for only when it did not.
        QString file = m_engine.printToFile() ? m_engine.outputFileName() : QString();
        if (m_engine.printToFile() && file.isEmpty()) {
            file = m_engine.dialogs().saveFileName(
                this, QStringLiteral("Print To File"), m_engine.outputFileName(),
                QStringLiteral("PDF files (*.pdf);;Printer Files (*.prn)"));
            if (file.isEmpty())
                return;
        }
        const QString documentName = kTitle + QStringLiteral(" Page");
        m_engine.startDocument(documentName, file);
        const int copies = file.isEmpty() ? m_engine.copies() : 1;
        for (int copy = 1; copy <= copies; ++copy) {
            m_engine.startPage();
            if (printPlot())
                m_engine.printPicture(m_picture, m_image.left, m_image.top, m_image.width,
                                      m_image.height);
            else if (m_formRef)
                printCallingWindow();
            m_engine.endPage();
        }
        m_engine.endDocument();
    } catch (const std::exception& failure) {
        m_host.message("Printing error: " + std::string(failure.what()), Icon::Exclamation);
    }
}

// The calling window waits disabled behind this one, but is printed as it looks at work:
// greyed-out controls would print pale.
void FrmPrint::printCallingWindow()
{
    const bool enabled = m_formRef->isEnabled();
    const auto restore = qScopeGuard([this, enabled] { m_formRef->setEnabled(enabled); });
    m_formRef->setEnabled(true);
    m_engine.printWindow(*m_formRef);
}

void FrmPrint::printerSetup()
{
    try {
        m_engine.showDialog(QStringLiteral("Setup"), this);
        PageSetup();
    } catch (const std::exception& failure) {
        m_host.message("Print setup error: " + std::string(failure.what()), Icon::Exclamation);
    }
}

void FrmPrint::done()
{
    settings().setValue(QStringLiteral("PrintPreviewSize"), double(toTwips(width())));
    hide();
    if (m_formRef) {
        m_formRef->setEnabled(true);
        m_formRef->activateWindow();
        m_formRef->setFocus();
    }
}

// Closing the window by its frame must give the calling window back as "Done" does.
void FrmPrint::closeEvent(QCloseEvent* event)
{
    done();
    event->accept();
}

} // namespace qrv
