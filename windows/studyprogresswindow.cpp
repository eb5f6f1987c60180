#include "windows/studyprogresswindow.h"

#include "base/appidentity.h"

namespace qrv {

StudyProgressWindow::StudyProgressWindow(const QString& task, const QString& what, std::size_t total, QWidget* parent)
    : m_dialog(task, QStringLiteral("Cancel"), 0, int(total), parent)
    , m_task(task)
    , m_what(what)
{
    m_dialog.setObjectName(QStringLiteral("frmStudyProgress"));
    m_dialog.setWindowTitle(QString::fromUtf8(kAppTitle));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setValue(0);
}

StudyProgress StudyProgressWindow::progress(std::function<bool()> stopWanted)
{
    return [this, stopWanted = std::move(stopWanted)](std::size_t done, std::size_t total) {
        m_dialog.setLabelText(QStringLiteral("%1 %2 of %3 %4").arg(m_task).arg(done).arg(total).arg(m_what));
        // A modal progress window handles the events of every window while it is shown.
        m_dialog.setValue(int(done));
        return !m_dialog.wasCanceled() && !(stopWanted && stopWanted());
    };
}

} // namespace qrv
