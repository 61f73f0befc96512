#include "ui/TFoldedText.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr char16_t kHalfWidthVoicedMark = 0xFF9E;      // ﾞ
constexpr char16_t kHalfWidthSemiVoicedMark = 0xFF9F;  // ﾟ
constexpr char16_t kVoicedMark = 0x309B;               // ゛
constexpr char16_t kSemiVoicedMark = 0x309C;           // ゜

// The character a full-width or half-width form stands for: Ａ → A, ｶ → カ, the
// ideographic space → the space; every other character is itself.
char16_t WidthFolded(char16_t c) {
    if (c == kHalfWidthVoicedMark) return kVoicedMark;
    if (c == kHalfWidthSemiVoicedMark) return kSemiVoicedMark;
    if (c != 0x3000 && (c < 0xFF01 || c > 0xFFEE)) return c;
    const QChar character(c);
    const auto tag = character.decompositionTag();
    if (tag != QChar::Wide && tag != QChar::Narrow) return c;
    const QString decomposed = character.decomposition();
    return decomposed.size() == 1 ? decomposed[0].unicode() : c;
}

char16_t CaseFolded(char16_t c) {
    if (QChar::isSurrogate(c)) return c;  // halves of pairs and the escapes of odd bytes
    return QChar(c).toCaseFolded().unicode();
}

using FoldTable = std::array<char16_t, 0x10000>;

std::unique_ptr<FoldTable> BuildFoldTable(TSearchOptions options) {
    auto table = std::make_unique<FoldTable>();
    for (unsigned c = 0; c < 0x10000; ++c) {
        char16_t folded = static_cast<char16_t>(c);
        if (options.ignoreWidth) folded = WidthFolded(folded);
        if (options.ignoreCase) folded = CaseFolded(folded);
        (*table)[c] = folded;
    }
    return table;
}

const FoldTable& TableFor(TSearchOptions options) {
    // Built once for each combination, on first use (thread-safe).
    static const auto caseOnly = BuildFoldTable({true, false});
    static const auto widthOnly = BuildFoldTable({false, true});
    static const auto both = BuildFoldTable({true, true});
    if (options.ignoreCase && options.ignoreWidth) return *both;
    return options.ignoreCase ? *caseOnly : *widthOnly;
}

// The voiced (mark ゛) or semi-voiced (mark ゜) kana of a full-width katakana, or 0.
char16_t Composed(char16_t kana, char16_t mark) {
    struct Compositions {
        std::array<char16_t, 0x60> voiced{}, semiVoiced{};
        Compositions() {
            for (char16_t k = 0x30A0; k < 0x3100; ++k) {
                const auto compose = [k](char16_t combining) -> char16_t {
                    const QString pair = QString(QChar(k)) + QChar(combining);
                    const QString composed = pair.normalized(QString::NormalizationForm_C);
                    return composed.size() == 1 ? composed[0].unicode() : 0;
                };
                voiced[k - 0x30A0] = compose(0x3099);
                semiVoiced[k - 0x30A0] = compose(0x309A);
            }
        }
    };
    static const Compositions compositions;
    if (kana < 0x30A0 || kana >= 0x3100) return 0;
    return mark == kVoicedMark ? compositions.voiced[kana - 0x30A0]
                               : compositions.semiVoiced[kana - 0x30A0];
}

}  // namespace

TFoldedText::TFoldedText(QStringView text, TSearchOptions options) : folded_(text) {
    if (!options.Any()) return;
    const FoldTable& table = TableFor(options);
    storage_.resize(text.size());
    char16_t* out = reinterpret_cast<char16_t*>(storage_.data());
    const char16_t* in = text.utf16();
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i];
        if (options.ignoreWidth && written > 0 &&
            (c == kHalfWidthVoicedMark || c == kHalfWidthSemiVoicedMark)) {
            if (const char16_t kana = Composed(out[written - 1], table[c])) {
                // The mark joins the kana before it: from here on the two texts are out
                // of step, so the way back is recorded.
                if (origin_.empty()) {
                    origin_.resize(written);
                    for (qsizetype k = 0; k < written; ++k) origin_[k] = k;
                }
                out[written - 1] = kana;
                continue;
            }
        }
        if (!origin_.empty()) origin_.push_back(i);
        out[written++] = table[c];
    }
    if (!origin_.empty()) origin_.push_back(text.size());
    storage_.truncate(written);
    folded_ = storage_;
}

qsizetype TFoldedText::OriginOf(qsizetype folded) const {
    return origin_.empty() ? folded : origin_[folded];
}

qsizetype TFoldedText::FoldedOf(qsizetype original) const {
    if (origin_.empty()) return original;
    return std::lower_bound(origin_.begin(), origin_.end(), original) - origin_.begin();
}
