#include "plot/exportdialogs.h"

#include "plot/picturesizedialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace qrv {

namespace {

// "PNG image (*.png)" -> "png".
QString filterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

QString StandardExportDialogs::saveFileName(QWidget* parent, const QString& title,
                                            const QString& startPath, const QString& filters)
{
    QFileDialog dialog(parent, title, startPath, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(filterSuffix(filters));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QSize> StandardExportDialogs::pictureSize(QWidget* parent, QSize initial)
{
    PictureSizeDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.pictureSize();
}

} // namespace qrv
