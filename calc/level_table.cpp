#include "calc/level_table.h"

#include <cmath>
#include <optional>

#include "calc/vessel.h"

namespace calc {
namespace {

// Relative slack for a target volume worked out from a percentage or a mass.
constexpr double kDerivedSlack = 1e-12;

struct PositiveRead {
    std::string_view warning;
    double value;
};

// A step or density text: read as a field, then it must be above zero.
PositiveRead ReadPositive(std::string_view text, const NumberLocale& locale,
                          std::string_view notPositive) {
    if (text.empty()) {
        return {EmptyFieldMessage, 0};
    }
    const NumberRead read = ReadNumber(text, locale);
    if (const std::string_view warning = ReadWarning(read.status); !warning.empty()) {
        return {warning, 0};
    }
    if (!(read.value > 0)) {
        return {notPositive, 0};
    }
    return {{}, read.value};
}

// The highest whole number below x > 0. Beyond 2^53 every double is whole, and x - 1 may be x.
double WholeBelow(double x) {
    const double below = std::ceil(x) - 1;
    return below < x ? below : std::nextafter(x, 0.0);
}

double VolumeAt(const Vessel& vessel, double Hn) {
    return VolumeAtLevel(vessel, Hn).Vl;
}

// The first whole number n in lo..hi (whole numbers as doubles) at which reaches(n) holds, for a
// reaches that never turns false again once true; nothing when it does not hold at hi.
template <typename Reaches>
std::optional<double> FirstReaching(double lo, double hi, const Reaches& reaches) {
    if (lo > hi || !reaches(hi)) {
        return std::nullopt;
    }
    if (reaches(lo)) {
        return lo;
    }
    // reaches(lo) is false and reaches(hi) true from here on.
    while (hi - lo > 1) {
        const double mid = std::floor(lo + (hi - lo) / 2);
        if (mid <= lo || mid >= hi) {
            break; // beyond 2^53 mm, neighbouring whole numbers are no longer apart
        }
        if (reaches(mid)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return hi;
}

} // namespace

TableOutcome MakeLevelTable(const TableInputs& inputs, const NumberLocale& locale) {
    TableOutcome out{{}, {}};
    const VesselOutcome read = ReadVessel(inputs.L, inputs.D, inputs.Delta, inputs.Hs, locale);
    if (!read.warning.empty()) {
        out.warning = read.warning;
        return out;
    }
    const PositiveRead step = ReadPositive(inputs.step, locale, StepMessage);
    if (!step.warning.empty()) {
        out.warning = step.warning;
        return out;
    }
    std::optional<double> density;
    if (!inputs.density.empty()) {
        const PositiveRead rho = ReadPositive(inputs.density, locale, DensityMessage);
        if (!rho.warning.empty()) {
            out.warning = rho.warning;
            return out;
        }
        density = rho.value;
    }

    const Vessel& vessel = read.vessel;
    const double Di = vessel.geometry.Di;
    // Levels k * step below Di are about Di / step of them, and the last row at Di comes on top.
    if (Di / step.value >= static_cast<double>(MaxTableRows)) {
        out.warning = TooManyRowsMessage;
        return out;
    }

    LevelTable& table = out.table;
    table.vessel = vessel;
    table.cylinderVolume = CylinderCapacity(vessel.geometry);
    table.headsVolume = HeadsCapacity(vessel.geometry);
    table.step = step.value;
    table.density = density;
    // ReadVessel has read each of these texts as a number already.
    table.dimensions = {ReadNumber(inputs.L, locale).value, ReadNumber(inputs.D, locale).value,
                        ReadNumber(inputs.Delta, locale).value,
                        ReadNumber(inputs.Hs, locale).value};

    const auto addRow = [&](double level) {
        const VolumeOutcome volume = VolumeAtLevel(vessel, level);
        if (!volume.warning.empty()) {
            return volume.warning;
        }
        TableRow row{level, volume.Vl, 0, 0};
        if (vessel.Vt > 0) {
            row.percent = RoundToPlaces(100 * volume.Vl / vessel.Vt, 2);
        }
        if (density) {
            row.mass = RoundTo3(volume.Vl * *density / 1000);
            if (!std::isfinite(row.mass)) {
                return OutOfRangeMessage;
            }
        }
        table.rows.push_back(row);
        return std::string_view();
    };

    table.rows.reserve(static_cast<std::size_t>(Di / step.value) + 2);
    for (std::size_t k = 0;; ++k) {
        const double level = RoundTo15Digits(static_cast<double>(k) * step.value);
        if (!(level < Di)) {
            break;
        }
        if (table.rows.size() + 1 >= MaxTableRows) {
            out.warning = TooManyRowsMessage;
            break;
        }
        out.warning = addRow(level);
        if (!out.warning.empty()) {
            break;
        }
    }
    if (out.warning.empty()) {
        out.warning = addRow(Di);
    }
    if (!out.warning.empty()) {
        out.table = {};
    }
    return out;
}

LevelOutcome LevelFor(const LevelTable& table, Target target, double value) {
    const Vessel& vessel = table.vessel;
    if (std::isnan(value)) {
        return {NotANumberMessage, 0};
    }
    double V = value;
    double slack = 0;
    switch (target) {
    case Target::Volume:
        break;
    case Target::Percent:
        V = value / 100 * vessel.Vt;
        slack = std::abs(V) * kDerivedSlack;
        break;
    case Target::Mass:
        if (!table.density) {
            return {MassNeedsDensityMessage, 0};
        }
        V = value * 1000 / *table.density;
        slack = std::abs(V) * kDerivedSlack;
        break;
    }
    if (!(V >= -slack && V <= vessel.Vt + slack)) {
        return {TargetRangeMessage, 0};
    }

    const double Di = vessel.geometry.Di;
    const double R = Di / 2;
    const auto reaches = [&](double Hn) { return VolumeAt(vessel, Hn) >= V - slack; };

    // The volume rises from 0 up to just below the centre line, steps back there (the half
    // volume and everything above are reckoned from the rounded Vt) and rises again up to Vt.
    // So: the lower half first, then the centre line, then the upper half, then Di.
    const double top = WholeBelow(Di);
    if (const auto lower = FirstReaching(0, WholeBelow(R), reaches)) {
        return {{}, *lower};
    }
    if (R == std::floor(R) && reaches(R)) {
        return {{}, R};
    }
    if (const auto upper = FirstReaching(std::floor(R) + 1, top, reaches)) {
        return {{}, *upper};
    }
    return {{}, Di};
}

LevelOutcome LevelFor(const LevelTable& table, Target target, std::string_view text,
                      const NumberLocale& locale) {
    if (target == Target::Mass && !table.density) {
        return {MassNeedsDensityMessage, 0};
    }
    if (text.empty()) {
        return {EmptyFieldMessage, 0};
    }
    const NumberRead read = ReadNumber(text, locale);
    if (const std::string_view warning = ReadWarning(read.status); !warning.empty()) {
        return {warning, 0};
    }
    return LevelFor(table, target, read.value);
}

} // namespace calc
