#include "windows/frmcalc.h"

#include "display/equilibriumwindow.h"
#include "windows/describedwindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

using namespace equilibriumwindow;

FrmCalc::FrmCalc(QWidget* parent)
    : ChainWindow(qtName(kDescription.name), parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildPanels(kDescription, *this, *layout, [](ValueLabel*) {});

    // Spread over the width: back at the left, on at the right.
    auto* buttons = new QHBoxLayout;
    for (const Control* button : kDescription.buttons) {
        if (!buttons->isEmpty())
            buttons->addStretch();
        buttons->addWidget(makeButton(*button, this));
    }
    layout->addLayout(buttons);

    m_back = describedWidget<QPushButton>(*this, kBack);
    m_help = describedWidget<QPushButton>(*this, kHelp);
    m_continue = describedWidget<QPushButton>(*this, kContinue);
    m_continue->setDefault(true);
}

} // namespace qrv
