#include "calc/portable_math.h"

#include <array>
#include <cmath>

// The arctangent follows the method of fdlibm's s_atan.c:
// Copyright (C) 1993 by Sun Microsystems, Inc. All rights reserved.
// Developed at SunPro, a Sun Microsystems, Inc. business.
// Permission to use, copy, modify, and distribute this software is freely granted, provided that
// this notice is preserved.

namespace calc {
namespace {

// atan of the reduction points 0.5, 1, 1.5 and infinity, each as a high part and the low part
// that the double of the high part leaves out.
constexpr std::array<double, 4> kAtanHigh = {
    4.63647609000806093515e-01, // atan(0.5)
    7.85398163397448278999e-01, // atan(1)
    9.82793723247329054082e-01, // atan(1.5)
    1.57079632679489655800e+00, // atan(inf)
};
constexpr std::array<double, 4> kAtanLow = {
    2.26987774529616870924e-17,
    3.06161699786838301793e-17,
    1.39033110312309984516e-17,
    6.12323399573676603587e-17,
};

// Odd polynomial approximating atan(x) / x - 1 on |x| <= 7/16, in x^2.
constexpr std::array<double, 11> kAtanPoly = {
    3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
    -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
    6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
    -3.65315727442169155270e-02, 1.62858201153657823623e-02,
};

} // namespace

double Atan(double x) {
    if (std::isnan(x)) {
        return x;
    }
    const bool negative = std::signbit(x);
    double a = std::abs(x);
    if (a >= 0x1p66) {
        const double halfPi = kAtanHigh[3] + kAtanLow[3];
        return negative ? -halfPi : halfPi;
    }
    if (a < 0x1p-27) {
        return x; // atan(x) rounds to x itself
    }
    // Reduce |x| to |t| <= 7/16 with atan(|x|) = atan(c) + atan(t) for c in 0, 0.5, 1, 1.5, inf.
    int reduction = -1;
    if (a < 0.4375) {
        reduction = -1;
    } else if (a < 0.6875) {
        reduction = 0;
        a = (2.0 * a - 1.0) / (2.0 + a);
    } else if (a < 1.1875) {
        reduction = 1;
        a = (a - 1.0) / (a + 1.0);
    } else if (a < 2.4375) {
        reduction = 2;
        a = (a - 1.5) / (1.0 + 1.5 * a);
    } else {
        reduction = 3;
        a = -1.0 / a;
    }
    // The polynomial in two halves, even and odd powers of z = a^2, evaluated in this order.
    const double z = a * a;
    const double w = z * z;
    const auto& p = kAtanPoly;
    const double s1 = z * (p[0] + w * (p[2] + w * (p[4] + w * (p[6] + w * (p[8] + w * p[10])))));
    const double s2 = w * (p[1] + w * (p[3] + w * (p[5] + w * (p[7] + w * p[9]))));
    double result = 0;
    if (reduction < 0) {
        result = a - a * (s1 + s2);
    } else {
        const auto i = static_cast<std::size_t>(reduction);
        result = kAtanHigh[i] - ((a * (s1 + s2) - kAtanLow[i]) - a);
    }
    return negative ? -result : result;
}

} // namespace calc
