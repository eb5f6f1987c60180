// The progress of a long study in the desktop program: a window-modal progress window with
// the points done of all and Cancel. While it is up, its reports keep the windows painted.
#pragma once

#include "calculation/parallelruns.h"

#include <QProgressDialog>

namespace qrv {

class StudyProgressWindow {
public:
    // `what` names the runs counted: "points".
    StudyProgressWindow(const QString& task, const QString& what, std::size_t total, QWidget* parent);

    // The study's progress: false once Cancel was pressed or `stopWanted` says so.
    StudyProgress progress(std::function<bool()> stopWanted = {});
    QProgressDialog& dialog() { return m_dialog; }

private:
    QProgressDialog m_dialog;
    QString m_task;
    QString m_what;
};

} // namespace qrv
