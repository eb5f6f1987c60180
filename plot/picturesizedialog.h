// Asks for the width and height in pixels of a saved chart.
#pragma once

#include <QDialog>

class QSpinBox;

namespace qrv {

class PictureSizeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinSide = 200;
    static constexpr int kMaxSide = 10000;

    explicit PictureSizeDialog(QSize initial, QWidget* parent = nullptr);
    QSize pictureSize() const;

private:
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};

} // namespace qrv
