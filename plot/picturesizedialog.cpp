#include "plot/picturesizedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace qrv {

namespace {

QSpinBox* sideBox(int value, const QString& name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(PictureSizeDialog::kMinSide, PictureSizeDialog::kMaxSide);
    box->setSingleStep(100);
    box->setSuffix(QStringLiteral(" px"));
    box->setValue(value);
    return box;
}

} // namespace

PictureSizeDialog::PictureSizeDialog(QSize initial, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPictureSize"));
    setWindowTitle(QStringLiteral("Picture Size"));
    m_width = sideBox(initial.width(), QStringLiteral("txtWidth"), this);
    m_height = sideBox(initial.height(), QStringLiteral("txtHeight"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Width:"), m_width);
    layout->addRow(QStringLiteral("Height:"), m_height);
    layout->addRow(buttons);
}

QSize PictureSizeDialog::pictureSize() const { return {m_width->value(), m_height->value()}; }

} // namespace qrv
