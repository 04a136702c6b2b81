#pragma once

// Geometry of a horizontal cylindrical vessel closed by two standard elliptical heads, whose depth
// is a quarter of the inner diameter. Lengths are millimetres, volumes cubic metres. Pi is taken
// as 3.14 throughout, as in the hand calculations these results are checked against.
// Nothing here validates its arguments; the preconditions below are the caller's to keep, and a
// result that leaves the double range comes back as an infinity or NaN for the caller to test.

namespace calc {

struct VesselGeometry {
    double Di; // inner diameter
    double Lt; // cylindrical length: the shell plus both straight flanges
    double h1; // depth of the elliptical part of the first head
    double h2; // depth of the elliptical part of the second head
};

enum class Regime {
    Lower, // 0 <= Hn < Di/2
    Half,  // Hn == Di/2
    Upper, // Di/2 < Hn < Di
    Full,  // Hn == Di
};

// The inner diameter D - 2*Delta is taken to 15 significant digits, the precision the program
// writes numbers with, so that a level typed as the inner diameter a person works out on paper
// (2000, 1000.1, ...) is that diameter exactly.
VesselGeometry MakeGeometry(double D, double Delta, double L, double Hs);

// The two terms of the total capacity in m3, unrounded: the cylinder of length Lt (the shell with
// both straight flanges), and the two elliptical heads together.
double CylinderCapacity(const VesselGeometry& g);
double HeadsCapacity(const VesselGeometry& g);

// Total capacity Vt, rounded to 0.001 m3: the two terms above, summed in mm3.
double TotalCapacity(const VesselGeometry& g);

// Unrounded volume of the horizontal layer of depth y at the bottom of the vessel (by symmetry,
// also of one at the top), for 0 <= y < Di/2.
double SegmentVolume(const VesselGeometry& g, double y);

// Liquid volume Vl at level Hn, for the regime that Hn falls in; Vt as TotalCapacity gives it.
double LiquidVolume(const VesselGeometry& g, double Vt, double Hn, Regime regime);

} // namespace calc
