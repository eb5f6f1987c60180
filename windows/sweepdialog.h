// The sweep dialog of the input window: the range of ratios to run, by step or by number.
#pragma once

#include "sweeprange.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qrv {

class SweepDialog : public QDialog {
    Q_OBJECT
public:
    // `ratioName` is the ratio the input window takes: "R", or "Rs" for sediment.
    explicit SweepDialog(const QString& ratioName, QWidget* parent = nullptr);

    // The accepted range's ratios.
    const std::vector<double>& ratios() const { return m_range.ratios; }
    QPushButton* runButton() const { return m_run; }

private:
    void update();

    QString m_ratioName;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QRadioButton* m_byStep;
    QLineEdit* m_step;
    QRadioButton* m_byCount;
    QLineEdit* m_count;
    QLabel* m_summary;
    QPushButton* m_run;
    SweepRange m_range;
};

} // namespace qrv
