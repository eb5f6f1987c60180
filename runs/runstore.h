// The store of all runs since the program started: one 17-field record per calculation
// run or opened results file, at most 2,000 (a family of three 200-ratio sweeps and more),
// in append order.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace qrv {

struct SeriesRecord {
    float R = 0;            // ratio as typed (R, or Rs in sediment/magma mode)
    float TMagma = 0;       // K
    float TWater = 0;       // K
    float PHydroMPa = 0;
    float PFinalMPa = 0;
    float PEqMPa = 0;
    float TEq = 0;          // K
    float RhoEq = 0;        // kg/m3
    float SEq = 0;          // J/(kg K)
    float CRAdiabatic = 0;  // %
    float SFAdiabatic = 0;
    float WFAdiabatic = 0;
    float TFAdiabatic = 0;  // K
    float CRIsothermal = 0; // %
    float SFIsothermal = 0;
    float WFIsothermal = 0;
    float TFIsothermal = 0; // K

    // The water fraction X of the wet sediment, 1 in water/magma mode: not plotted, but with
    // R it tells how much water and rock the run had.
    float XWater = 1;

    static constexpr int kFieldCount = 17; // the plotted fields, R to TFIsothermal
    // Field by position 0..16, in the order above.
    float field(int index) const;
    float& field(int index);
};

// Field names with units, in record order ("R", "TMagma [K]", ...), for tables and CSV.
extern const std::array<std::string_view, SeriesRecord::kFieldCount> kSeriesFieldNames;

// Field index of a series key ("cra", "cri", "sfa", ..., "et", "ep", "ed", "ee"); none for
// an unknown key.
std::optional<int> seriesKeyField(std::string_view key);

class RunStore {
public:
    static constexpr int kCapacity = 2000;

    int count() const { return int(m_records.size()); }
    bool full() const { return count() >= kCapacity; }
    // Record 1..count().
    const SeriesRecord& record(int index) const { return m_records.at(std::size_t(index - 1)); }

    // Appends a run; a full store refuses with EngineFault SubscriptOutOfRange and stays unchanged.
    void append(const SeriesRecord& record);
    // No runs any more.
    void clear();

private:
    std::vector<SeriesRecord> m_records;
};

} // namespace qrv
