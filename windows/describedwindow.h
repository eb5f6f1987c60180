// Builds a window from its description (display/windowdescription.h): every control becomes a
// widget with the control's object name, caption, tooltip and colours, laid out as described,
// created in the window's order so that Tab follows it.
#pragma once

#include "display/windowdescription.h"

#include <QString>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QAbstractButton;

namespace qrv {

class ValueLabel;

QString qtName(std::string_view name);

// The status line and the panels, top to bottom, into `layout`. `copyable` is called with
// every value that copies itself when clicked.
void buildPanels(const WindowDescription& description, QWidget& window, QBoxLayout& layout,
                 const std::function<void(ValueLabel*)>& copyable);

// A button or check box of the description; usable from the start unless it waits for a run.
QAbstractButton* makeButton(const Control& control, QWidget* parent);

// The window's widget of a described control.
template <typename Widget>
Widget* describedWidget(const QWidget& window, const Control& control)
{
    return window.findChild<Widget*>(qtName(control.name));
}

} // namespace qrv
