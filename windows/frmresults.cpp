#include "windows/frmresults.h"

#include "display/resultswindow.h"
#include "display/windowtext.h"
#include "windows/describedwindow.h"
#include "widgets/screenfittedscroll.h"
#include "windows/valuelabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

using namespace resultswindow;

FrmResults::FrmResults(QWidget* parent)
    : ChainWindow(qtName(kDescription.name), parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The buttons are made first, so that Tab reaches them before the thirty values, which
    // follow them in the order they are read; each value still copies itself on Space.
    auto* buttons = new QHBoxLayout;
    for (const Control* button : kDescription.buttons)
        buttons->addWidget(makeButton(*button, this));
    // The panels scroll on a screen too short for them all; the buttons stay in reach.
    auto* panels = new QWidget;
    auto* panelsLayout = new QVBoxLayout(panels);
    panelsLayout->setContentsMargins({});
    buildPanels(kDescription, *panels, *panelsLayout, [this](ValueLabel* value) {
        connect(value, &ValueLabel::clicked, this, [this, value] { copyValue(value); });
        // A value bold from the start (the phase) marks nothing.
        if (!value->font().bold())
            m_markable.append(value);
    });
    auto* scroll = new ScreenFittedScroll(panels, this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    const QMargins margins = layout->contentsMargins();
    scroll->setReservedHeight(margins.top() + margins.bottom() + layout->spacing() + buttons->sizeHint().height());

    m_recalculate = describedWidget<QPushButton>(*this, kRecalculate);
    m_help = describedWidget<QPushButton>(*this, kHelp);
    m_plot = describedWidget<QPushButton>(*this, kPlot);
    m_new = describedWidget<QPushButton>(*this, kNew);
    m_save = describedWidget<QPushButton>(*this, kSave);
    m_finished = describedWidget<QPushButton>(*this, kFinished);
    m_copyAll = describedWidget<QPushButton>(*this, kCopyAll);

    m_showReference = describedWidget<QCheckBox>(*this, kShowReference);
    m_reference = describedWidget<QGroupBox>(*this, kReference.frame);
    connect(m_showReference, &QCheckBox::toggled, m_reference, &QGroupBox::setVisible);
}

void FrmResults::copyValue(ValueLabel* value)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(value->text());
    for (ValueLabel* other : std::as_const(m_markable)) {
        QFont font = other->font();
        font.setBold(false);
        other->setFont(font);
    }
    QFont font = value->font();
    font.setBold(true);
    value->setFont(font);
}

void FrmResults::copyAll(WindowRecord shown)
{
    // Whether the reference is shown is the user's choice on this window, not the run's.
    if (!m_showReference->isChecked())
        shown.slot(kWindow, kReference.frame.name).visible = false;
    QApplication::clipboard()->setText(QString::fromStdString(windowText(kDescription, shown)));
}

} // namespace qrv
