// The print window: lays one picture out on a printer page (orientation, scale or fit,
// margins or centring), previews the page to scale and prints the picture, or the calling
// window itself, to the printer or to a PDF file. The picture draws itself onto the page and
// takes the shape of the printable area: "Fit to Page" fills it.
#pragma once

#include "print/layout/printlayout.h"
#include "print/printdialogs.h"
#include "print/printengine.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qrv {

class EngineHost;
class PagePreview;

class FrmPrint : public QWidget {
    Q_OBJECT
public:
    explicit FrmPrint(EngineHost& host, QWidget* parent = nullptr);
    ~FrmPrint() override;

    // Shows the window for printing `picture` on behalf of `formRef`, which stays disabled
    // until "Done".
    void PrintSetup(QWidget* formRef, DrawPicture picture);
    // Reads the printer's page and lays out the preview.
    void PageSetup();
    // Validates margins and scale and places the picture.
    void PrintScale();

    // Tests replace the dialogs to print without user interaction.
    void setDialogs(std::unique_ptr<PrintDialogs> dialogs);
    PrintEngine& printEngine() { return m_engine; }
    const ImagePlacement& placement() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void placeControls();
    void placePreview();
    void drawPreview();
    void startRelayout();
    void spinScale(int value);
    void spinMargin(int value);
    void centreClicked();
    void print();
    void printCallingWindow();
    void printerSetup();
    void done();
    bool printPlot() const;

    int toPixels(long twips) const;
    long toTwips(int pixels) const;

    EngineHost& m_host;
    std::unique_ptr<PrintDialogs> m_dialogs;
    PrintEngine m_engine;
    QPointer<QWidget> m_formRef;
    DrawPicture m_picture;
    PageMetrics m_page;
    ImagePlacement m_image;
    long m_previewSize = kMinWindowWidth;
    bool m_textEventsOn = true;
    bool m_marginFocusTop = false;
    QTimer m_timer1;

    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frame3 = nullptr;
    QGroupBox* m_frame4 = nullptr;
    QRadioButton* m_optLand = nullptr;
    QRadioButton* m_optPort = nullptr;
    QRadioButton* m_optWindow = nullptr;
    QRadioButton* m_optPlot = nullptr;
    QLineEdit* m_txtScale = nullptr;
    QScrollBar* m_vScroll1 = nullptr;
    QCheckBox* m_chkFit = nullptr;
    QLabel* m_labLeft = nullptr;
    QLabel* m_labTop = nullptr;
    QLineEdit* m_txtLeft = nullptr;
    QLineEdit* m_txtTop = nullptr;
    QScrollBar* m_vScroll2 = nullptr;
    QCheckBox* m_chkCenter = nullptr;
    QWidget* m_picture1 = nullptr;
    PagePreview* m_picPreview = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_labPrinter = nullptr;
    QLabel* m_image1 = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdPrinter = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace qrv
