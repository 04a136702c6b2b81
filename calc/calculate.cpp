#include "calc/calculate.h"

#include <cmath>
#include <optional>

namespace calc {
namespace {

CalcOutcome Warn(std::string_view message) {
    return {OutcomeKind::Warning, std::string(ResultPrefix), std::string(message)};
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

std::string_view ReadWarning(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
        return {};
    case ReadStatus::NotANumber:
        return NotANumberMessage;
    case ReadStatus::OutOfRange:
        break;
    }
    return OutOfRangeMessage;
}

VesselOutcome ReadVessel(std::string_view L, std::string_view D, std::string_view Delta,
                         std::string_view Hs, const NumberLocale& locale) {
    VesselOutcome out{{}, {}};
    if (L.empty() || D.empty() || Delta.empty() || Hs.empty()) {
        out.warning = EmptyFieldMessage;
        return out;
    }

    // The dimensions are read in this order, so the first bad one decides the warning. The outer
    // diameter has a test of its own, on the inner diameter it gives.
    struct Dimension {
        std::string_view text;
        bool mayBeNegative;
        double value;
    };
    Dimension dims[] = {{D, true, 0}, {Delta, false, 0}, {Hs, false, 0}, {L, false, 0}};
    for (Dimension& dim : dims) {
        const NumberRead read = ReadNumber(dim.text, locale);
        out.warning = ReadWarning(read.status);
        if (out.warning.empty() && !dim.mayBeNegative && read.value < 0) {
            out.warning = NegativeMessage;
        }
        if (!out.warning.empty()) {
            return out;
        }
        dim.value = read.value;
    }
    const VesselGeometry g =
        MakeGeometry(dims[0].value, dims[1].value, dims[3].value, dims[2].value);
    if (!std::isfinite(g.Di) || !std::isfinite(g.Lt)) {
        out.warning = OutOfRangeMessage;
    } else if (!(g.Di > 0)) {
        out.warning = InnerDiameterMessage;
    } else {
        out.vessel = {g, TotalCapacity(g)};
        if (!std::isfinite(out.vessel.Vt)) {
            out.warning = OutOfRangeMessage;
        }
    }
    return out;
}

VolumeOutcome VolumeAtLevel(const Vessel& vessel, double Hn) {
    const std::optional<Regime> regime = RegimeOf(Hn, vessel.geometry.Di);
    if (!regime) {
        return {LevelRangeMessage, 0};
    }
    const double Vl = LiquidVolume(vessel.geometry, vessel.Vt, Hn, *regime);
    // Beyond the double range, or so far beyond any real vessel (a diameter of 1e47 mm, say) that
    // the layer's terms cancel to nothing but rounding error: a volume below zero or above the
    // capacity is no answer to show.
    if (!(Vl >= 0 && Vl <= vessel.Vt)) {
        return {OutOfRangeMessage, 0};
    }
    return {{}, Vl};
}

CalcOutcome Calculate(const FieldTexts& fields, const NumberLocale& locale) {
    if (fields.L.empty() || fields.D.empty() || fields.Delta.empty() || fields.Hs.empty() ||
        fields.H.empty()) {
        return Warn(EmptyFieldMessage);
    }
    const VesselOutcome read = ReadVessel(fields.L, fields.D, fields.Delta, fields.Hs, locale);
    if (!read.warning.empty()) {
        return Warn(read.warning);
    }

    const NumberRead Hn = ReadNumber(fields.H, locale);
    if (const std::string_view failure = ReadWarning(Hn.status); !failure.empty()) {
        return Warn(failure);
    }
    const VolumeOutcome volume = VolumeAtLevel(read.vessel, Hn.value);
    if (!volume.warning.empty()) {
        return Warn(volume.warning);
    }

    std::string label;
    label.reserve(96);
    label += ResultPrefix;
    label += NumberToText(volume.Vl, locale);
    label += VolumeUnit;
    label += LineBreak;
    label += TotalPrefix;
    label += NumberToText(read.vessel.Vt, locale);
    label += VolumeUnit;
    return {OutcomeKind::Result, std::move(label), {}};
}

} // namespace calc
