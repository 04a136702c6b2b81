#include "calc/level_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using calc::LevelFor;
using calc::MakeLevelTable;
using calc::NumberLocale;
using calc::TableInputs;
using calc::Target;

const NumberLocale kPoint{"."};
const NumberLocale kComma{","};

const TableInputs kReference{"5000", "2020", "10", "25", "10", ""};

calc::LevelTable Made(const TableInputs& inputs, const NumberLocale& locale = kPoint) {
    const calc::TableOutcome made = MakeLevelTable(inputs, locale);
    EXPECT_EQ(made.warning, "");
    return made.table;
}

// What the calculator's first line shows for a level typed into H.
std::string CalculatorLine(const TableInputs& in, double level, const NumberLocale& locale) {
    const calc::CalcOutcome out =
        calc::Calculate({in.L, in.D, in.Delta, in.Hs, calc::NumberToText(level, locale)}, locale);
    return out.labelText.substr(0, out.labelText.find('\r'));
}

struct VesselCase {
    const char* name;
    TableInputs inputs;
    const NumberLocale* locale;
    double Di;
};

TEST(LevelTable, EveryRowShowsWhatTheCalculatorShows) {
    const VesselCase cases[] = {
        {"reference, step 10", kReference, &kPoint, 2000},
        {"reference, step 7: Di is no multiple",
         {"5000", "2020", "10", "25", "7", ""},
         &kPoint,
         2000},
        {"reference, step 0.25 across the centre line",
         {"5000", "2020", "10", "25", "0.25", "850"},
         &kPoint,
         2000},
        {"medium vessel, comma", {"6000", "1612", "6", "40", "2,5", "1000"}, &kComma, 1600},
        {"heads only", {"0", "1000", "0", "0", "0.5", ""}, &kPoint, 1000},
        {"Di 1000.1 from doubles that give 1000.0999999999999",
         {"3000", "1000.3", "0.1", "20", "10", ""},
         &kPoint,
         1000.1},
        {"huge vessel, levels and volumes in exponent form",
         {"1e20", "1e17", "0", "0", "1e16", ""},
         &kPoint,
         1e17},
        {"odd Di, comma", {"4500,5", "1999,5", "0", "12,5", "3,3", ""}, &kComma, 1999.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::LevelTable table = Made(c.inputs, *c.locale);
        ASSERT_GE(table.rows.size(), 2U);
        const calc::NumberRead step = calc::ReadNumber(c.inputs.step, *c.locale);
        for (std::size_t k = 0; k < table.rows.size(); ++k) {
            const calc::TableRow& row = table.rows[k];
            const bool last = k + 1 == table.rows.size();
            const double level =
                last ? c.Di : calc::RoundTo15Digits(static_cast<double>(k) * step.value);
            ASSERT_EQ(row.level, level) << k;
            ASSERT_EQ("容器内液体总体积：" + calc::NumberToText(row.volume, *c.locale) + "m3",
                      CalculatorLine(c.inputs, row.level, *c.locale))
                << row.level;
            ASSERT_TRUE(row.percent >= 0 && row.percent <= 100) << row.level;
        }
        // The rows below Di end within one step of it.
        EXPECT_LT(table.rows[table.rows.size() - 2].level, c.Di);
        EXPECT_GE(table.rows[table.rows.size() - 2].level + step.value, c.Di);
        EXPECT_EQ(table.rows.back().volume, table.vessel.Vt);
        EXPECT_EQ(table.rows.back().percent, 100);
    }
}

TEST(LevelTable, ReferenceRowsPercentMassAndBreakdown) {
    TableInputs in = kReference;
    in.step = "500";
    in.density = "850";
    const calc::LevelTable table = Made(in);
    struct Row {
        double level, volume, percent, mass;
    };
    const Row expected[] = {{0, 0, 0, 0},
                            {500, 3.429, 19.10, 2.915}, // 3.429 * 0.85 = 2.91465
                            {1000, 8.975, 50, 7.629},   // 7.62875, a hair below in doubles
                            {1500, 14.521, 80.90, 12.343},
                            {2000, 17.95, 100, 15.258}};
    ASSERT_EQ(table.rows.size(), std::size(expected));
    for (std::size_t k = 0; k < table.rows.size(); ++k) {
        SCOPED_TRACE(expected[k].level);
        EXPECT_EQ(table.rows[k].level, expected[k].level);
        EXPECT_EQ(table.rows[k].volume, expected[k].volume);
        EXPECT_EQ(table.rows[k].percent, expected[k].percent);
        EXPECT_EQ(table.rows[k].mass, expected[k].mass);
    }
    EXPECT_EQ(table.vessel.geometry.Di, 2000);
    EXPECT_EQ(table.vessel.Vt, 17.95);
    EXPECT_DOUBLE_EQ(table.cylinderVolume, 15.857);
    EXPECT_DOUBLE_EQ(table.headsVolume, 6.28 / 3);
    EXPECT_EQ(table.step, 500);
    EXPECT_EQ(table.density, 850);
    EXPECT_EQ(table.dimensions.L, 5000);
    EXPECT_EQ(table.dimensions.D, 2020);
    EXPECT_EQ(table.dimensions.Delta, 10);
    EXPECT_EQ(table.dimensions.Hs, 25);
}

TEST(LevelTable, LevelsAreTheNumbersAPersonTypes) {
    TableInputs in = kReference;
    in.step = "0.1";
    const calc::LevelTable table = Made(in);
    EXPECT_EQ(table.rows[3].level, 0.3); // 3 * 0.1 is 0.30000000000000004 in doubles
    EXPECT_EQ(calc::NumberToText(table.rows[3].level, kPoint), "0.3");
    EXPECT_EQ(table.rows.size(), 20001U);
}

TEST(LevelTable, CentreLineStepsBack) {
    TableInputs in = kReference;
    in.step = "0.25";
    const calc::LevelTable table = Made(in);
    ASSERT_EQ(table.rows[4000].level, 1000);
    EXPECT_EQ(table.rows[4000].volume, 8.975);
    EXPECT_GT(table.rows[3999].volume, table.rows[4000].volume);
    EXPECT_GT(table.rows[4000].volume, table.rows[4001].volume);
}

TEST(LevelTable, ZeroCapacityGivesNoPercentageOfIt) {
    // 1 mm across: every volume, and the capacity, rounds to 0 m3.
    const calc::LevelTable table = Made({"0", "1", "0", "0", "0.5", ""});
    ASSERT_EQ(table.vessel.Vt, 0);
    for (const auto& row : table.rows) {
        EXPECT_EQ(row.percent, 0);
    }
    EXPECT_EQ(LevelFor(table, Target::Percent, 50).level, 0);
}

TEST(LevelTable, Warnings) {
    struct Case {
        const char* name;
        TableInputs inputs;
        std::string_view warning;
    };
    const Case cases[] = {
        {"empty shell length", {"", "2020", "10", "25", "0", "0"}, calc::EmptyFieldMessage},
        {"diameter not a number", {"5000", "2020mm", "10", "25", "0", ""}, calc::NotANumberMessage},
        {"negative wall", {"5000", "2020", "-10", "25", "0", ""}, calc::NegativeMessage},
        {"no inner diameter", {"5000", "20", "10", "25", "10", ""}, calc::InnerDiameterMessage},
        {"empty step", {"5000", "2020", "10", "25", "", ""}, calc::EmptyFieldMessage},
        {"zero step", {"5000", "2020", "10", "25", "0", "0"}, calc::StepMessage},
        {"negative step", {"5000", "2020", "10", "25", "-10", ""}, calc::StepMessage},
        {"step not a number", {"5000", "2020", "10", "25", "10mm", ""}, calc::NotANumberMessage},
        {"step too large", {"5000", "2020", "10", "25", "1e400", ""}, calc::OutOfRangeMessage},
        {"zero density", {"5000", "2020", "10", "25", "10", "0"}, calc::DensityMessage},
        {"density not a number", {"5000", "2020", "10", "25", "10", "水"}, calc::NotANumberMessage},
        {"density too large for the masses",
         {"5000", "2020", "10", "25", "10", "1e308"},
         calc::OutOfRangeMessage},
        {"100,001 rows", {"0", "100000", "0", "0", "1", ""}, calc::TooManyRowsMessage},
        {"rows beyond counting",
         {"5000", "2020", "10", "25", "1e-300", ""},
         calc::TooManyRowsMessage},
        {"0.02 mm: 100,000 levels below Di and Di",
         {"5000", "2020", "10", "25", "0.02", ""},
         calc::TooManyRowsMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::TableOutcome out = MakeLevelTable(c.inputs, kPoint);
        EXPECT_EQ(out.warning, c.warning);
        EXPECT_TRUE(out.table.rows.empty());
    }
    // At the limit: levels 0 .. 99998 and Di 99999.
    const calc::TableOutcome full = MakeLevelTable({"0", "99999", "0", "0", "1", ""}, kPoint);
    EXPECT_EQ(full.warning, "");
    EXPECT_EQ(full.table.rows.size(), calc::MaxTableRows);
}

// The inverse by its definition: every whole millimetre below Di, then Di.
double LevelByScan(const calc::LevelTable& table, double V) {
    const double Di = table.vessel.geometry.Di;
    for (double Hn = 0; Hn < Di; ++Hn) {
        if (calc::VolumeAtLevel(table.vessel, Hn).Vl >= V) {
            return Hn;
        }
    }
    return Di;
}

TEST(LevelTable, InverseMatchesTheDefinition) {
    const TableInputs vessels[] = {
        kReference,
        {"6000", "1612", "6", "40", "100", ""},     // Di 1600
        {"3000", "1000.3", "0.1", "20", "100", ""}, // Di 1000.1: no whole-mm centre line
        {"2500", "1503", "0", "0", "100", ""},      // Di 1503: centre 751.5
        {"0", "1000", "0", "0", "100", ""},         // heads only
    };
    for (const auto& in : vessels) {
        SCOPED_TRACE(in.D);
        const calc::LevelTable table = Made(in);
        std::vector<double> targets = {0, table.vessel.Vt, table.vessel.Vt - 0.001,
                                       calc::RoundTo3(table.vessel.Vt / 2)};
        for (const auto& row : table.rows) {
            for (const double d : {0.0, -0.0005, 0.0005, -0.001, 0.001}) {
                targets.push_back(row.volume + d);
            }
        }
        // Every volume across the centre line, where the table steps back.
        const double half = calc::RoundTo3(table.vessel.Vt / 2);
        for (int i = -12; i <= 12; ++i) {
            targets.push_back(calc::RoundTo3(half + 0.001 * i));
        }
        for (const double V : targets) {
            if (V < 0 || V > table.vessel.Vt) {
                continue;
            }
            const calc::LevelOutcome found = LevelFor(table, Target::Volume, V);
            ASSERT_EQ(found.warning, "") << V;
            ASSERT_EQ(found.level, LevelByScan(table, V)) << V;
        }
    }
}

TEST(LevelTable, InverseBeyondWholeMillimetres) {
    // Di 1e17: doubles there are 16 apart, and Di - 1 is Di.
    const calc::LevelTable table = Made({"1e20", "1e17", "0", "0", "1e16", ""});
    const double Di = table.vessel.geometry.Di;
    for (const double percent : {0.0, 30.0, 50.0, 70.0, 100.0}) {
        SCOPED_TRACE(percent);
        const calc::LevelOutcome found = LevelFor(table, Target::Percent, percent);
        ASSERT_EQ(found.warning, "");
        ASSERT_TRUE(found.level >= 0 && found.level <= Di);
        EXPECT_GE(calc::VolumeAtLevel(table.vessel, found.level).Vl,
                  percent / 100 * table.vessel.Vt * (1 - 1e-12));
    }
}

TEST(LevelTable, InverseOnTheReferenceVessel) {
    TableInputs in = kReference;
    in.density = "850";
    const calc::LevelTable table = Made(in);
    struct Case {
        Target target;
        std::string text;
        const NumberLocale* locale;
        double level;
    };
    const Case cases[] = {
        {Target::Volume, "0", &kPoint, 0},
        {Target::Volume, "8.975", &kPoint, 1000},
        {Target::Volume, "8.976", &kPoint, 1001}, // past the centre line's step back
        {Target::Volume, "8,976", &kComma, 1001},
        {Target::Volume, "3.429", &kPoint, 500},
        {Target::Volume, "3.4291", &kPoint, 501},
        {Target::Percent, "50", &kPoint, 1000},
        {Target::Percent, "100", &kPoint, LevelByScan(table, 17.95)},
        {Target::Percent, "90", &kPoint, LevelByScan(table, 16.155)},
        {Target::Percent, "85", &kPoint, LevelByScan(table, 15.2575)},
        {Target::Mass, "7.6296", &kPoint, 1001},                        // 8.976 m3 at 850 kg/m3
        {Target::Mass, "13.7309", &kPoint, LevelByScan(table, 16.154)}, // 16.154 m3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const calc::LevelOutcome found = LevelFor(table, c.target, c.text, *c.locale);
        EXPECT_EQ(found.warning, "");
        EXPECT_EQ(found.level, c.level);
    }
    // 90 % of 17.95 m3 is 16.155 m3, although 0.9 * 17.95 is not 16.155 in doubles.
    EXPECT_EQ(LevelFor(table, Target::Percent, 90).level,
              LevelFor(table, Target::Volume, 16.155).level);
}

TEST(LevelTable, InverseWarnings) {
    const calc::LevelTable table = Made(kReference); // no density
    struct Case {
        Target target;
        std::string text;
        std::string_view warning;
    };
    const Case cases[] = {
        {Target::Volume, "-0.001", calc::TargetRangeMessage},
        {Target::Volume, "17.951", calc::TargetRangeMessage},
        {Target::Percent, "100.01", calc::TargetRangeMessage},
        {Target::Percent, "-1", calc::TargetRangeMessage},
        {Target::Mass, "1", calc::MassNeedsDensityMessage},
        {Target::Volume, "", calc::EmptyFieldMessage},
        {Target::Volume, "1m3", calc::NotANumberMessage},
        {Target::Volume, "1e999", calc::OutOfRangeMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LevelFor(table, c.target, c.text, kPoint).warning, c.warning);
    }
    EXPECT_EQ(LevelFor(table, Target::Volume, std::nan("")).warning, calc::NotANumberMessage);
    EXPECT_EQ(LevelFor(table, Target::Volume, -0.0).level, 0);
}

} // namespace
