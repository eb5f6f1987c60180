#include "windows/filedialogs.h"

#include <QFileDialog>

namespace qrv {

namespace {

QString choose(QWidget* parent, const QString& title, const QString& folder, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, folder, QStringLiteral("QRV Results (*.qrv)"));
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(QStringLiteral("qrv"));
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtFileDialogs::openResultsPath(QWidget* parent, const QString& folder)
{
    return choose(parent, QStringLiteral("Open QRV Results"), folder, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::saveResultsPath(QWidget* parent, const QString& folder)
{
    return choose(parent, QStringLiteral("Save QRV Results"), folder, QFileDialog::AcceptSave);
}

} // namespace qrv
