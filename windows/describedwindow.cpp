#include "windows/describedwindow.h"

#include "windows/chainwindow.h"
#include "windows/valuelabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace qrv {

namespace {

QColor colour(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void setBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void setTextColours(QWidget* widget, const QColor& text, const QColor& background)
{
    QPalette colours = widget->palette();
    if (background.isValid())
        colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    widget->setPalette(colours);
}

QLabel* makeLabel(const Control& control, QWidget* parent)
{
    auto* label = new QLabel(qtName(control.design), parent);
    label->setObjectName(qtName(control.name));
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(qtName(control.tooltip));
    switch (control.look) {
    case Look::Note:
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        break;
    case Look::Heading:
        label->setAlignment(Qt::AlignCenter);
        break;
    case Look::Shown:
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAutoFillBackground(true);
        setTextColours(label, Qt::black, colour(control.background));
        // Wide enough for the longest ratio line, in plain type.
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral("Rs = 00.000  --  R = 00.000")) + 12);
        break;
    case Look::ErrorMark: {
        label->setAlignment(Qt::AlignCenter);
        setTextColours(label, QColor(255, 0, 0), QColor());
        // A long note wraps rather than widening the window.
        label->setWordWrap(true);
        label->setVisible(false);
        // Keeps the frame's height whether or not the mark is shown.
        QSizePolicy keep = label->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        label->setSizePolicy(keep);
        break;
    }
    default:
        break;
    }
    return label;
}

QWidget* makeControl(const Control& control, QWidget* parent, const std::function<void(ValueLabel*)>& copyable)
{
    QWidget* widget = nullptr;
    switch (control.look) {
    case Look::Copyable: {
        auto* value = new ValueLabel(qtName(control.name), colour(control.background), parent);
        value->setToolTip(qtName(control.tooltip));
        value->setText(qtName(control.design));
        widget = value;
        break;
    }
    case Look::Frame: {
        auto* frame = new QGroupBox(qtName(control.design), parent);
        frame->setObjectName(qtName(control.name));
        frame->setToolTip(qtName(control.tooltip));
        widget = frame;
        break;
    }
    case Look::Button:
    case Look::RunButton:
    case Look::HelpButton:
    case Look::CheckBox:
        widget = makeButton(control, parent);
        break;
    default:
        widget = makeLabel(control, parent);
    }
    if (control.bold)
        setBold(widget);
    if (auto* value = qobject_cast<ValueLabel*>(widget))
        copyable(value);
    return widget;
}

// The panel's grid: a caption column, then the value columns; a heading over several value
// columns heads them, otherwise it runs across the panel; notes stand in a column of their
// own at the right, after a stretch.
void addPanel(const Panel& panel, QWidget& window, QBoxLayout& into, const std::function<void(ValueLabel*)>& copyable)
{
    QWidget* parent = &window;
    QGroupBox* frame = nullptr;
    if (panel.frame != nullptr) {
        frame = static_cast<QGroupBox*>(makeControl(*panel.frame, &window, copyable));
        parent = frame;
    }
    auto* grid = frame != nullptr ? new QGridLayout(frame) : new QGridLayout;
    int valueColumns = 0;
    for (const Row& row : panel.rows)
        valueColumns = std::max(valueColumns, valueCount(row));
    const int width = 1 + valueColumns;

    int line = 0;
    if (panel.heading != nullptr) {
        QWidget* heading = makeControl(*panel.heading, parent, copyable);
        if (auto* label = qobject_cast<QLabel*>(heading))
            label->setAlignment(Qt::AlignCenter);
        if (valueColumns > 1)
            grid->addWidget(heading, line, 1, 1, valueColumns);
        else
            grid->addWidget(heading, line, 0, 1, width);
        ++line;
    }
    const int firstRow = line;
    for (const Row& row : panel.rows) {
        if (row.caption == nullptr) {
            grid->addWidget(makeControl(*row.values[0], parent, copyable), line, 0, 1, width);
        } else {
            grid->addWidget(makeControl(*row.caption, parent, copyable), line, 0);
            for (int column = 0; column < valueCount(row); ++column)
                grid->addWidget(makeControl(*row.values[std::size_t(column)], parent, copyable), line, 1 + column);
        }
        ++line;
    }
    if (!panel.notes.empty()) {
        grid->setColumnStretch(width, 1);
        const int rowsPerNote = int(panel.rows.size() / panel.notes.size());
        int noteRow = firstRow;
        for (const Control* note : panel.notes) {
            grid->addWidget(makeControl(*note, parent, copyable), noteRow, width + 1, rowsPerNote, 1);
            noteRow += rowsPerNote;
        }
    }
    if (panel.errorMark != nullptr)
        grid->addWidget(makeControl(*panel.errorMark, parent, copyable), line, 0, 1, width);

    if (frame != nullptr)
        into.addWidget(frame);
    else
        into.addLayout(grid);
}

} // namespace

QString qtName(std::string_view name)
{
    return QString::fromUtf8(name);
}

void buildPanels(const WindowDescription& description, QWidget& window, QBoxLayout& layout,
                 const std::function<void(ValueLabel*)>& copyable)
{
    if (!description.statusLine.empty()) {
        auto* status = new QHBoxLayout;
        for (const Control* control : description.statusLine) {
            if (!status->isEmpty())
                status->addStretch();
            status->addWidget(makeControl(*control, &window, copyable));
        }
        layout.addLayout(status);
    }
    const std::span<const Panel> panels = description.panels;
    for (std::size_t first = 0; first < panels.size();) {
        std::size_t end = first + 1;
        while (end < panels.size() && panels[end].besidePrevious)
            ++end;
        if (end - first == 1) {
            addPanel(panels[first], window, layout, copyable);
        } else {
            auto* beside = new QHBoxLayout;
            for (std::size_t i = first; i < end; ++i)
                addPanel(panels[i], window, *beside, copyable);
            layout.addLayout(beside);
        }
        first = end;
    }
}

QAbstractButton* makeButton(const Control& control, QWidget* parent)
{
    if (control.look == Look::HelpButton)
        return makeHelpButton(qtName(control.name), parent);
    QAbstractButton* button = nullptr;
    if (control.look == Look::CheckBox) {
        button = new QCheckBox(qtName(control.design), parent);
        button->setChecked(true);
    } else {
        button = new QPushButton(qtName(control.design), parent);
    }
    button->setObjectName(qtName(control.name));
    button->setToolTip(qtName(control.tooltip));
    button->setEnabled(control.look != Look::RunButton);
    return button;
}

} // namespace qrv
