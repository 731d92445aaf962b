// Readings (ふりがな) for the program's Japanese texts.
//
// Two tables lie behind them (tools/readings): the grade in which each
// kanji is taught (the 2020 学年別漢字配当表, from KANJIDIC) and the reading
// of every kanji word the program writes. A text is cut into the longest
// words of the table, left to right; a kanji the table has no word for is
// left without a reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// kanjiGrade: the school grade (1..6) in which the kanji c is taught; 0 for
// a kanji taught later (中学校) and for any other character.
int kanjiGrade(char32_t c);

// A piece of a text: `reading` (hiragana) goes over `text` as ruby; an
// empty reading leaves the piece plain.
struct RubyPiece {
    std::string text;
    std::string reading;
    friend bool operator==(const RubyPiece&, const RubyPiece&) = default;
};

// rubyPieces: `utf8` cut into pieces whose concatenation is the text (any
// invalid byte dropped), each word with a kanji beyond `throughGrade`
// carrying its reading over its kanji alone: 見える gives 見(み) and える.
//   throughGrade  the last grade whose kanji a reader knows: 4 for a 4th
//                 grader (a word with 惑 gets ruby, 金星 does not), 0 for a
//                 reading over every kanji word
// A kanji right after a digit is read as a counter where the table has one
// (12日 にち, 3時間 じかん).
std::vector<RubyPiece> rubyPieces(std::string_view utf8, int throughGrade);

}  // namespace catalog
