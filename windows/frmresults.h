// The results window, built from its description (display/resultswindow.h): one run's inputs,
// equilibrium state, the two expansion paths and their IAPWS-95 reference, which a check box
// shows or hides. Every value is a caption; clicking one copies it and marks it bold, Copy All
// copies every value shown.
#pragma once

#include "display/windowrecord.h"
#include "windows/chainwindow.h"

#include <QList>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace qrv {

class ValueLabel;

class FrmResults : public ChainWindow {
    Q_OBJECT
public:
    explicit FrmResults(QWidget* parent = nullptr);

    QPushButton* recalculateButton() const { return m_recalculate; }
    QPushButton* helpButton() const { return m_help; }
    QPushButton* plotButton() const { return m_plot; }
    QPushButton* newButton() const { return m_new; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* finishedButton() const { return m_finished; }
    QPushButton* copyAllButton() const { return m_copyAll; }
    QCheckBox* referenceCheckBox() const { return m_showReference; }
    QGroupBox* referenceFrame() const { return m_reference; }

    // Puts the caption on the clipboard and leaves only this value bold.
    void copyValue(ValueLabel* value);
    // Puts every caption and value that `shown` holds on the clipboard as tab-separated lines,
    // the reference among them while this window shows it.
    void copyAll(WindowRecord shown);

private:
    QList<ValueLabel*> m_markable; // values whose bold type marks the clipboard
    QPushButton* m_recalculate = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_plot = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_finished = nullptr;
    QPushButton* m_copyAll = nullptr;
    QCheckBox* m_showReference = nullptr;
    QGroupBox* m_reference = nullptr;
};

} // namespace qrv
