// Fuzzes the reading of the seven entry fields (year, month, day, hour,
// minute, latitude, longitude). The input is the seven texts separated by
// NUL bytes. Whatever is typed, the numbers handed to the computation are
// finite and inside what the fields hold, every sky value computed from them
// is finite, and a number written back into a field reads as itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/session/fields.h"
#include "astro/astro.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_fields: %s\n", what);
    std::abort();
}

bool isFinite(double v) { return std::isfinite(v); }

void checkSkyFinite(const astro::SkyState& s) {
    const double scalars[] = {s.jdUt,     s.jcent,     s.utDay,  s.utHours, s.siderealTimeHours, s.sunLonDeg,
                              s.sunDistAu, s.nutLonDeg,   s.obliquityDeg, s.sinObl, s.cosObl,    s.moonIllum,
                              s.moonLimbAngleDeg};
    for (double v : scalars)
        if (!isFinite(v)) fail("non-finite value in the sky state");
    for (int i = 0; i < astro::kBodyCount; ++i) {
        if (!isFinite(s.bodyRaHours[i]) || !isFinite(s.bodyDecDeg[i]) || !isFinite(s.bodyAltDeg[i]) || !isFinite(s.bodyAzDeg[i]))
            fail("non-finite body position");
        if (s.bodyAltDeg[i] < -90.0 || s.bodyAltDeg[i] > 90.0) fail("altitude outside [-90, 90]");
        if (s.bodyAzDeg[i] < 0.0 || s.bodyAzDeg[i] >= 360.0) fail("azimuth outside [0, 360)");
    }
    if (s.moonIllum < 0.0 || s.moonIllum > 1.0) fail("Moon's lit fraction outside [0, 1]");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    app::FieldTexts texts;
    int field = 0;
    for (std::size_t i = 0; i < size && field < astro::kSkyFieldCount; ++i) {
        if (data[i] == 0)
            ++field;
        else
            texts.text[field].push_back(static_cast<char>(data[i]));
    }

    const astro::SkyFieldsReading r = app::readFields(texts);
    const astro::SkyInput& in = r.input;
    if (!isFinite(in.day) || !isFinite(in.hour) || !isFinite(in.minute) || !isFinite(in.latDeg) || !isFinite(in.lonDeg))
        fail("non-finite number handed to the computation");
    if (in.year < -32768 || in.year > 32767 || in.month < -32768 || in.month > 32767)
        fail("year or month outside the 16-bit range");
    for (const astro::FieldValue& n : r.fields) {
        if (!isFinite(n.value)) fail("non-finite used value");
        if (n.status == astro::FieldStatus::Number && !app::fieldNoteText(n).empty()) fail("note text for a clean field");
        if (n.status != astro::FieldStatus::Number && app::fieldNoteText(n).empty()) fail("no note text for a replaced value");
    }

    // A value shown back in a field reads as the same number.
    for (double v : {in.day, in.hour, in.minute, in.latDeg, in.lonDeg}) {
        app::FieldTexts one;
        one.text[astro::FieldLat] = app::decimalText(v);
        const astro::SkyFieldsReading back = app::readFields(one);
        if (back.fields[astro::FieldLat].status == astro::FieldStatus::Number && back.input.latDeg != v)
            fail("decimalText does not read back as the same number");
    }

    checkSkyFinite(astro::computeSky(in));
    return 0;
}
