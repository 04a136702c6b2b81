// Speed of the 容量表: a 1 mm table of a vessel 4000 mm across (4,001 rows) built, written as CSV
// and as an Excel workbook, and the level for a volume found in it.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "calc/level_table.h"
#include "table/table_files.h"

namespace {

const calc::NumberLocale kPoint{"."};
const calc::TableInputs kLarge{"12000", "4024", "12", "40", "1", "850"}; // Di 4000

calc::LevelTable LargeTable() {
    return calc::MakeLevelTable(kLarge, kPoint).table;
}

void BM_MakeLevelTable(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::MakeLevelTable(kLarge, kPoint));
    }
}
BENCHMARK(BM_MakeLevelTable)->Unit(benchmark::kMillisecond);

void BM_WriteCsv(benchmark::State& state) {
    const calc::LevelTable table = LargeTable();
    const auto path = std::filesystem::temp_directory_path() / "velmora-bench.csv";
    for (auto _ : state) {
        benchmark::DoNotOptimize(table::WriteCsv(table, path));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond);

void BM_WriteXlsx(benchmark::State& state) {
    const calc::LevelTable table = LargeTable();
    const auto path = std::filesystem::temp_directory_path() / "velmora-bench.xlsx";
    const table::TableHeader header{"单位", "T-101", "证书", "2024年5月1日"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(table::WriteXlsx(table, header, path));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteXlsx)->Unit(benchmark::kMillisecond);

// Targets on either side of the centre line, and the full vessel.
void BM_LevelFor(benchmark::State& state, calc::Target target, double value) {
    const calc::LevelTable table = LargeTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::LevelFor(table, target, value));
    }
}
BENCHMARK_CAPTURE(BM_LevelFor, volume_lower_half, calc::Target::Volume, 30.0);
BENCHMARK_CAPTURE(BM_LevelFor, percent_90, calc::Target::Percent, 90.0);
BENCHMARK_CAPTURE(BM_LevelFor, mass_upper_half, calc::Target::Mass, 100.0);
BENCHMARK_CAPTURE(BM_LevelFor, percent_100, calc::Target::Percent, 100.0);

} // namespace

BENCHMARK_MAIN();
