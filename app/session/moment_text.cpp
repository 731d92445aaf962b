#include "app/session/moment_text.h"

#include <cmath>

#include "app/session/fields.h"
#include "app/session/time_step.h"
#include "view/finder.h"

namespace app {

namespace {

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string degreesText(double v, const char* positive, const char* negative) {
    return std::string(v < 0 ? negative : positive) + " " + decimalText(std::fabs(v)) + "°";
}

}  // namespace

std::optional<astro::CivilMinute> shownMinute(const astro::SkyInput& in) {
    return advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, 0);
}

std::string civilMinuteText(const astro::CivilMinute& m) {
    return std::to_string(m.year) + "年" + std::to_string(m.month) + "月" + std::to_string(m.day) + "日 " +
           two(m.hour) + ":" + two(m.minute);
}

std::string statusText(const astro::SkyInput& input, const std::string& placeName, int trailMinutes,
                       const LocalZone& zone) {
    const std::optional<astro::CivilMinute> m = shownMinute(input);
    if (!m) return "日時を読めません";
    std::string name = placeName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    if (name.empty()) name = "入力した場所";
    std::string when = civilMinuteText(*m);
    if (trailMinutes > 0) {
        // The span of the trails; the sky is drawn at its end.
        if (const auto end = advanceMinutes(m->year, m->month, m->day, m->hour, m->minute, trailMinutes)) {
            const bool sameDay = end->year == m->year && end->month == m->month && end->day == m->day;
            when += "〜" + (sameDay ? two(end->hour) + ":" + two(end->minute) : civilMinuteText(*end));
        }
    }
    std::string text = when + "（日本時間）　" + name + "（" +
                       degreesText(input.latDeg, "北緯", "南緯") + "、" + degreesText(input.lonDeg, "東経", "西経") +
                       "）";
    if (trailMinutes > 0) text += "　軌跡 " + std::to_string(trailMinutes / 60) + " 時間";
    if (!zone.isJapan()) text += "　現地時刻 " + civilMinuteText(localClock(*m, zone));
    return text;
}

std::string pictureFileName(const astro::SkyInput& input, view::Direction dir, std::string_view extension,
                            int trailMinutes) {
    const astro::CivilMinute m = shownMinute(input).value_or(astro::CivilMinute{});
    std::string span;
    if (trailMinutes > 0) {
        // "-1800", or "-20261212-0300" for a span past midnight.
        if (const auto e = advanceMinutes(m.year, m.month, m.day, m.hour, m.minute, trailMinutes)) {
            const bool sameDay = e->year == m.year && e->month == m.month && e->day == m.day;
            span = "-" + (sameDay ? std::string() : std::to_string(e->year) + two(e->month) + two(e->day) + "-") +
                   two(e->hour) + two(e->minute);
        }
    }
    return "sky-" + std::to_string(m.year) + "-" + two(m.month) + "-" + two(m.day) + "-" + two(m.hour) +
           two(m.minute) + span + "-" + view::directionWord(dir) + std::string(extension);
}

std::optional<MissingDay> missingDay(int y, int m, int d) {
    if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    const CivilMinute back = civilFromDayNumber(dayNumber(y, m, d));
    if (back.year == y && back.month == m && back.day == d) return std::nullopt;
    const CivilMinute last = civilFromDayNumber(dayNumber(y, m + 1, 1) - 1);
    return MissingDay{d > last.day, last.day};
}

std::optional<MissingDay> missingDayOf(const astro::SkyInput& in) {
    if (!(in.day == std::floor(in.day))) return std::nullopt;
    return missingDay(in.year, in.month, static_cast<int>(in.day));
}

std::array<std::string, astro::kSkyFieldCount> fieldNotes(const astro::SkyFieldsReading& r) {
    // Month, day, hour and minute outside their calendar ranges still carry
    // (hour 25 is 1 o'clock the next day), but the user is told.
    struct Range {
        int field;
        int lo, hi;
        const char* word;
    };
    constexpr Range kRanges[] = {{astro::FieldMonth, 1, 12, "月"},
                                 {astro::FieldDay, 1, 31, "日"},
                                 {astro::FieldHour, 0, 23, "時"},
                                 {astro::FieldMinute, 0, 59, "分"}};
    const std::optional<astro::CivilMinute> carried = shownMinute(r.input);
    std::array<std::string, astro::kSkyFieldCount> notes;
    for (int f = 0; f < astro::kSkyFieldCount; ++f) {
        const astro::FieldValue& n = r.fields[static_cast<std::size_t>(f)];
        std::string& note = notes[static_cast<std::size_t>(f)];
        note = fieldNoteText(n);
        for (const Range& range : kRanges) {
            if (range.field != f || !note.empty() || (n.value >= range.lo && n.value <= range.hi)) continue;
            note = std::string(range.word) + "は " + std::to_string(range.lo) + "〜" + std::to_string(range.hi) +
                   " の範囲外です。繰り越して " + (carried ? civilMinuteText(*carried) : std::string("読めない日時")) +
                   " として計算しました。";
        }
    }
    // A day the month does not have is not carried into the next month: the
    // window draws nothing for it, as the command line refuses it.
    std::string& dayNote = notes[astro::FieldDay];
    if (dayNote.empty()) {
        if (const std::optional<MissingDay> missing = missingDayOf(r.input)) {
            const std::string month = std::to_string(r.input.year) + "年" + std::to_string(r.input.month) + "月";
            dayNote = missing->pastMonthEnd
                          ? month + "は " + std::to_string(missing->lastDay) + " 日までです。この日はありません。"
                          : std::string("1582年10月5日〜14日はありません（ユリウス暦の4日の次の日がグレゴリオ暦の15日です）。");
        }
    }
    return notes;
}

std::string yearRangeEndNote() {
    return "年は " + std::to_string(kMinYear) + "〜" + std::to_string(kMaxYear) +
           " の範囲までです。これ以上時刻を進められません。";
}

}  // namespace app
