#include "app/session/fields.h"

#include "astro/number_text.h"

#include <charconv>
#include <cmath>

namespace app {

astro::SkyFieldsReading readFields(const FieldTexts& t) {
    return astro::readSkyFields(astro::SkyFieldTexts{
        t.text[astro::FieldYear], t.text[astro::FieldMonth], t.text[astro::FieldDay], t.text[astro::FieldHour],
        t.text[astro::FieldMinute], t.text[astro::FieldLat], t.text[astro::FieldLon]});
}

std::string fieldNoteText(const astro::FieldValue& field) {
    const std::string used = decimalText(field.value);
    switch (field.status) {
    case astro::FieldStatus::Number: return {};
    case astro::FieldStatus::NoNumber: return "数値がありません。" + used + " として計算しました。";
    case astro::FieldStatus::NotFinite: return "数値が大きすぎます。" + used + " として計算しました。";
    case astro::FieldStatus::Clamped: return "範囲外の値です。" + used + " として計算しました。";
    }
    return {};
}

std::string decimalText(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0.0) return "0";  // no "-0"
    // The shortest fixed form that reads back to the same double.
    return astro::fixedShortestText(value);
}

}  // namespace app
