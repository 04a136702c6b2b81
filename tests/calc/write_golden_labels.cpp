// Writes tests/calc/golden_labels.inc: inputs with the exact outcome Calculate gives for them on
// Linux, which cross_platform_test.cpp checks on every platform, Windows included. Run it after a
// change that is meant to change results, from the repository root, on Linux:
//   build/dev/tests/write_golden_labels fuzz/corpus > tests/calc/golden_labels.inc
//
// The inputs: every fuzz corpus file (a separator line, then the five fields); random vessels
// from everyday sizes to absurd ones; and vessels where the C library's arctangent and power
// would show another volume than the program's own portable ones, the cases where platforms
// drift apart first.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "calc/calculate.h"
#include "calc/vessel.h"

namespace {

struct Case {
    std::string separator, L, D, Delta, Hs, H;
};

bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80       ? 1
                              : lead >> 5 == 6  ? 2
                              : lead >> 4 == 14 ? 3
                              : lead >> 3 == 30 ? 4
                                                : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

// A C++ string literal of the text: UTF-8 as it stands, so that the Chinese texts stay readable;
// control characters, quotes and the bytes of broken UTF-8 as octal escapes.
std::string Literal(const std::string& text) {
    const bool utf8 = IsUtf8(text);
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 0x20 && u < 0x7f && c != '"' && c != '\\' && c != '?') || (u >= 0x80 && utf8)) {
            out += c;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", u);
            out += buf;
        }
    }
    return out + "\"";
}

Case FromCorpus(const std::string& input) {
    std::vector<std::string> lines(6);
    std::size_t line = 0;
    for (const char c : input) {
        if (c == '\n') {
            if (++line == lines.size()) {
                break;
            }
        } else {
            lines[line] += c;
        }
    }
    return {lines[0] == "," ? "," : ".", lines[1], lines[2], lines[3], lines[4], lines[5]};
}

// The layer volume as the C library would give it: std::atan and std::pow.
double LibrarySegment(const calc::VesselGeometry& g, double y) {
    const double Di = g.Di;
    const double s = std::sqrt((Di - y) * y);
    const double alpha = std::atan((2 * s) / (Di - 2 * y));
    const double V1 = ((std::pow(Di, 2) * g.Lt) * alpha) / 4;
    const double V2 = (((Di - 2 * y) * g.Lt) * s) / 2;
    const double V3 = ((3 * Di - 2 * y) * (std::pow(y, 2) * ((g.h2 + g.h1) * 3.14))) / (Di * 6);
    return ((V1 - V2) + V3) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    std::vector<Case> cases;
    std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(argv[1]), {});
    std::ranges::sort(files);
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        cases.push_back(FromCorpus({std::istreambuf_iterator<char>(in), {}}));
    }

    const calc::NumberLocale point{"."};
    auto text = [&](double x) { return calc::NumberToText(x, point); };
    std::mt19937_64 gen(20261211);
    auto unit = [&] { return static_cast<double>(gen() >> 11) * 0x1p-53; };
    int drifting = 0;
    for (int i = 0; drifting < 100 || i < 400; ++i) {
        // Even draws: everyday vessels in tenths of a millimetre; odd: up to 1000 km across.
        const bool everyday = i % 2 == 0;
        const double D = everyday ? std::round((100 + unit() * 9900) * 10) / 10
                                  : std::round(std::exp(std::log(1e5) + unit() * std::log(1e4)));
        const double Delta = everyday ? std::round(unit() * 1000) / 10 : std::round(unit() * 100);
        const double L = everyday ? std::round(unit() * 300000) / 10 : std::round(unit() * 1e9);
        const double Hs = everyday ? std::round(unit() * 1000) / 10 : std::round(unit() * 100);
        const calc::VesselGeometry g = calc::MakeGeometry(D, Delta, L, Hs);
        const double H = std::round(unit() * g.Di * 10) / 10;
        const Case c{".", text(L), text(D), text(Delta), text(Hs), text(H)};
        if (i < 400) {
            cases.push_back(c);
            continue;
        }
        if (H >= g.Di / 2 || drifting >= 100) {
            continue;
        }
        const double library = calc::RoundTo3(LibrarySegment(g, H));
        const double own = calc::LiquidVolume(g, calc::TotalCapacity(g), H, calc::Regime::Lower);
        if (text(library) != text(own)) {
            cases.push_back(c);
            ++drifting;
        }
    }

    std::printf("// Written by write_golden_labels from the fuzz corpus and random vessels: each\n"
                "// row is separator, L, D, Delta, Hs, H, then the label text and the message.\n");
    for (const Case& c : cases) {
        const calc::CalcOutcome out =
            calc::Calculate({c.L, c.D, c.Delta, c.Hs, c.H}, calc::NumberLocale{c.separator});
        std::printf("{%s, %s, %s, %s, %s, %s, %s, %s},\n", Literal(c.separator).c_str(),
                    Literal(c.L).c_str(), Literal(c.D).c_str(), Literal(c.Delta).c_str(),
                    Literal(c.Hs).c_str(), Literal(c.H).c_str(), Literal(out.labelText).c_str(),
                    Literal(out.message).c_str());
    }
    return 0;
}
