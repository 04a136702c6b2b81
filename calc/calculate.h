#pragma once

// What the Calculate button does: from the five field texts as typed to either the two-line text
// of the result label or a warning for the user. Never throws; every input of five texts gives an
// outcome whose numbers are finite.

#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "calc/vessel.h"

namespace calc {

// The field texts in UTF-8, exactly as typed, in millimetres: shell length seam to seam, outer
// diameter, wall thickness, straight-flange height of the heads, liquid level.
struct FieldTexts {
    std::string L, D, Delta, Hs, H;
};

enum class OutcomeKind { Result, Warning };

struct CalcOutcome {
    OutcomeKind kind;
    std::string labelText; // result: two lines separated by a carriage return; warning: the prefix
    std::string message;   // the warning's message; empty for a result
};

inline constexpr std::string_view ResultPrefix = "容器内液体总体积：";
inline constexpr std::string_view TotalPrefix = "卧式容器总容积为：";
inline constexpr std::string_view VolumeUnit = "m3";
inline constexpr std::string_view LineBreak = "\r";

inline constexpr std::string_view WarningTitle = "错误提示";
inline constexpr std::string_view EmptyFieldMessage = "输入值不能为空!";
inline constexpr std::string_view InnerDiameterMessage = "容器内径不能小于0!";
inline constexpr std::string_view LevelRangeMessage = "输入值不在有效范围之内!";
inline constexpr std::string_view NotANumberMessage = "输入值必须为数字!";
inline constexpr std::string_view OutOfRangeMessage = "输入值超出计算范围!";
inline constexpr std::string_view NegativeMessage = "输入值不能为负数!";

// The warning for a field that did not read as a number: NotANumberMessage or OutOfRangeMessage;
// empty for ReadStatus::Ok.
std::string_view ReadWarning(ReadStatus status);

// A vessel as its four dimension fields describe it: its geometry and total capacity Vt in m3,
// rounded to 0.001.
struct Vessel {
    VesselGeometry geometry;
    double Vt;
};

// A vessel read from its dimension fields, or the warning that stopped the reading.
struct VesselOutcome {
    std::string_view warning; // one of the messages above; empty when the vessel was read
    Vessel vessel;
};

// Reads the dimension texts as the calculator does, each check ending with a warning: a text is
// empty; then, in the order D, Delta, Hs, L, a text is not a number or too large, or Delta, Hs or
// L is below zero; the inner diameter is not positive; the capacity leaves the double range.
VesselOutcome ReadVessel(std::string_view L, std::string_view D, std::string_view Delta,
                         std::string_view Hs, const NumberLocale& locale);

// The liquid volume in m3 at level Hn (mm), as the calculator shows it.
struct VolumeOutcome {
    std::string_view warning; // the level is outside 0..Di, or the volume is lost to the double
                              // range or its precision (below 0 or above Vt)
    double Vl;
};
VolumeOutcome VolumeAtLevel(const Vessel& vessel, double Hn);

// Checks, in this order, each ending the calculation with a warning: a field is empty; the vessel
// cannot be read (ReadVessel); the level is not a number or too large; the level is outside 0..Di;
// the liquid volume leaves the double range or its precision. Numbers are read and written with the
// locale's separator. No result shows a negative volume.
CalcOutcome Calculate(const FieldTexts& fields, const NumberLocale& locale);

} // namespace calc
