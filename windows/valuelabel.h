// A result caption that copies itself: a click, or Space/Enter when it has the keyboard
// focus, reports it.
#pragma once

#include <QLabel>

namespace qrv {

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    ValueLabel(const QString& name, const QColor& background, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qrv
