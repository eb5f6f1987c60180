// The sweep dialog's map: two axes, each an input with the range of its values; the other
// inputs come from the input window. What was typed is there the next time the dialog opens.
#pragma once

#include "windows/maprange.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace qrv {

class MapPage : public QWidget {
    Q_OBJECT
public:
    // `ratioName` is "R", or "Rs" for sediment, whose water fraction a map may span too.
    explicit MapPage(const QString& ratioName, QWidget* parent = nullptr);

    // The ranges as now typed, or why they give no map.
    const MapRanges& ranges() const { return m_ranges; }
    void saveTyped() const;

signals:
    void changed();

private:
    struct Axis {
        QString name; // "X axis"
        QString key;  // "X", of the settings and object names
        QComboBox* input;
        QLineEdit* from;
        QLineEdit* to;
        QLineEdit* step;
    };
    QWidget* axisGroup(Axis& axis, StudyInput input, const char* from, const char* to, const char* step);
    MapAxisTexts texts(const Axis& axis) const;
    void restoreTyped();
    void update();

    QString m_ratioName;
    Axis m_x;
    Axis m_y;
    MapRanges m_ranges;
};

} // namespace qrv
