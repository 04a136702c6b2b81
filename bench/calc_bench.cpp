// Speed of the calculation behind one click, per regime and per warning, and of the number
// conversions alone.

#include <benchmark/benchmark.h>

#include "calc/calculate.h"

namespace {

const calc::NumberLocale kPoint{"."};

void BM_Calculate(benchmark::State& state, calc::FieldTexts fields) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::Calculate(fields, kPoint));
    }
}

BENCHMARK_CAPTURE(BM_Calculate, lower, calc::FieldTexts{"5000", "2020", "10", "25", "500"});
BENCHMARK_CAPTURE(BM_Calculate, half, calc::FieldTexts{"5000", "2020", "10", "25", "1000"});
BENCHMARK_CAPTURE(BM_Calculate, upper, calc::FieldTexts{"5000", "2020", "10", "25", "1500"});
BENCHMARK_CAPTURE(BM_Calculate, full, calc::FieldTexts{"5000", "2020", "10", "25", "2000"});
BENCHMARK_CAPTURE(BM_Calculate, empty_field, calc::FieldTexts{"5000", "", "10", "25", "500"});
BENCHMARK_CAPTURE(BM_Calculate, not_a_number,
                  calc::FieldTexts{"5000", "2020mm", "10", "25", "500"});
BENCHMARK_CAPTURE(BM_Calculate, inner_diameter, calc::FieldTexts{"5000", "20", "10", "25", "500"});
BENCHMARK_CAPTURE(BM_Calculate, level_range, calc::FieldTexts{"5000", "2020", "10", "25", "2001"});
BENCHMARK_CAPTURE(BM_Calculate, out_of_range, calc::FieldTexts{"5000", "1e200", "10", "25", "500"});

void BM_ReadNumber(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::ReadNumber("1999.999", kPoint));
    }
}
BENCHMARK(BM_ReadNumber);

void BM_NumberToText(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::NumberToText(14.521, kPoint));
    }
}
BENCHMARK(BM_NumberToText);

} // namespace

BENCHMARK_MAIN();
