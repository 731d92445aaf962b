#include "catalog/readings.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "catalog/csv.h"
#include "catalog/embedded.h"
#include "catalog/utf8.h"

namespace catalog {

namespace {

bool isKanji(char32_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == U'々' || c == U'〆';
}

bool isDigit(char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９'); }

char32_t toHiragana(char32_t c) { return c >= U'ァ' && c <= U'ヶ' ? c - 0x60 : c; }

struct Tables {
    std::unordered_map<char32_t, int> grades;
    std::unordered_map<std::u32string, std::u32string> words;     // kanji words, with their okurigana
    std::unordered_map<std::u32string, std::u32string> counters;  // read so after a digit
    std::unordered_set<char32_t> kanaLeads;                         // first kana of a word led by kana (1つ分)
    std::size_t longest = 1;                                        // code points
};

const Tables& tables() {
    static const Tables t = [] {
        Tables t;
        const CsvParseResult grades = parseCsv(embedded::kanjiGradesCsv());
        for (std::size_t r = 1; r < grades.records.size(); ++r) {
            const CsvRecord& row = grades.records[r];
            const std::u32string k = decodeUtf8All(row.size() == 2 ? row[0] : "");
            const std::optional<int> g = row.size() == 2 ? parseInt(row[1]) : std::nullopt;
            if (k.size() == 1 && g) t.grades[k[0]] = *g;
        }
        const CsvParseResult words = parseCsv(embedded::wordReadingsCsv());
        for (std::size_t r = 1; r < words.records.size(); ++r) {
            const CsvRecord& row = words.records[r];
            if (row.size() != 2) continue;
            std::u32string word = decodeUtf8All(row[0]);
            const bool counter = !word.empty() && word[0] == U'~';
            if (counter) word.erase(0, 1);
            if (word.empty()) continue;
            t.longest = std::max(t.longest, word.size());
            if (!isKanji(word[0])) t.kanaLeads.insert(word[0]);
            (counter ? t.counters : t.words)[word] = decodeUtf8All(row[1]);
        }
        return t;
    }();
    return t;
}

// The reading of `word` laid over its kanji: each run of kanji gets the
// part of the reading up to the kana that follow it in the word. Nothing
// when the reading does not hold the word's kana in order.
std::optional<std::vector<RubyPiece>> alignReading(std::u32string_view word, std::u32string_view reading) {
    std::vector<RubyPiece> out;
    std::size_t w = 0, r = 0;
    while (w < word.size()) {
        std::size_t end = w;
        const bool kanji = isKanji(word[w]);
        while (end < word.size() && isKanji(word[end]) == kanji) ++end;
        const std::u32string_view run = word.substr(w, end - w);
        if (!kanji) {
            // The kana stand in the reading as they are (katakana read as hiragana).
            for (const char32_t c : run)
                if (r >= reading.size() || toHiragana(reading[r++]) != toHiragana(c)) return std::nullopt;
            out.push_back({encodeUtf8(run), ""});
        } else {
            std::size_t readEnd = reading.size();
            if (end < word.size()) {
                // The next kana of the word, found after at least one reading kana.
                const char32_t next = toHiragana(word[end]);
                readEnd = r + 1;
                while (readEnd < reading.size() && toHiragana(reading[readEnd]) != next) ++readEnd;
            }
            if (readEnd <= r || readEnd > reading.size() || (end < word.size() && readEnd == reading.size()))
                return std::nullopt;
            out.push_back({encodeUtf8(run), encodeUtf8(reading.substr(r, readEnd - r))});
            r = readEnd;
        }
        w = end;
    }
    if (r != reading.size()) return std::nullopt;
    return out;
}

// The reading of a counter whose sound changes with the number before it:
// 分 is ぷん after 1, 3, 4, 6, 8 and 0 (1分 いっぷん, 10分 じゅっぷん); the days
// of a month that are not read -にち (1日 ついたち, 20日 はつか) are read with
// their number, `digitsTaken` digits of it. Empty for the table's reading.
std::u32string counterReading(const std::u32string& text, std::size_t at, std::u32string_view word,
                              const std::u32string& reading, std::size_t& digitsTaken) {
    digitsTaken = 0;
    const char32_t last = text[at - 1];
    if (word == U"分") return std::u32string(U"013468").find(last) != std::u32string::npos ? U"ぷん" : U"ふん";
    if (word.empty() || word[0] != U'日' || reading.rfind(U"にち", 0) != 0) return {};
    std::size_t start = at;
    while (start > 0 && text[start - 1] >= U'0' && text[start - 1] <= U'9') --start;
    if (start > 0 && (text[start - 1] == U'.' || isDigit(text[start - 1]))) return {};  // 1.5日, full-width digits
    const std::u32string digits = text.substr(start, at - start);
    static const std::pair<std::u32string_view, std::u32string_view> kDays[] = {
        {U"1", U"ついたち"}, {U"2", U"ふつか"}, {U"3", U"みっか"},   {U"4", U"よっか"},   {U"5", U"いつか"},
        {U"6", U"むいか"},   {U"7", U"なのか"}, {U"8", U"ようか"},   {U"9", U"ここのか"}, {U"10", U"とおか"},
        {U"14", U"じゅうよっか"}, {U"20", U"はつか"}, {U"24", U"にじゅうよっか"}};
    for (const auto& [number, day] : kDays)
        if (digits == number) {
            digitsTaken = digits.size();
            return std::u32string(day) + reading.substr(2);
        }
    return {};
}

}  // namespace

int kanjiGrade(char32_t c) {
    const auto& grades = tables().grades;
    const auto it = grades.find(c);
    return it == grades.end() ? 0 : it->second;
}

std::vector<RubyPiece> rubyPieces(std::string_view utf8, int throughGrade) {
    const Tables& t = tables();
    const std::u32string text = decodeUtf8All(utf8);
    std::vector<RubyPiece> out;
    std::u32string plain;
    const auto flushPlain = [&] {
        if (!plain.empty()) out.push_back({encodeUtf8(plain), ""});
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        if (!isKanji(text[i]) && !t.kanaLeads.contains(text[i])) {
            plain += text[i++];
            continue;
        }
        // The longest word of the table here; a counter after a digit first.
        const std::u32string_view rest = std::u32string_view(text).substr(i);
        const std::u32string* reading = nullptr;
        std::size_t length = 0;
        bool counter = false;
        const bool afterDigit = i > 0 && isDigit(text[i - 1]);
        for (const auto* table : {afterDigit ? &t.counters : nullptr, &t.words}) {
            if (table == nullptr) continue;
            for (std::size_t n = std::min(t.longest, rest.size()); n > 0 && reading == nullptr; --n) {
                const auto it = table->find(std::u32string(rest.substr(0, n)));
                if (it != table->end()) reading = &it->second, length = n, counter = table == &t.counters;
            }
            if (reading != nullptr) break;
        }
        if (reading == nullptr) {
            plain += text[i++];
            continue;
        }
        const std::u32string_view word = rest.substr(0, length);
        std::u32string counted;  // a counter's reading that depends on the number
        std::size_t digitsTaken = 0;
        if (counter) counted = counterReading(text, i, word, *reading, digitsTaken);
        const bool known = std::all_of(word.begin(), word.end(), [&](char32_t c) {
            if (!isKanji(c) || c == U'々') return true;
            const int g = kanjiGrade(c);
            return g >= 1 && g <= throughGrade;
        });
        std::optional<std::vector<RubyPiece>> pieces;
        if (!known && !counted.empty()) {
            // The number read with its counter (1日 ついたち) goes under the ruby too.
            const std::u32string numbered = plain.substr(plain.size() - digitsTaken) + std::u32string(word);
            plain.resize(plain.size() - digitsTaken);
            pieces = std::vector<RubyPiece>{{encodeUtf8(numbered), encodeUtf8(counted)}};
            if (digitsTaken == 0) pieces->front().text = encodeUtf8(word);
        } else if (!known) {
            pieces = alignReading(word, *reading);
        }
        if (!known && !pieces) pieces = std::vector<RubyPiece>{{encodeUtf8(word), encodeUtf8(*reading)}};
        if (!pieces) {
            plain += word;
        } else {
            for (RubyPiece& p : *pieces) {
                if (p.reading.empty()) {
                    plain += decodeUtf8All(p.text);
                } else {
                    flushPlain();
                    out.push_back(std::move(p));
                }
            }
        }
        i += length;
    }
    flushPlain();
    return out;
}

}  // namespace catalog
