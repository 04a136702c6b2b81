// Properties that must hold for every vessel, checked on random vessels from a fixed generator
// state so that a failure always reproduces.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "calc/calculate.h"
#include "calc/vessel.h"

namespace {

const calc::NumberLocale kPoint{"."};

struct Vessel {
    double D, Delta, Hs, L;
    double Di() const { return calc::MakeGeometry(D, Delta, L, Hs).Di; }
};

// Dimensions in tenths of a millimetre, the way they are measured and typed.
std::vector<Vessel> RandomVessels(int count) {
    std::mt19937_64 gen(20261211);
    auto tenths = [&](double lo, double hi) {
        std::uniform_int_distribution<long> dist(std::lround(lo * 10), std::lround(hi * 10));
        return static_cast<double>(dist(gen)) / 10;
    };
    std::vector<Vessel> vessels;
    while (static_cast<int>(vessels.size()) < count) {
        const Vessel v{tenths(100, 10000), tenths(0, 100), tenths(0, 100), tenths(0, 30000)};
        if (v.Di() > 0) {
            vessels.push_back(v);
        }
    }
    return vessels;
}

std::string Text(double x) {
    return calc::NumberToText(x, kPoint);
}

struct Volumes {
    double Vl, Vt;
};

// The two numbers of a result label, read back as a person would read them.
Volumes Calculate(const Vessel& v, double level) {
    const calc::CalcOutcome out =
        calc::Calculate({Text(v.L), Text(v.D), Text(v.Delta), Text(v.Hs), Text(level)}, kPoint);
    EXPECT_EQ(out.kind, calc::OutcomeKind::Result) << out.message;
    const std::string& label = out.labelText;
    const std::size_t first = calc::ResultPrefix.size();
    const std::size_t firstEnd = label.find(calc::VolumeUnit, first);
    const std::size_t second = label.find(calc::TotalPrefix) + calc::TotalPrefix.size();
    const std::size_t secondEnd = label.find(calc::VolumeUnit, second);
    return {calc::ReadNumber(label.substr(first, firstEnd - first), kPoint).value,
            calc::ReadNumber(label.substr(second, secondEnd - second), kPoint).value};
}

TEST(VesselProperties, LiquidVolumeStaysWithinCapacityAndRisesWithTheLevel) {
    constexpr int kSteps = 400;
    for (const Vessel& v : RandomVessels(40)) {
        const double Di = v.Di();
        const double R = Di / 2;
        SCOPED_TRACE("D " + Text(v.D) + " Delta " + Text(v.Delta) + " Hs " + Text(v.Hs) + " L " +
                     Text(v.L));
        double previous = 0;
        double previousLevel = -1;
        double Vt = 0;
        for (int i = 0; i <= kSteps; ++i) {
            const double level = Di * i / kSteps;
            const Volumes got = Calculate(v, level);
            Vt = got.Vt;
            ASSERT_GE(got.Vl, 0) << "level " << level;
            ASSERT_LE(got.Vl, got.Vt) << "level " << level;
            // The volume rises within the lower and within the upper half; across the centre line
            // it may step back by the difference between pi and 3.14.
            const bool sameHalf = (previousLevel >= 0 && previousLevel < R && level < R) ||
                                  (previousLevel > R && level > R);
            if (sameHalf) {
                ASSERT_GE(got.Vl, previous) << "level " << level;
            }
            previous = got.Vl;
            previousLevel = level;
        }
        EXPECT_EQ(Calculate(v, R).Vl, calc::RoundTo3(Vt / 2));
        EXPECT_EQ(Calculate(v, Di).Vl, Vt);
    }
}

// Volume in mm3 of the layer of depth y at the bottom of the vessel, worked out independently:
// the circular segment's area in closed form along the cylinder, and the two half-ellipsoidal
// heads integrated slice by slice. The heads take pi as 3.14, so their volume is scaled by 3.14/pi.
double LayerVolume(const calc::VesselGeometry& g, double y) {
    const double R = g.Di / 2;
    const double segment = R * R * std::acos((R - y) / R) - (R - y) * std::sqrt(y * (g.Di - y));
    // A slice of both heads at height z is a half ellipse on each side: semi-axes w and w*h/R,
    // with w the half-width of the shell at z.
    auto headsSlice = [&](double z) {
        const double w2 = z * (g.Di - z);
        return std::numbers::pi / 2 * w2 * (g.h1 + g.h2) / R;
    };
    constexpr int kSlices = 2000; // Simpson's rule
    const double step = y / kSlices;
    double sum = headsSlice(0) + headsSlice(y);
    for (int k = 1; k < kSlices; ++k) {
        sum += (k % 2 == 1 ? 4 : 2) * headsSlice(k * step);
    }
    const double heads = sum * step / 3 * (3.14 / std::numbers::pi);
    return g.Lt * segment + heads;
}

TEST(VesselProperties, SegmentVolumeAgreesWithAnIndependentIntegration) {
    for (const Vessel& v : RandomVessels(5)) {
        const calc::VesselGeometry g = calc::MakeGeometry(v.D, v.Delta, v.L, v.Hs);
        const double R = g.Di / 2;
        for (int i = 1; i <= 20; ++i) {
            const double y = R * i / 21;
            const double expected = LayerVolume(g, y) / 1e9;
            EXPECT_NEAR(calc::SegmentVolume(g, y), expected, 1e-9 * expected)
                << "Di " << g.Di << " Lt " << g.Lt << " y " << y;
        }
    }
}

} // namespace
