#include "layout/TBreakClass.h"

#include <array>
#include <utility>

namespace {

using Table = std::array<std::uint8_t, 0x10000>;

constexpr std::uint8_t kSimple = 0x10;

// Code units that never join their neighbours in a grapheme cluster: no combining marks,
// joiners, variation selectors, Hangul jamo, surrogates or prepended marks among them.
constexpr std::pair<char16_t, char16_t> kSimpleRanges[] = {
    {0x0009, 0x0009}, {0x0020, 0x007E}, {0x00A0, 0x02FF}, {0x0370, 0x0482},
    {0x2000, 0x200A}, {0x2010, 0x2027}, {0x2030, 0x205F}, {0x2100, 0x27FF},
    {0x2E80, 0x3029}, {0x3030, 0x3098}, {0x309B, 0x30FF}, {0x3100, 0x9FFF},
    {0xF900, 0xFAFF}, {0xFF01, 0xFF9D}, {0xFFA0, 0xFFDC}, {0xFFE0, 0xFFEE},
};

constexpr char16_t kBlanks[] = {u' ', u'\t', u'\u3000'};
constexpr char16_t kHanging[] = {u'、', u'。', u'，', u'．', u'」', u'』', u'）',
                                 u'］', u'｝', u'〕', u'〉', u'》', u'】'};
constexpr char16_t kNoStart[] = {u'・', u'：', u'；', u'？', u'！', u'ぁ', u'ぃ', u'ぅ', u'ぇ',
                                 u'ぉ', u'っ', u'ゃ', u'ゅ', u'ょ', u'ゎ', u'ァ', u'ィ', u'ゥ',
                                 u'ェ', u'ォ', u'ッ', u'ャ', u'ュ', u'ョ', u'ヮ', u'ヵ', u'ヶ',
                                 u'ー', u'ゝ', u'ゞ', u'ヽ', u'ヾ', u'々'};
constexpr char16_t kOpening[] = {u'「', u'『', u'（', u'［', u'｛', u'〔', u'〈', u'《', u'【'};

template <std::size_t N>
void Mark(Table& table, const char16_t (&characters)[N], TBreakClass c) {
    for (char16_t character : characters)
        table[character] = (table[character] & kSimple) | static_cast<std::uint8_t>(c);
}

Table Build() {
    Table table{};
    for (const auto& [first, last] : kSimpleRanges)
        for (unsigned c = first; c <= last; ++c) table[c] = kSimple;
    Mark(table, kBlanks, TBreakClass::Blank);
    Mark(table, kHanging, TBreakClass::Hanging);
    Mark(table, kNoStart, TBreakClass::NoStart);
    Mark(table, kOpening, TBreakClass::Opening);
    return table;
}

}  // namespace

const std::uint8_t* TBreakClasses::Table() {
    static const ::Table table = Build();
    return table.data();
}
