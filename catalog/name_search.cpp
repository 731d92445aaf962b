#include "catalog/name_search.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "catalog/utf8.h"

namespace catalog {

namespace {

// --- kana ------------------------------------------------------------------

// Full-width forms of the half-width katakana block U+FF61..U+FF9F, in order.
constexpr std::u32string_view kHalfWidthKana =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(kHalfWidthKana.size() == 0xFF9F - 0xFF61 + 1);

// Kana followed by a voiced or semi-voiced mark, and what they make.
constexpr std::u32string_view kVoiceBase = U"カキクケコサシスセソタチツテトハヒフヘホウワヲ";
constexpr std::u32string_view kVoiced = U"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴヷヺ";
constexpr std::u32string_view kSemiBase = U"ハヒフヘホ";
constexpr std::u32string_view kSemiVoiced = U"パピプペポ";

constexpr char32_t kVoicedMark = U'゛';      // U+309B, and U+3099 combining
constexpr char32_t kSemiVoicedMark = U'゜';  // U+309C, and U+309A combining

char32_t widenOne(char32_t c) {
    if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
    if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFEE0;  // full-width ASCII
    if (c == 0x3000) return U' ';
    if (c == 0x3099) return kVoicedMark;
    if (c == 0x309A) return kSemiVoicedMark;
    if (c >= 0x3041 && c <= 0x3096) return c + 0x60;  // hiragana -> katakana
    if (c == 0x309D || c == 0x309E) return c + 0x60;  // ゝゞ -> ヽヾ
    switch (c) {
    case U'¹': return U'1';
    case U'²': return U'2';
    case U'³': return U'3';
    case U'⁰': return U'0';
    default: break;
    }
    if (c >= U'⁴' && c <= U'⁹') return U'4' + (c - U'⁴');
    return c;
}

char32_t widen(char32_t c) {
    const char32_t w = widenOne(c);
    return (w >= U'A' && w <= U'Z') ? w + 32 : w;
}

bool dropped(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'・' || c == U'·' || c == U'-' || c == U'_' || c == U'.' ||
           c == U'‐' || c == U'−';
}

}  // namespace

std::string foldName(std::string_view utf8) {
    std::u32string folded;
    for (const char32_t raw : decodeUtf8All(utf8)) {
        const char32_t c = widen(raw);
        if ((c == kVoicedMark || c == kSemiVoicedMark) && !folded.empty()) {
            const std::u32string_view base = c == kVoicedMark ? kVoiceBase : kSemiBase;
            const std::u32string_view made = c == kVoicedMark ? kVoiced : kSemiVoiced;
            const std::size_t k = base.find(folded.back());
            if (k != std::u32string_view::npos) {
                folded.back() = made[k];
                continue;
            }
        }
        if (dropped(c)) continue;
        folded.push_back(c);
    }
    std::string out;
    for (const char32_t c : folded) encodeUtf8(c, out);
    return out;
}

namespace {

struct GreekLetter {
    const char* letter;
    const char* name;
};
constexpr GreekLetter kGreek[] = {
    {"α", "alpha"}, {"β", "beta"}, {"γ", "gamma"}, {"δ", "delta"}, {"ε", "epsilon"}, {"ζ", "zeta"},
    {"η", "eta"}, {"θ", "theta"}, {"ι", "iota"}, {"κ", "kappa"}, {"λ", "lambda"}, {"μ", "mu"},
    {"ν", "nu"}, {"ξ", "xi"}, {"ο", "omicron"}, {"π", "pi"}, {"ρ", "rho"}, {"σ", "sigma"},
    {"τ", "tau"}, {"υ", "upsilon"}, {"φ", "phi"}, {"χ", "chi"}, {"ψ", "psi"}, {"ω", "omega"},
};

// Kana readings of the bodies' kanji names, so a reading typed without
// conversion finds them too.
constexpr const char* kBodyReadings[9] = {"たいよう", "つき",   "きんせい",     "かせい",      "もくせい",
                                          "どせい",   "すいせい", "てんのうせい", "かいおうせい"};
// How bright each is at its brightest, for ranking names that begin alike.
constexpr float kBodyMag[9] = {-26.7f, -12.7f, -4.4f, -1.5f, -2.5f, 0.5f, -0.5f, 5.7f, 7.8f};

int kindOrder(NameKind k) { return static_cast<int>(k); }

bool better(const NameEntry& a, const NameEntry& b) {
    if (a.rankMag != b.rankMag) return a.rankMag < b.rankMag;
    if (kindOrder(a.target.kind) != kindOrder(b.target.kind)) return kindOrder(a.target.kind) < kindOrder(b.target.kind);
    return a.target.id < b.target.id;
}

}  // namespace

int brightestStarOf(const Catalogue& cat, int iauConstellation) {
    if (iauConstellation < 1 || static_cast<std::size_t>(iauConstellation) >= cat.iauConstellations.size()) return 0;
    const std::string& abbrev = cat.iauConstellations[static_cast<std::size_t>(iauConstellation)].abbrev;
    int best = 0;
    for (std::size_t k = 1; k < cat.stars.size(); ++k) {
        if (cat.stars[k].constellation == abbrev && (best == 0 || cat.stars[k].mag < cat.stars[static_cast<std::size_t>(best)].mag)) {
            best = static_cast<int>(k);
        }
    }
    return best;
}

NameIndex::NameIndex(const Catalogue& cat) {
    auto add = [&](const std::string& text, NameTarget target, float mag, bool designation = false) {
        std::string key = foldName(text);
        if (!key.empty()) entries_.push_back({std::move(key), text, target, mag, designation});
    };
    // A designation in Japanese is offered as "おおいぬ座 α星" and matched
    // without the closing 星 (find() strips it from the query too).
    auto addJa = [&](const std::string& keyText, const std::string& text, NameTarget target, float mag) {
        std::string key = foldName(keyText);
        if (!key.empty()) entries_.push_back({std::move(key), text, target, mag, true});
    };
    for (int b = 0; b < 9; ++b) {
        add(kBodyNames[b], {NameKind::Body, b}, kBodyMag[b]);
        add(kBodyReadings[b], {NameKind::Body, b}, kBodyMag[b]);
    }
    for (const StarName& n : cat.starNames) {
        add(n.name, {NameKind::Star, n.row}, static_cast<float>(cat.stars[static_cast<std::size_t>(n.row)].mag));
    }
    for (std::size_t k = 1; k < cat.starLabel.size() && k < cat.stars.size(); ++k) {
        if (!cat.starLabel[k].empty()) add(cat.starLabel[k], {NameKind::Star, static_cast<int>(k)}, static_cast<float>(cat.stars[k].mag));
    }
    for (std::size_t c = 1; c < cat.iauConstellations.size(); ++c) {
        const ConstellationName& n = cat.iauConstellations[c];
        const int star = brightestStarOf(cat, static_cast<int>(c));
        const float mag = star > 0 ? static_cast<float>(cat.stars[static_cast<std::size_t>(star)].mag) : 6.0f;
        // A constellation ranks just after its own brightest star.
        add(n.name, {NameKind::Constellation, static_cast<int>(c)}, mag + 0.001f);
    }
    for (std::size_t a = 1; a < cat.asterisms.size(); ++a) {
        const Asterism& p = cat.asterisms[a];
        float mag = 6.0f;
        for (const int row : p.rows) mag = std::min(mag, static_cast<float>(cat.stars[static_cast<std::size_t>(row)].mag));
        add(p.name, {NameKind::Asterism, static_cast<int>(a)}, mag + 0.002f);
        add(p.reading, {NameKind::Asterism, static_cast<int>(a)}, mag + 0.002f);
    }
    for (std::size_t d = 1; d < cat.deepSky.size(); ++d) {
        const DeepSkyObject& o = cat.deepSky[d];
        const NameTarget t{NameKind::DeepSky, static_cast<int>(d)};
        add(o.name, t, static_cast<float>(o.mag));
        add(o.reading, t, static_cast<float>(o.mag));
        add(o.id, t, static_cast<float>(o.mag), true);
    }
    for (std::size_t k = 1; k < cat.stars.size(); ++k) {
        const Star& s = cat.stars[k];
        const NameTarget t{NameKind::Star, static_cast<int>(k)};
        const auto mag = static_cast<float>(s.mag);
        const int c = findIauConstellation(cat, s.constellation);
        const std::string ja = c > 0 ? cat.iauConstellations[static_cast<std::size_t>(c)].name : std::string();
        const std::string jaText = starDesignationJa(cat, static_cast<int>(k));
        if (!s.bayer.empty()) {
            add(starDesignation(cat, static_cast<int>(k)), t, mag, true);
            if (!ja.empty()) addJa(ja + s.bayer, jaText, t, mag);
            // The letter alone also finds a component ("α Cen": the brighter
            // of α¹ and α² wins), and the letter may be spelled out.
            std::string letter = s.bayer;
            while (!letter.empty() && letter.back() >= '0' && letter.back() <= '9') letter.pop_back();
            const std::string digits = s.bayer.substr(letter.size());
            if (!digits.empty()) {
                add(letter + " " + s.constellation, t, mag, true);
                if (!ja.empty()) addJa(ja + letter, ja + " " + letter + "星", t, mag);
            }
            for (const GreekLetter& g : kGreek) {
                if (letter != g.letter) continue;
                add(std::string(g.name) + digits + " " + s.constellation, t, mag, true);
                if (!digits.empty()) add(std::string(g.name) + " " + s.constellation, t, mag, true);
            }
        }
        if (s.flamsteed > 0) {
            add(std::to_string(s.flamsteed) + " " + s.constellation, t, mag, true);
            if (!ja.empty()) addJa(ja + std::to_string(s.flamsteed), ja + " " + std::to_string(s.flamsteed) + "番星", t, mag);
        }
        if (s.hr > 0) add("HR " + std::to_string(s.hr), t, mag, true);
    }
    // What Japanese users type besides: a constellation in kana, ざ for 座
    // (おりおんざ) or without it (オリオン), and the aliases of the table (English names, 七夕 names,
    // variants), each standing for the object its name already finds.
    const std::size_t named = entries_.size();
    for (const auto& [alias, name] : cat.nameAliases) {
        const std::string key = foldName(name);
        for (std::size_t i = 0; i < named; ++i) {
            if (entries_[i].key != key) continue;
            const NameEntry e = entries_[i];
            add(alias, e.target, e.rankMag);
            break;
        }
    }
    static const std::string kZa = "座";
    for (std::size_t i = 0, n = entries_.size(); i < n; ++i) {
        const NameEntry e = entries_[i];
        if (e.target.kind == NameKind::Constellation && e.text.size() > kZa.size() &&
            e.text.compare(e.text.size() - kZa.size(), kZa.size(), kZa) == 0) {
            // おりおんざ, and オリオン or さそり as people say them.
            add(e.text.substr(0, e.text.size() - kZa.size()) + "ざ", e.target, e.rankMag);
            add(e.text.substr(0, e.text.size() - kZa.size()), e.target, e.rankMag);
        }
    }
}

std::vector<NameTarget> NameIndex::find(std::string_view query) const {
    const std::string key = foldName(query);
    if (key.empty()) return {};
    // Also accept "オリオン座α星" and "オリオン座58番星" for the entries
    // without the suffix.
    std::string bare = key;
    for (const std::string_view suffix : {std::string_view("番星"), std::string_view("星")}) {
        if (bare.size() > suffix.size() && bare.ends_with(suffix) && bare.find("座") != std::string::npos) {
            bare.resize(bare.size() - suffix.size());
            break;
        }
    }
    std::vector<const NameEntry*> fits;
    for (const NameEntry& e : entries_) {
        if (e.key == key || e.key == bare) fits.push_back(&e);
    }
    std::sort(fits.begin(), fits.end(), [](const NameEntry* a, const NameEntry* b) { return better(*a, *b); });
    std::vector<NameTarget> out;
    for (const NameEntry* e : fits) {
        if (std::find(out.begin(), out.end(), e->target) == out.end()) out.push_back(e->target);
    }
    return out;
}

std::vector<std::string> NameIndex::candidates(std::string_view query, std::size_t limit) const {
    const std::string key = foldName(query);
    std::vector<std::string> out;
    if (key.empty()) return out;
    for (const NameEntry* e : complete(query, limit * 4)) {
        if (out.size() >= limit) break;
        if (e->key.starts_with(key) && e->key != key) out.push_back(e->text);
    }
    return out;
}

std::vector<const NameEntry*> NameIndex::complete(std::string_view query, std::size_t limit) const {
    const std::string key = foldName(query);
    std::vector<const NameEntry*> prefix, inside;
    if (key.empty()) return {};
    for (const NameEntry& e : entries_) {
        if (e.key.starts_with(key)) prefix.push_back(&e);
        else if (e.key.find(key) != std::string::npos) inside.push_back(&e);
    }
    // Names before designations, each brightest first.
    const auto order = [](const NameEntry* a, const NameEntry* b) {
        if (a->designation != b->designation) return !a->designation;
        return better(*a, *b);
    };
    std::stable_sort(prefix.begin(), prefix.end(), order);
    std::stable_sort(inside.begin(), inside.end(), order);
    prefix.insert(prefix.end(), inside.begin(), inside.end());
    std::vector<const NameEntry*> out;
    for (const NameEntry* e : prefix) {
        if (out.size() >= limit) break;
        const bool seen = std::any_of(out.begin(), out.end(), [&](const NameEntry* o) { return o->text == e->text; });
        if (!seen) out.push_back(e);
    }
    return out;
}

}  // namespace catalog
