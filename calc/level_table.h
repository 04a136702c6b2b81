#pragma once

// The level-to-volume table (容量表) of a vessel and its inverse: for each level, the liquid
// volume exactly as the calculator shows it for that level, its fill percentage and, given the
// liquid's density, its mass. Lengths in mm, volumes in m3, density in kg/m3, masses in tonnes.
// Failures are warnings (Chinese texts, as the calculator's), never exceptions.
// Added since the interface was first agreed, names and meanings above unchanged:
// MassNeedsDensityMessage, VesselDimensions and LevelTable::dimensions.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate.h"

namespace calc {

inline constexpr std::string_view StepMessage = "液位间隔必须大于0!";
inline constexpr std::string_view DensityMessage = "介质密度必须大于0!";
inline constexpr std::string_view TooManyRowsMessage = "液位间隔太小，容量表不能超过100000行!";
inline constexpr std::string_view TargetRangeMessage = "查询值超出容器容量范围!";
inline constexpr std::string_view MassNeedsDensityMessage = "按质量反查液位需要介质密度!";

inline constexpr std::size_t MaxTableRows = 100'000;

// The texts as typed, read as the calculator reads its fields.
struct TableInputs {
    std::string L, D, Delta, Hs; // dimensions, mm
    std::string step = "10";     // level step, mm, > 0
    std::string density;         // kg/m3, > 0; empty for none
};

struct TableRow {
    double level;   // mm: k * step to 15 significant digits, or Di for the last row
    double volume;  // m3: the calculator's liquid volume at this level
    double percent; // 100 * volume / Vt, rounded to 0.01
    double mass;    // t: volume * density / 1000, rounded to 0.001; 0 without a density
};

// The four dimensions as read from their texts, mm.
struct VesselDimensions {
    double L, D, Delta, Hs;
};

struct LevelTable {
    Vessel vessel;                 // geometry (Di, Lt, h1, h2) and Vt
    double cylinderVolume;         // m3: the cylinder with both straight flanges
    double headsVolume;            // m3: the two heads together
    double step;                   // mm
    std::optional<double> density; // kg/m3
    std::vector<TableRow> rows;    // levels 0, step, 2*step, ... below Di, then Di
    VesselDimensions dimensions;   // as typed, for a table's header
};

struct TableOutcome {
    std::string_view warning; // empty when the table was made
    LevelTable table;
};

// Checks the dimensions as ReadVessel does, then the step, then the density, then the number of
// rows (at most MaxTableRows). An empty step is EmptyFieldMessage; a step or density that is not
// a number or too large gets the calculator's NotANumberMessage or OutOfRangeMessage. With a
// capacity that rounds to 0 every percentage is 0.
TableOutcome MakeLevelTable(const TableInputs& inputs, const NumberLocale& locale);

enum class Target { Volume, Percent, Mass };

struct LevelOutcome {
    std::string_view warning; // not a number, below 0 or above the capacity, mass without density
    double level;             // mm
};

// The lowest level, among the whole millimetres below Di and Di itself, at which the table's
// volume is at least the target: a volume in m3, a fill percentage, or a mass in tonnes (which
// needs the table's density). Found by bisection on each half of the vessel, not by a scan.
// A percentage or mass becomes a volume through double arithmetic, so a volume short of that
// target by at most a relative 1e-12 still reaches it: 90 % of 17.95 m3 finds 16.155 m3. The text
// form reads the value as the calculator reads a field.
LevelOutcome LevelFor(const LevelTable& table, Target target, double value);
LevelOutcome LevelFor(const LevelTable& table, Target target, std::string_view text,
                      const NumberLocale& locale);

} // namespace calc
