// Text boxes select their whole text when they get the focus, so that typing replaces it.
#pragma once

#include <QObject>

class QLineEdit;

namespace qrv {

class SelectAllOnFocus : public QObject {
public:
    explicit SelectAllOnFocus(QObject* parent) : QObject(parent) {}
    void watch(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qrv
