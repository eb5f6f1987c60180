#include "print/printdialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qrv {

bool StandardPrintDialogs::print(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

bool StandardPrintDialogs::setup(QPrinter& printer, QWidget* parent)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    return dialog.exec() == QDialog::Accepted;
}

QString StandardPrintDialogs::saveFileName(QWidget* parent, const QString& title,
                                           const QString& fileName, const QString& filters)
{
    return QFileDialog::getSaveFileName(parent, title, fileName, filters);
}

} // namespace qrv
