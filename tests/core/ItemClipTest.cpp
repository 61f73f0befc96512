#include <gtest/gtest.h>

#include "interchange/TItemClip.h"
#include "platform/AppError.h"
#include "support/OutlineEntries.h"

namespace {

// Levels up and down, empty labels and texts, texts with every kind of character: line
// breaks of all sorts, NUL and other controls, a lone surrogate, emoji, markup that other
// forms escape.
TItemClip Tricky() {
    TItemClip clip;
    clip.Entries = {
        {1, QStringLiteral("上"), QStringLiteral("line\r\nCR LF\rCR\u2028sep\u2029para\n")},
        {2, QString(), QString()},
        {3, QStringLiteral(".dot <x> & \"q\""), QString(QChar(0)) + u'\x1f' + QChar(0xD800)},
        {2, QStringLiteral("𠮷😀"), QStringLiteral(".\n．\n\\.\n")},
        {1, QStringLiteral("  blanks  "), QString(5000, u'長')},
    };
    clip.Expanded = {true, true, false, false, true};
    return clip;
}

TEST(ItemClip, TheOwnFormGivesBackEveryLevelLabelTextAndExpandedState) {
    const TItemClip clip = Tricky();
    const TItemClip read = TItemClip::Decode(clip.Encode());
    EXPECT_TRUE(SameEntries(read.Entries, clip.Entries));
    EXPECT_EQ(read.Expanded, clip.Expanded);
    // The plain text is the outline as a text editor receives it.
    EXPECT_TRUE(clip.PlainText().startsWith(QStringLiteral(".上\nline").toUtf8()));
}

TEST(ItemClip, ADamagedOrCutOffFormIsRefused) {
    const QByteArray bytes = Tricky().Encode();
    // Every cut, however short: no read past the end, no partial outline.
    for (qsizetype size = 0; size < bytes.size(); size += size < 200 ? 1 : 997)
        EXPECT_THROW(TItemClip::Decode(bytes.first(size)), AppError) << size;
    EXPECT_THROW(TItemClip::Decode(bytes + 'x'), AppError);
    QByteArray deeper = bytes;
    deeper[15 + 8] = 2;  // the first item one level too deep
    EXPECT_THROW(TItemClip::Decode(deeper), AppError);
    QByteArray huge = bytes;
    huge[15 + 8 + 5 + 3] = '\x7f';  // the first label's count far beyond the bytes
    EXPECT_THROW(TItemClip::Decode(huge), AppError);
    QByteArray newer = bytes;
    newer[15] = 2;
    EXPECT_THROW(TItemClip::Decode(newer), AppError);
}

}  // namespace
