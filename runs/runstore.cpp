#include "runs/runstore.h"

#include "model/real.h"

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

constexpr std::array<float SeriesRecord::*, SeriesRecord::kFieldCount> kFields = {
    &SeriesRecord::R,           &SeriesRecord::TMagma,       &SeriesRecord::TWater,
    &SeriesRecord::PHydroMPa,   &SeriesRecord::PFinalMPa,    &SeriesRecord::PEqMPa,
    &SeriesRecord::TEq,         &SeriesRecord::RhoEq,        &SeriesRecord::SEq,
    &SeriesRecord::CRAdiabatic, &SeriesRecord::SFAdiabatic,  &SeriesRecord::WFAdiabatic,
    &SeriesRecord::TFAdiabatic, &SeriesRecord::CRIsothermal, &SeriesRecord::SFIsothermal,
    &SeriesRecord::WFIsothermal, &SeriesRecord::TFIsothermal,
};

struct KeyField {
    std::string_view key;
    int field;
};

constexpr KeyField kKeys[] = {
    {"ep", 5},   {"et", 6},   {"ed", 7},   {"ee", 8},   {"cra", 9},  {"sfa", 10},
    {"wfa", 11}, {"fta", 12}, {"cri", 13}, {"sfi", 14}, {"wfi", 15}, {"fti", 16},
};

} // namespace

const std::array<std::string_view, SeriesRecord::kFieldCount> kSeriesFieldNames = {
    "R",           "TMagma [K]",         "TWater [K]",        "PHydro [MPa]",
    "PFinal [MPa]", "PEq [MPa]",         "TEq [K]",           "RhoEq [kg/m3]",
    "SEq [J/kg-K]", "CRAdiabatic [%]",   "SFAdiabatic",       "WFAdiabatic",
    "TFAdiabatic [K]", "CRIsothermal [%]", "SFIsothermal",    "WFIsothermal",
    "TFIsothermal [K]",
};

float SeriesRecord::field(int index) const { return this->*kFields.at(std::size_t(index)); }
float& SeriesRecord::field(int index) { return this->*kFields.at(std::size_t(index)); }

std::optional<int> seriesKeyField(std::string_view key)
{
    for (const auto& k : kKeys)
        if (k.key == key)
            return k.field;
    return std::nullopt;
}

void RunStore::append(const SeriesRecord& record)
{
    if (full())
        fail(FaultKind::SubscriptOutOfRange);
    m_records.push_back(record);
}

void RunStore::clear()
{
    m_records.clear();
}

} // namespace qrv
