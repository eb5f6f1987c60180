#include "windows/aboutwindow.h"

#include "windows/appinfo.h"
#include "windows/messagepresenter.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

namespace qrv {

namespace {

QLabel* paragraph(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

AboutWindow::AboutWindow(MessagePresenter& presenter, QWidget* parent)
    : QDialog(parent)
    , m_presenter(presenter)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(kAppTitle));
    setWindowIcon(QIcon(QStringLiteral(":/qrv/qrv.svg")));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/qrv/qrv.svg")).pixmap(64, 64));
    QLabel* title = paragraph(QStringLiteral("lblTitle"), QString::fromUtf8(kAppTitle), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    QLabel* version = paragraph(QStringLiteral("lblVersion"), QStringLiteral("Version ") + versionCaption(), this);
    QLabel* description = paragraph(QStringLiteral("lblDescription"), kProductDescription, this);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QLabel* disclaimer = paragraph(QStringLiteral("lblDisclaimer"), QStringLiteral("Warning: ") + kDisclaimer, this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    QPushButton* info = buttons->addButton(QStringLiteral("&System Info..."), QDialogButtonBox::ActionRole);
    info->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(info, &QPushButton::clicked, this, &AboutWindow::showSystemInfo);

    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(description);
    layout->addWidget(line);
    layout->addWidget(disclaimer);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
}

void AboutWindow::showSystemInfo()
{
    const QString info = QStringLiteral("Operating system: %1\nKernel: %2 %3\nArchitecture: %4\nHost: %5\nQt: %6")
                             .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                  QSysInfo::currentCpuArchitecture(), QSysInfo::machineHostName(),
                                  QString::fromLatin1(qVersion()));
    m_presenter.show(QSysInfo::kernelType().isEmpty() ? QStringLiteral("System Information Is Unavailable At This Time")
                                                      : info,
                     Icon::None);
}

} // namespace qrv
