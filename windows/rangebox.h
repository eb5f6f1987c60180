// A box of the sweep dialog for one number of a range: right-aligned, as wide as its numbers.
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace qrv {

QLineEdit* rangeBox(const char* name, const QString& text, QWidget* parent);

} // namespace qrv
