// The sweep dialog's uncertainty bands: a group that, checked, has every ratio of the sweep
// run again with some inputs drawn from distributions, and the 5-95 % band of each path's
// conversion ratio drawn around its curve. Spreads are written as qrv-cli mc takes them.
#pragma once

#include "calculation/sweepbands.h"

#include <QGroupBox>

#include <optional>
#include <utility>
#include <vector>

class QLineEdit;

namespace qrv {

struct BandReading {
    std::optional<BandRequest> request; // none when the group is off or a box is refused
    QString error;                      // names the refused box; empty otherwise
};

class UncertaintyBox : public QGroupBox {
    Q_OBJECT
public:
    // `sediment`: the water fraction X can be spread too.
    UncertaintyBox(bool sediment, QWidget* parent = nullptr);

    // What the boxes ask for, for a sweep of this family.
    BandReading reading(const SweepFamily& family) const;

    void restoreTyped();
    void saveTyped() const;

signals:
    // The group was switched or a box edited.
    void changed();

private:
    std::vector<std::pair<StudyInput, QLineEdit*>> m_spreads;
    QLineEdit* m_samples;
    QLineEdit* m_seed;
};

} // namespace qrv
