#include "calc/vessel.h"

#include <cmath>

#include "calc/number_text.h"
#include "calc/portable_math.h"

namespace calc {
namespace {
constexpr double kPi = 3.14;
constexpr double kFourPi = 12.56;
constexpr double kCubicMillimetresPerCubicMetre = 1e9;

// The capacity's terms in mm3. Vt rounds their sum, not the sum of the terms in m3: the last digit
// of a rounded capacity depends on it.
double CylinderTerm(const VesselGeometry& g) {
    return (((g.Di * g.Di) * kPi) * g.Lt) / 4;
}

double HeadsTerm(const VesselGeometry& g) { // both half-ellipsoids
    const double R = g.Di / 2;
    return (((R * R) * kFourPi) * g.h1) / 3;
}
} // namespace

// The formulas below are evaluated exactly in the order written, left to right within a product:
// the last digit of a rounded volume depends on it. Squares are plain products and the arctangent
// is our own (portable_math.h): both give the same bits on every platform, where pow and atan of
// the C libraries need not.

VesselGeometry MakeGeometry(double D, double Delta, double L, double Hs) {
    const double Di = RoundTo15Digits(D - 2 * Delta);
    return {Di, 2 * Hs + L, Di / 4, Di / 4};
}

double CylinderCapacity(const VesselGeometry& g) {
    return CylinderTerm(g) / kCubicMillimetresPerCubicMetre;
}

double HeadsCapacity(const VesselGeometry& g) {
    return HeadsTerm(g) / kCubicMillimetresPerCubicMetre;
}

double TotalCapacity(const VesselGeometry& g) {
    return RoundTo3((CylinderTerm(g) + HeadsTerm(g)) / kCubicMillimetresPerCubicMetre);
}

double SegmentVolume(const VesselGeometry& g, double y) {
    const double Di = g.Di;
    const double s = std::sqrt((Di - y) * y);          // half the chord at depth y
    const double alpha = Atan((2 * s) / (Di - 2 * y)); // half the segment's central angle
    const double V1 = (((Di * Di) * g.Lt) * alpha) / 4;
    const double V2 = (((Di - 2 * y) * g.Lt) * s) / 2;
    const double V3 = ((3 * Di - 2 * y) * ((y * y) * ((g.h2 + g.h1) * kPi))) / (Di * 6);
    return ((V1 - V2) + V3) / kCubicMillimetresPerCubicMetre;
}

double LiquidVolume(const VesselGeometry& g, double Vt, double Hn, Regime regime) {
    switch (regime) {
    case Regime::Lower:
        return RoundTo3(SegmentVolume(g, Hn));
    case Regime::Half:
        return RoundTo3(Vt / 2);
    case Regime::Upper: {
        const double E = g.Di - Hn; // depth of the gas space above the liquid
        const double Vg = SegmentVolume(g, E);
        return RoundTo3(Vt - Vg);
    }
    case Regime::Full:
        break;
    }
    return Vt;
}

} // namespace calc
