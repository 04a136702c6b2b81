// Speed of the calculation behind one click, per regime and per warning, and of the number
// conversions alone.

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

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

// The least one calculation must do, to compare Calculate with: read five short numbers, take the
// square root, arctangent and square of one layer, and write two results to 15 digits.
void BM_Floor(benchmark::State& state) {
    const std::array<std::string_view, 5> fields = {"5000", "2020", "10", "25", "500"};
    for (auto _ : state) {
        std::array<double, 5> v{};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            std::string_view f = fields[i];
            benchmark::DoNotOptimize(f);
            std::from_chars(f.data(), f.data() + f.size(), v[i]);
        }
        const double Di = v[1] - 2 * v[2];
        const double y = v[4];
        const double s = std::sqrt((Di - y) * y);
        const double layer = std::pow(Di, 2) * std::atan((2 * s) / (Di - 2 * y));
        std::array<char, 32> buf{};
        benchmark::DoNotOptimize(std::to_chars(buf.data(), buf.data() + buf.size(), layer / 1e9,
                                               std::chars_format::scientific, 14));
        benchmark::DoNotOptimize(std::to_chars(buf.data(), buf.data() + buf.size(), s + v[0],
                                               std::chars_format::scientific, 14));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor);

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
