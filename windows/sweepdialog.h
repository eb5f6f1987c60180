// The sweep dialog of the input window: the range of ratios to run, by step or by number,
// and a family: one more input taking a list of values, every ratio run for each; or a map,
// two inputs each over a range of values.
#pragma once

#include "calculation/sweepbands.h"
#include "calculation/sweepfamily.h"
#include "windows/maprange.h"
#include "windows/sweeprange.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qrv {

class MapPage;
class UncertaintyBox;

class SweepDialog : public QDialog {
    Q_OBJECT
public:
    // Why a number of runs cannot be added to the plot; empty when they fit.
    using CapacityRefusal = std::function<std::string(std::size_t runs)>;

    // `ratioName` is the ratio the input window takes: "R", or "Rs" for sediment, whose water
    // fraction can make a family too. A sweep that the plot cannot take is refused here, and
    // the dialog stays open with what was typed.
    SweepDialog(const QString& ratioName, CapacityRefusal capacityRefusal, QWidget* parent = nullptr);

    // Asked on Run Sweep whether the inputs of every member can run; it says why not itself,
    // and the dialog then stays open with what was typed.
    using MemberCheck = std::function<bool(const std::vector<double>& ratios, const SweepFamily& family)>;
    void setMemberCheck(MemberCheck check) { m_memberCheck = std::move(check); }

    // Asked on Run Map whether the input window's inputs can run with every value of both
    // ranges; it says why not itself, and the dialog then stays open with what was typed.
    using MapCheck = std::function<bool(const MapRanges& ranges)>;
    void setMapCheck(MapCheck check) { m_mapCheck = std::move(check); }

    // Whether the dialog makes a map rather than a ratio sweep, and the map's ranges.
    bool mapMode() const;
    const MapRanges& mapRanges() const;

    // The accepted range's ratios, and the family they are run for.
    const std::vector<double>& ratios() const { return m_range.ratios; }
    const SweepFamily& family() const { return m_family; }
    // The uncertainty bands asked for with the sweep; none when they are off.
    const std::optional<BandRequest>& bands() const { return m_bands; }
    QPushButton* runButton() const { return m_run; }

    void accept() override;
    // Whatever closes the dialog, what was typed is there the next time it opens.
    void done(int result) override;

private:
    // The part of the chosen mode shown; true, with the map's summary, when it is the map.
    bool showMode();
    void showSummary(const QString& text, bool valid);
    void update();
    void restoreTyped();
    void saveTyped() const;

    QString m_ratioName;
    CapacityRefusal m_capacityRefusal;
    MemberCheck m_memberCheck;
    MapCheck m_mapCheck;
    QRadioButton* m_sweepMode;
    QRadioButton* m_mapMode;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QRadioButton* m_byStep;
    QLineEdit* m_step;
    QRadioButton* m_byCount;
    QLineEdit* m_count;
    QComboBox* m_familyInput;
    QLineEdit* m_familyValues;
    UncertaintyBox* m_uncertainty;
    MapPage* m_mapPage;
    QWidget* m_sweepPage = nullptr;
    QLabel* m_summary;
    QPushButton* m_run;
    SweepRange m_range;
    SweepFamily m_family;
    std::optional<BandRequest> m_bands;
};

} // namespace qrv
