// The about window: title, version, what the program does and a disclaimer.
#pragma once

#include <QDialog>

namespace qrv {

class MessagePresenter;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(MessagePresenter& presenter, QWidget* parent = nullptr);

private:
    void showSystemInfo();

    MessagePresenter& m_presenter;
};

} // namespace qrv
