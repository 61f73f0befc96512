#include "typeset/TVerticalGlyphs.h"

#include <algorithm>
#include <array>
#include <utility>

#include "layout/TTateChuYoko.h"

namespace {

// Characters turned in vertical writing, with their vertical presentation forms.
constexpr std::pair<char16_t, char16_t> kTurned[] = {
    {u'（', u'\uFE35'}, {u'）', u'\uFE36'}, {u'｛', u'\uFE37'}, {u'｝', u'\uFE38'},
    {u'〔', u'\uFE39'}, {u'〕', u'\uFE3A'}, {u'【', u'\uFE3B'}, {u'】', u'\uFE3C'},
    {u'《', u'\uFE3D'}, {u'》', u'\uFE3E'}, {u'〈', u'\uFE3F'}, {u'〉', u'\uFE40'},
    {u'「', u'\uFE41'}, {u'」', u'\uFE42'}, {u'『', u'\uFE43'}, {u'』', u'\uFE44'},
    {u'［', u'\uFE47'}, {u'］', u'\uFE48'}, {u'〖', u'\uFE17'}, {u'〗', u'\uFE18'},
    {u'…', u'\uFE19'},  {u'‥', u'\uFE30'},  {u'―', u'\uFE31'},  {u'—', u'\uFE31'},
    {u'–', u'\uFE32'},  {u'ー', 0},         {u'〜', 0},         {u'～', 0},
    {u'＝', 0},         {u'－', 0},         {u'＜', 0},         {u'＞', 0},
    {u'→', 0},          {u'←', 0},          {u'：', 0},         {u'〰', 0},
};

constexpr char16_t kCorner[] = {u'、', u'。', u'，', u'．'};

constexpr char16_t kSmall[] = {u'ぁ', u'ぃ', u'ぅ', u'ぇ', u'ぉ', u'っ', u'ゃ', u'ゅ',
                               u'ょ', u'ゎ', u'ゕ', u'ゖ', u'ァ', u'ィ', u'ゥ', u'ェ',
                               u'ォ', u'ッ', u'ャ', u'ュ', u'ョ', u'ヮ', u'ヵ', u'ヶ'};

template <std::size_t N>
bool In(const char16_t (&list)[N], char16_t c) {
    return std::find(std::begin(list), std::end(list), c) != std::end(list);
}

}  // namespace

TGlyphChoice TVerticalGlyphs::Of(QStringView text, qsizetype offset, qsizetype length) {
    const char16_t first = text[offset].unicode();
    if (TTateChuYoko::RunAt(text, offset) == length) return {TGlyphForm::AcrossLine};
    if (length > 1) return {TGlyphForm::Upright};
    return OfCharacter(first);
}

TGlyphChoice TVerticalGlyphs::OfCharacter(char16_t c) {
    if (c == u' ' || c == u'\t' || c == u'\u3000') return {TGlyphForm::Blank};
    if (In(kCorner, c)) return {TGlyphForm::Corner};
    if (In(kSmall, c)) return {TGlyphForm::Small};
    for (const auto& [character, form] : kTurned)
        if (character == c) return {TGlyphForm::Turned, form};
    // Half-width Latin letters, digits and signs (a number of three or more digits among
    // them) lie on their side as in a line of horizontal text turned.
    if (c > u' ' && c < 0x7F) return {TGlyphForm::Sideways};
    return {TGlyphForm::Upright};
}
