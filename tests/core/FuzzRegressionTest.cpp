// Inputs the fuzz targets of fuzz/ found, kept as regression tests.
#include <gtest/gtest.h>

#include "document/TTextFileCodec.h"
#include "interchange/THierarchicalText.h"
#include "interchange/TMarkdownOutline.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"

namespace {

// A lone high surrogate at the end of a text used to vanish from the bytes while the
// text was reported as completely encoded.
TEST(FuzzRegression, TrailingLoneHighSurrogateIsReportedAsUnencodable) {
    const QString text(QChar(0xD830));
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
    EXPECT_FALSE(encoded.Complete());
    EXPECT_EQ(encoded.unencodable, text);
    EXPECT_FALSE(Cp932Codec::CanEncode(QStringLiteral("abc") + QChar(0xD830)));
}

// A text beginning with U+FEFF, stored in the UTF-8 form, lost that character on
// reading: the decoder took it for a second byte order mark.
TEST(FuzzRegression, ATextBeginningWithAByteOrderMarkKeepsIt) {
    const QString text = QString(QChar(0xFEFF)) + QString(QChar(0xFEFF)) + QStringLiteral("x");
    EXPECT_EQ(TTextFileCodec::Decode(TTextFileCodec::Encode(text)), text);
    const QByteArray found = QByteArray::fromBase64("77u/77u/77u/77u/2nPacwoBBOOA");
    const QString decoded = TTextFileCodec::Decode(found);
    EXPECT_EQ(TTextFileCodec::Decode(TTextFileCodec::Encode(decoded)), decoded);
}

// U+F86F was reported as encoded exactly, but its bytes (87 82) read back as U+2116: a
// typed U+F86F turned into "№" when its item was selected again.
TEST(FuzzRegression, APrivateUseCharacterWithAOneWayMappingIsALookAlike) {
    const QString text = QStringLiteral("o") + QChar(0xF86F);
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
    EXPECT_TRUE(encoded.Complete());
    EXPECT_FALSE(encoded.Exact());
    EXPECT_EQ(encoded.bytes, QByteArray("o\x87\x82"));
    EXPECT_EQ(TTextFileCodec::Decode(TTextFileCodec::Encode(text)), text);
}

// A DEL in an imported text file was taken for a character, and written in Shift-JIS as
// the control character code page 932 puts in its place: the export did not read back.
TEST(FuzzRegression, ADeleteCharacterMakesAnImportedFileBinary) {
    EXPECT_THROW(THierarchicalText::Read("windows\x7f-31j"), AppError);
    EXPECT_THROW(THierarchicalText::Read(".a\r\n\x7f\x82\xA0"), AppError);
    // The end of file mark of old Shift-JIS files is no text.
    EXPECT_EQ(THierarchicalText::Read(".\x82\xA0\r\n\x1A").first().label, QStringLiteral("あ"));
}

// A U+FEFF that began an imported text (a second byte order mark of a UTF-16 file) or a
// Markdown heading's text was dropped on the way, as if it were the file's own mark.
TEST(FuzzRegression, AByteOrderMarkCharacterInsideTheTextIsKept) {
    const QString feff(QChar(0xFEFF));
    EXPECT_EQ(THierarchicalText::Read(QByteArray("\xFF\xFE\xFF\xFE.\0x\0", 8)).first().text,
              feff + QStringLiteral(".x"));
    const TOutlineEntries entries{
        {1, feff + QStringLiteral("label"), feff + QStringLiteral("text")}};
    EXPECT_EQ(TMarkdownOutline::Read(TMarkdownOutline::Write(entries).bytes), entries);
}

// A heading drops a VT or FF at its ends as it drops blanks: a label that ended with one
// lost it in Markdown.
TEST(FuzzRegression, ControlBlanksAtTheEndsOfAMarkdownLabelAreKept) {
    const TOutlineEntries entries{{1, QStringLiteral("\va\f"), QString()}};
    EXPECT_EQ(TMarkdownOutline::Read(TMarkdownOutline::Write(entries).bytes), entries);
}

}  // namespace
