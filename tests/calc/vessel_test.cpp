#include "calc/vessel.h"

#include "calc/number_text.h"

#include <gtest/gtest.h>

namespace {

using calc::Regime;

// D 2020, Delta 10, L 5000, Hs 25: Di 2000, Lt 5050, heads 500 deep, Vt 17.950333... m3.
const calc::VesselGeometry kReference = calc::MakeGeometry(2020, 10, 5000, 25);

TEST(VesselGeometry, DerivesInnerDimensions) {
    EXPECT_EQ(kReference.Di, 2000);
    EXPECT_EQ(kReference.Lt, 5050);
    EXPECT_EQ(kReference.h1, 500);
    EXPECT_EQ(kReference.h2, 500);
    // 1000.3 - 2 * 0.1 is 1000.0999999999999 in doubles; the vessel is 1000.1 across.
    EXPECT_EQ(calc::MakeGeometry(1000.3, 0.1, 0, 0).Di, 1000.1);
}

TEST(VesselVolume, CapacityBreakdown) {
    // Cylinder 2000^2 * 3.14 * 5050 / 4 mm3; heads 1000^2 * 12.56 * 500 / 3 mm3.
    EXPECT_DOUBLE_EQ(calc::CylinderCapacity(kReference), 15.857);
    EXPECT_DOUBLE_EQ(calc::HeadsCapacity(kReference), 6.28 / 3);
    const auto headsOnly = calc::MakeGeometry(1000, 0, 0, 0);
    EXPECT_EQ(calc::CylinderCapacity(headsOnly), 0);
    EXPECT_EQ(calc::RoundTo3(calc::HeadsCapacity(headsOnly)), calc::TotalCapacity(headsOnly));
}

TEST(VesselVolume, ReferenceVesselAtEveryRegime) {
    const double Vt = calc::TotalCapacity(kReference);
    ASSERT_EQ(Vt, 17.95);
    struct Row {
        double Hn;
        Regime regime;
        double Vl;
    };
    // Around the centre line the volume jumps 8.979, 8.975, 8.971: the sector term uses the exact
    // angle while the half and total volumes use 3.14 for pi.
    const Row rows[] = {
        {0, Regime::Lower, 0},         {0.5, Regime::Lower, 0},
        {500, Regime::Lower, 3.429},   {999.999, Regime::Lower, 8.979},
        {1000, Regime::Half, 8.975},   {1000.001, Regime::Upper, 8.971},
        {1500, Regime::Upper, 14.521}, {1999.999, Regime::Upper, 17.95},
        {2000, Regime::Full, 17.95},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Hn);
        EXPECT_EQ(calc::LiquidVolume(kReference, Vt, row.Hn, row.regime), row.Vl);
    }
    EXPECT_DOUBLE_EQ(calc::SegmentVolume(kReference, 0.5), 0.00010684779736807664);
    EXPECT_EQ(calc::SegmentVolume(kReference, 0), 0);
}

TEST(VesselVolume, OtherVessels) {
    const auto medium = calc::MakeGeometry(1612, 6, 6000, 40);
    EXPECT_EQ(medium.Di, 1600);
    EXPECT_EQ(medium.Lt, 6080);
    const double mediumVt = calc::TotalCapacity(medium);
    EXPECT_EQ(mediumVt, 13.29);
    EXPECT_EQ(calc::LiquidVolume(medium, mediumVt, 800, Regime::Half), 6.645);

    // No shell and no flanges: the two heads alone.
    const auto headsOnly = calc::MakeGeometry(1000, 0, 0, 0);
    const double headsVt = calc::TotalCapacity(headsOnly);
    EXPECT_EQ(headsVt, 0.262);
    EXPECT_EQ(calc::LiquidVolume(headsOnly, headsVt, 250, Regime::Lower), 0.041);
}

TEST(VesselVolume, NegativeLengthsFollowTheFormulas) {
    // A negative shell length is not rejected: the cylinder terms simply turn negative.
    const auto g = calc::MakeGeometry(2020, 10, -6000, 25);
    EXPECT_EQ(g.Lt, -5950);
    const double Vt = calc::TotalCapacity(g);
    EXPECT_LT(Vt, 0);
    EXPECT_LT(calc::LiquidVolume(g, Vt, 500, Regime::Lower), 0);
}

} // namespace
