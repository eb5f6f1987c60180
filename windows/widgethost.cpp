#include "windows/widgethost.h"

#include "display/windowdescription.h"

#include "plot/plotview.h"
#include "windows/messagepresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QTimer>

#include <cmath>

namespace qrv {

namespace {

Q_LOGGING_CATEGORY(lcHost, "qrv.host")

} // namespace

void setControlText(QWidget* widget, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        frame->setTitle(text);
    else if (auto* area = qobject_cast<QPlainTextEdit*>(widget))
        area->setPlainText(text);
    else if (widget != nullptr)
        widget->setWindowTitle(text);
}

QString controlText(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (auto* area = qobject_cast<const QPlainTextEdit*>(widget))
        return area->toPlainText();
    return widget != nullptr ? widget->windowTitle() : QString();
}

WidgetHost::WidgetHost(WindowLoader loader, MessagePresenter& presenter)
    : m_loader(std::move(loader))
    , m_presenter(presenter)
{
}

QWidget* WidgetHost::widgetOf(const Control& control) const
{
    QWidget* top = m_loader(control.window);
    if (top == nullptr)
        return nullptr;
    auto* widget = top->findChild<QWidget*>(QString::fromUtf8(control.name));
    // Every described control is a widget of its window: the windows' tests fail on this warning.
    if (widget == nullptr)
        qCWarning(lcHost, "No control %s in %s", std::string(control.name).c_str(), qPrintable(top->objectName()));
    return widget;
}

void WidgetHost::message(std::string_view text, Icon icon)
{
    m_record.messages.push_back({std::string(text), icon});
    m_presenter.show(QString::fromUtf8(text), icon);
}

void WidgetHost::setText(const Control& control, std::string_view text)
{
    m_record.setText(control.window, control.name, text);
    setControlText(widgetOf(control), QString::fromUtf8(text));
}

void WidgetHost::setEnabled(const Control& control, bool enabled)
{
    m_record.slot(control.window, control.name).enabled = enabled;
    if (QWidget* widget = widgetOf(control))
        widget->setEnabled(enabled);
}

void WidgetHost::setVisible(const Control& control, bool visible)
{
    m_record.slot(control.window, control.name).visible = visible;
    if (QWidget* widget = widgetOf(control))
        widget->setVisible(visible);
}

void WidgetHost::setBold(const Control& control, bool bold)
{
    m_record.slot(control.window, control.name).bold = bold;
    if (QWidget* widget = widgetOf(control)) {
        QFont font = widget->font();
        font.setBold(bold);
        widget->setFont(font);
    }
}

void WidgetHost::setColour(const Control& control, TextColour colour)
{
    m_record.slot(control.window, control.name).colour = colour;
    QWidget* widget = widgetOf(control);
    if (widget == nullptr)
        return;
    QPalette palette = widget->palette();
    const QColor text = colour == TextColour::Red ? QColor(255, 0, 0)
                                                  : QApplication::palette().color(QPalette::ButtonText);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

void WidgetHost::setChecked(const Control& control, bool checked)
{
    m_record.slot(control.window, control.name).checked = checked;
    if (auto* button = qobject_cast<QAbstractButton*>(widgetOf(control)))
        button->setChecked(checked);
}

void WidgetHost::processEvents()
{
    QCoreApplication::processEvents();
}

void WidgetHost::pause(int milliseconds)
{
    QCoreApplication::processEvents();
    const int scaled = int(std::lround(milliseconds * m_pauseScale));
    if (m_pausesCancelled || scaled <= 0)
        return;
    QEventLoop loop;
    m_pauseLoop = &loop;
    QTimer::singleShot(scaled, &loop, &QEventLoop::quit);
    loop.exec();
}

void WidgetHost::cancelPauses()
{
    m_pausesCancelled = true;
    if (m_pauseLoop)
        m_pauseLoop->quit();
}

void WidgetHost::runStored()
{
    if (m_plotView != nullptr)
        m_plotView->plotIfVisible();
}

} // namespace qrv
