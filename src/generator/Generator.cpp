#include "generator/Generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// effectivePhase × π / 180 for every phase an axis can have (-359..359), formed exactly as
// at run time, so the tick needs no division for it.
constexpr std::array<double, 719> kPhaseRadians = [] {
    std::array<double, 719> table{};
    for (int degrees = -359; degrees <= 359; ++degrees)
        table[std::size_t(degrees + 359)] = degrees * std::numbers::pi / 180;
    return table;
}();

} // namespace

int KyGenerator::effectivePhase() const
{
    double ratio = 1.0;
    if (effectiveSpeed() > partnerSpeed)
        ratio = effectiveSpeed() / partnerSpeed;
    // Truncation toward zero, then the remainder with the sign of the dividend. A partner
    // speed of 0 from a damaged file gives an infinite ratio, which must not reach an
    // integer cast; fmod handles every value beyond the integer range exactly.
    const double degrees = phase + phaseModifier * ratio;
    if (std::fabs(degrees) < 0x1p31)
        return static_cast<std::int32_t>(degrees) % 360;
    const double remainder = std::fmod(std::trunc(degrees), 360.0);
    return std::isfinite(remainder) ? static_cast<int>(remainder) : 0;
}

void KyGenerator::advance(double speedFactor)
{
    constexpr double twoPi = 2 * std::numbers::pi;
    double delta = effectiveSpeed() * speedFactor * 2 * std::numbers::pi * 0.000625;
    angle = direction ? lastAngle + delta : lastAngle - delta;
    if (angle > twoPi)
        angle -= twoPi;
    else if (angle < -twoPi)
        angle += twoPi;
    lastAngle = angle;
}

double KyGenerator::theta() const
{
    double theta = angle + kPhaseRadians[std::size_t(effectivePhase() + 359)];
    if (phaseFlip)
        theta += std::numbers::pi;
    return theta;
}

int KyGenerator::valueFromSine(double sine, int base, bool wide, double amplitudeFactor) const
{
    const double k = wide ? 256 : 1;
    const double top = wide ? 65535 : 255;
    const double value = sine * amplitudeFactor * effectiveAmplitude() * k + base;
    // Truncated toward zero and clamped: below 1 that is 0 (so is a NaN from damaged
    // factors), and the cast of a value inside the range truncates by itself.
    if (!(value >= 1))
        return 0;
    return static_cast<int>(std::min(value, top));
}

bool KyGenerator::sameStoredFields(const KyGenerator& o) const
{
    return enabled == o.enabled && masterDirection == o.masterDirection && speedModifier == o.speedModifier &&
           amplitudeModifier == o.amplitudeModifier && phaseModifier == o.phaseModifier &&
           direction == o.direction && phaseFlip == o.phaseFlip && amplitude == o.amplitude && speed == o.speed &&
           phase == o.phase;
}

bool figureContinues(const KyGenerator& p0, const KyGenerator& t0, const KyGenerator& p1, const KyGenerator& t1)
{
    auto sign = [](const KyGenerator& g) { return 2 * g.direction - 1; };
    auto sameFigure = [](const KyGenerator& a, const KyGenerator& b) {
        return a.enabled == b.enabled && a.amplitude == b.amplitude && a.speed == b.speed && a.phase == b.phase;
    };
    return p0.enabled && t0.enabled && p1.enabled && t1.enabled && sign(p0) * sign(t0) == sign(p1) * sign(t1) &&
           sameFigure(p0, p1) && sameFigure(t0, t1);
}

void writeGenerator(vt::ByteWriter& out, const KyGenerator& g)
{
    out.i32(4);
    out.u8(g.enabled);
    out.u8(g.masterDirection);
    out.i32(g.speedModifier);
    out.i32(g.amplitudeModifier);
    out.i32(g.phaseModifier);
    out.u8(g.direction);
    out.u8(g.phaseFlip);
    out.i32(g.amplitude);
    out.i32(g.speed);
    out.i32(g.phase);
}

GeneratorRead readGenerator(vt::ByteReader& in, KyGenerator& g)
{
    std::int32_t version = 0;
    if (!in.i32(version))
        return GeneratorRead::Truncated;
    if (version < 1 || version > 4)
        return GeneratorRead::UnsupportedVersion;
    KyGenerator r = g;
    if (version <= 2) {
        in.u8(r.enabled);
        in.i32(r.speedModifier);
        in.i32(r.amplitudeModifier);
        in.u8(r.direction);
        in.i32(r.amplitude);
        in.i32(r.speed);
        in.i32(r.phase);
        if (version == 2)
            in.u8(r.masterDirection);
    } else {
        in.u8(r.enabled);
        in.u8(r.masterDirection);
        in.i32(r.speedModifier);
        in.i32(r.amplitudeModifier);
        in.i32(r.phaseModifier);
        in.u8(r.direction);
        if (version == 4)
            in.u8(r.phaseFlip);
        in.i32(r.amplitude);
        in.i32(r.speed);
        in.i32(r.phase);
    }
    if (!in.ok())
        return GeneratorRead::Truncated;
    g = r;
    return GeneratorRead::Ok;
}
