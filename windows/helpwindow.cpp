#include "windows/helpwindow.h"

#include "base/appidentity.h"

#include <QIcon>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qrv {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QString::fromUtf8(kAppTitle) + QStringLiteral(" Help"));
    setWindowIcon(QIcon(QStringLiteral(":/qrv/qrv.svg")));
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(QStringLiteral("qrc:/qrv/help.html")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    // Escape closes it, as it closes the program's other secondary windows.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    const int em = fontMetrics().averageCharWidth();
    resize(em * 80, fontMetrics().lineSpacing() * 36);
}

void HelpWindow::showTopic(HelpTopic topic)
{
    const QString anchor = topic == HelpTopic::Contents ? QStringLiteral("contents")
                                                        : QStringLiteral("topic%1").arg(int(topic));
    m_browser->setSource(QUrl(QStringLiteral("qrc:/qrv/help.html#") + anchor));
    m_browser->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}

} // namespace qrv
