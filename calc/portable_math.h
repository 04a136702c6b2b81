#pragma once

// Elementary functions whose results are the same to the last bit on every platform, so that a
// vessel gives the same shown volumes on Linux and on Windows: the C libraries' own functions may
// differ in the last bit (glibc's and MinGW's arctangents do for about 2 % of arguments).
// Only IEEE double arithmetic is used, which every platform rounds alike.

namespace calc {

// The arctangent of x in radians, within one unit in the last place of the exact value; odd,
// monotonic, and atan(+-inf) = +-pi/2. NaN gives NaN.
double Atan(double x);

} // namespace calc
