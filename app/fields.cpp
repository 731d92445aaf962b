#include "app/fields.h"

#include <charconv>
#include <cmath>

#include "astro/field_text.h"

namespace app {

FieldReading readFields(const FieldTexts& t) {
    const astro::SkyFieldsReading r = astro::readSkyFields(astro::SkyFieldTexts{
        t.text[Year], t.text[Month], t.text[Day], t.text[Hour], t.text[Minute], t.text[Lat], t.text[Lon]});
    FieldReading out;
    out.input = r.input;
    for (int f = 0; f < kFieldCount; ++f) {
        const astro::FieldValue& v = r.fields[static_cast<std::size_t>(f)];
        FieldNote& n = out.notes[static_cast<std::size_t>(f)];
        n.usedValue = v.value;
        switch (v.status) {
        case astro::FieldStatus::Number: n.issue = FieldIssue::None; break;
        case astro::FieldStatus::NoNumber: n.issue = FieldIssue::NoNumber; break;
        case astro::FieldStatus::Clamped: n.issue = FieldIssue::OutOfRange; break;
        case astro::FieldStatus::NotFinite: n.issue = FieldIssue::NotFinite; break;
        }
    }
    return out;
}

std::string fieldNoteText(const FieldNote& note) {
    const std::string used = decimalText(note.usedValue);
    switch (note.issue) {
    case FieldIssue::None: return {};
    case FieldIssue::NoNumber: return "数値がありません。" + used + " として計算しました。";
    case FieldIssue::NotFinite: return "数値が大きすぎます。" + used + " として計算しました。";
    case FieldIssue::OutOfRange: return "範囲外の値です。" + used + " として計算しました。";
    }
    return {};
}

std::string decimalText(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0.0) return "0";  // no "-0"
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (res.ec != std::errc{}) return "0";
    return std::string(buf, res.ptr);
}

}  // namespace app
