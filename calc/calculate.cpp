#include "calc/calculate.h"

#include <cmath>
#include <optional>

#include "calc/vessel.h"

namespace calc {
namespace {

CalcOutcome Warn(std::string_view message) {
    return {OutcomeKind::Warning, std::string(ResultPrefix), std::string(message)};
}

std::optional<std::string_view> ReadFailure(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
        return std::nullopt;
    case ReadStatus::NotANumber:
        return NotANumberMessage;
    case ReadStatus::OutOfRange:
        break;
    }
    return OutOfRangeMessage;
}

std::optional<Regime> RegimeOf(double Hn, double Di) {
    const double R = Di / 2;
    if (Hn >= 0 && Hn < R) {
        return Regime::Lower;
    }
    if (Hn == R) {
        return Regime::Half;
    }
    if (Hn > R && Hn < Di) {
        return Regime::Upper;
    }
    if (Hn == Di) {
        return Regime::Full;
    }
    return std::nullopt;
}

} // namespace

CalcOutcome Calculate(const FieldTexts& fields, const NumberLocale& locale) {
    if (fields.L.empty() || fields.D.empty() || fields.Delta.empty() || fields.Hs.empty() ||
        fields.H.empty()) {
        return Warn(EmptyFieldMessage);
    }

    // The dimensions are read in this order, so the first bad one decides the warning.
    double D = 0;
    double Delta = 0;
    double Hs = 0;
    double L = 0;
    struct Dimension {
        const std::string& text;
        double& value;
    };
    for (const Dimension& dim : {Dimension{fields.D, D}, Dimension{fields.Delta, Delta},
                                 Dimension{fields.Hs, Hs}, Dimension{fields.L, L}}) {
        const NumberRead read = ReadNumber(dim.text, locale);
        if (auto failure = ReadFailure(read.status)) {
            return Warn(*failure);
        }
        dim.value = read.value;
    }
    const VesselGeometry g = MakeGeometry(D, Delta, L, Hs);
    if (!std::isfinite(g.Di) || !std::isfinite(g.Lt)) {
        return Warn(OutOfRangeMessage);
    }

    if (!(g.Di > 0)) {
        return Warn(InnerDiameterMessage);
    }

    const double Vt = TotalCapacity(g);
    if (!std::isfinite(Vt)) {
        return Warn(OutOfRangeMessage);
    }

    const NumberRead Hn = ReadNumber(fields.H, locale);
    if (auto failure = ReadFailure(Hn.status)) {
        return Warn(*failure);
    }
    const std::optional<Regime> regime = RegimeOf(Hn.value, g.Di);
    if (!regime) {
        return Warn(LevelRangeMessage);
    }

    const double Vl = LiquidVolume(g, Vt, Hn.value, *regime);
    if (!std::isfinite(Vl)) {
        return Warn(OutOfRangeMessage);
    }

    std::string label(ResultPrefix);
    label += NumberToText(Vl, locale);
    label += VolumeUnit;
    label += LineBreak;
    label += TotalPrefix;
    label += NumberToText(Vt, locale);
    label += VolumeUnit;
    return {OutcomeKind::Result, std::move(label), {}};
}

} // namespace calc
