#include <gtest/gtest.h>

#include "document/TDocumentReader.h"
#include "document/TOutline.h"
#include "interchange/TCherryTreeImport.h"
#include "interchange/TFormatRecognizer.h"
#include "interchange/THierarchicalText.h"
#include "interchange/TImporter.h"
#include "interchange/TIndentedText.h"
#include "interchange/TMarkdownOutline.h"
#include "interchange/TOpmlOutline.h"
#include "interchange/TOutlineEntryList.h"
#include "interchange/TPlainTextImport.h"
#include "interchange/TTreeLineImport.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"
#include "support/OutlineEntries.h"

namespace {

// The message the import is refused with, or "" when it was not.
template <typename Import>
QString Refusal(Import import, const QByteArray& bytes) {
    try {
        import(bytes);
    } catch (const AppError& error) {
        return error.Text();
    }
    return QString();
}

const auto kAllImporters = {
    TImportFormat::HierarchicalText, TImportFormat::Markdown, TImportFormat::Opml,
    TImportFormat::CherryTree,       TImportFormat::TreeLine, TImportFormat::IndentedText,
    TImportFormat::PlainText};

QString RefusalAs(TImportFormat format, const QByteArray& bytes) {
    return Refusal([format](const QByteArray& b) { return TImporter::Read(format, b); }, bytes);
}

// The <outline> lines in a document of another writer's shape, and in the one our export
// writes, which is read on a way of its own.
std::vector<QByteArray> InBothOpmlShapes(const QByteArray& outlines) {
    return {
        "<?xml version=\"1.0\"?>\n<opml version=\"2.0\"><body>\n" + outlines + "\n</body></opml>\n",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n  <head>\n"
        "    <title>t &amp; u</title>\n  </head>\n  <body>\n" +
            outlines + "\n  </body>\n</opml>\n"};
}

}  // namespace

TEST(InterchangeImport, HierarchicalTextFromOtherWriters) {
    // Full-width marks, a level jump, CR line ends and text before the first heading.
    const QByteArray utf8 = "preface\r \r．一\r.．．三\rtext\r...\\\\.kept\r";
    const TOutlineEntries entries = THierarchicalText::Read(utf8);
    EXPECT_TRUE(SameEntries(entries, {{1, QStringLiteral("preface"), QStringLiteral("preface\n ")},
                                      {1, QStringLiteral("一"), QString()},
                                      {2, QStringLiteral("三"), QStringLiteral("text")},
                                      {3, QStringLiteral("\\.kept"), QString()}}));
    // Shift-JIS with LF, "．" as 81 44.
    EXPECT_TRUE(SameEntries(THierarchicalText::Read("\x81\x44\x88\xEA\nx\n"),
                            {{1, QStringLiteral("一"), QStringLiteral("x")}}));
}

// Shift-JIS texts are handed on as their bytes, the store's to decode; an escaped text, and
// every other file, reads as decoding reads it.
TEST(InterchangeImport, HierarchicalShiftJisTextsStayTheBytesOfTheirFiles) {
    const auto shiftJis = [](const QString& text) { return Cp932Codec::Encode(text).bytes; };
    // Long enough that the two bytes that are no character stay below one in a hundred.
    const QByteArray kept = shiftJis(QStringLiteral("本文\r\n%1\r\n").arg(QString(200, u'文')));
    const QByteArray file = shiftJis(QStringLiteral("前書き\r\n.一\r\n")) + kept +
                            shiftJis(QStringLiteral("..二\r\n\\.見出しでない\r\n．三\r\n\r\n"
                                                    ".四\r\nLF だけ\n.五\r\n")) +
                            "\xED\x40\x85\x40\r\n" + shiftJis(QStringLiteral(".六\r\n終わり"));
    const auto asBytes = [](const QByteArray& b) {
        return TOutlineEntryList::WithTextsDecoded(THierarchicalText::ReadForStore(b));
    };
    const TOutlineEntries read = THierarchicalText::ReadForStore(file);
    ASSERT_EQ(read.size(), 7);
    EXPECT_EQ(read[1].fileText->Bytes(), kept);
    EXPECT_EQ(read[5].fileText->Bytes(), "\xED\x40\x85\x40\r\n");  // not re-encoded
    EXPECT_FALSE(read[2].fileText);
    EXPECT_EQ(asBytes(file), THierarchicalText::Read(file));

    // A lone CR starts a line of its own: such a file is decoded whole.
    const QByteArray loneCr = file + "\r.\x8e\xb5\r\n";
    EXPECT_EQ(asBytes(loneCr), THierarchicalText::Read(loneCr));
    EXPECT_EQ(asBytes(loneCr).size(), 8);
    const QByteArray noText = file + QByteArray(50, '\x85');
    EXPECT_EQ(Refusal(asBytes, noText), Refusal(THierarchicalText::Read, noText));
}

// Markdown texts are turned into the Shift-JIS of their files on the way, a long one over
// the pieces the file is read in too; an escaped text, one with a look-alike, and every
// file with another block than headings and paragraphs read as decoding reads them.
TEST(InterchangeImport, MarkdownTextsBecomeTheBytesOfTheirFiles) {
    const QString longText = QString(u'文').repeated(800) + u'\n';
    const QByteArray markdown = QStringLiteral(
                                    "前書き\n\n# 一\n\n本文\n\n二行目\n\n"
                                    "<!-- level 8 -->\n###### 深い\n\n\\# 見出しでない\n\n"
                                    "## 〜\n\n波〜線\n#\n# 長い\n\n%1")
                                    .arg(longText.repeated(1200))
                                    .toUtf8();
    const auto decoded = [](const QByteArray& bytes) {
        return TOutlineEntryList::WithTextsDecoded(TMarkdownOutline::ReadForStore(bytes));
    };
    const TOutlineEntries read = TMarkdownOutline::ReadForStore(markdown);
    ASSERT_EQ(read.size(), 6);
    EXPECT_EQ(read[1].fileText->Bytes(),
              Cp932Codec::Encode(QStringLiteral("本文\r\n\r\n二行目\r\n")).bytes);
    EXPECT_EQ(
        read[5].fileText->Bytes(),
        Cp932Codec::Encode(QString(longText).replace(u'\n', QStringLiteral("\r\n")).repeated(1200))
            .bytes);
    EXPECT_FALSE(read[2].fileText);
    EXPECT_FALSE(read[3].fileText);
    EXPECT_EQ(decoded(markdown), TMarkdownOutline::Read(markdown));

    const QByteArray listed = markdown + "- item\n";
    EXPECT_EQ(decoded(listed), TMarkdownOutline::Read(listed));
    EXPECT_FALSE(TMarkdownOutline::ReadForStore(listed)[1].fileText);
    const QByteArray shiftJis = Cp932Codec::Encode(QStringLiteral("# 一\n\n本文\n")).bytes;
    EXPECT_EQ(decoded(shiftJis), TMarkdownOutline::Read(shiftJis));
}

TEST(InterchangeImport, ForeignMarkdownKeepsItsSourceBetweenHeadings) {
    const QByteArray markdown =
        "Intro *text*\n\n"
        "Title\n=====\n\n"
        "- list\n  # not an item\n\n"
        "> # nor this\n\n"
        "### Jumped `code` [link](x)\n"
        "```\n# in code\n```\n";
    EXPECT_TRUE(SameEntries(
        TMarkdownOutline::Read(markdown),
        {{1, QStringLiteral("Intro *text*"), QStringLiteral("Intro *text*")},
         {1, QStringLiteral("Title"), QStringLiteral("- list\n  # not an item\n\n> # nor this")},
         {2, QStringLiteral("Jumped code link"), QStringLiteral("```\n# in code\n```")}}));
}

TEST(InterchangeImport, MarkdownHeadingsWithoutTextStandOnTheirOwnLines) {
    // Headings whose text points nowhere into the file: a lone "#" after a nested one and a
    // thematic break, a heading of an empty link, a setext one of an empty link before a
    // lone "#"; a setext heading after code; named and numeric entities in labels.
    const QByteArray markdown =
        "#\n"
        "- item\n\n  #\n\n"
        "***\n"
        "##\n"
        "text\n"
        "### [](x)\n"
        "```\ncode\n```\n"
        "Two\nlines\n---\n"
        "after\n\n"
        "[](x)\n===\n"
        "body\n\n---\n"
        "#\n"
        "# &copy; &amp; &#32;&#x41;&#0; &nope;\n";
    EXPECT_TRUE(SameEntries(TMarkdownOutline::Read(markdown),
                            {{1, QString(), QStringLiteral("- item\n\n  #\n\n***")},
                             {2, QString(), QStringLiteral("text")},
                             {3, QString(), QStringLiteral("```\ncode\n```")},
                             {2, QStringLiteral("Two lines"), QStringLiteral("after")},
                             {1, QString(), QStringLiteral("body\n\n---")},
                             {1, QString(), QString()},
                             {1, QStringLiteral("\u00A9 &  A\uFFFD &nope;"), QString()}}));
}

// OPML notes become the Shift-JIS of their files where that reads back as the note.
TEST(InterchangeImport, OpmlNotesBecomeTheBytesOfTheirFiles) {
    const QByteArray outlines =
        QStringLiteral(
            "<outline text=\"一\" _note=\"本文&#10;&lt;二&gt;&#9;行目&#10;\"/>\n"
            "<outline text=\"二\" _note=\"波〜線\">\n"
            "<outline text=\"三\" _note=\"行&#13;の中\"/>\n</outline>\n"
            "<outline text=\"&#xFEFF;四\" _note=\"&#x1F600;\"/>")
            .toUtf8();
    for (const QByteArray& opml : InBothOpmlShapes(outlines)) {
        const TOutlineEntries read = TOpmlOutline::ReadForStore(opml);
        ASSERT_EQ(read.size(), 4);
        EXPECT_EQ(read[0].fileText->Bytes(),
                  Cp932Codec::Encode(QStringLiteral("本文\r\n<二>\t行目\r\n\r\n")).bytes);
        EXPECT_FALSE(read[1].fileText || read[2].fileText || read[3].fileText);
        EXPECT_EQ(read[2].level, 2);
        EXPECT_EQ(read[3].label, QStringLiteral("\uFEFF四"));
        EXPECT_EQ(TOutlineEntryList::WithTextsDecoded(read), TOpmlOutline::Read(opml));
    }
}

TEST(InterchangeImport, OpmlThatIsNoXmlIsRefusedWhereverItIsQuick) {
    for (const QByteArray& opml :
         InBothOpmlShapes("<outline text=\"a &amp; &#x263A; &lt;b&gt;\"/>"))
        EXPECT_EQ(TOpmlOutline::Read(opml),
                  (TOutlineEntries{{1, QStringLiteral("a & \u263A <b>"), QString()}}));
    for (const QByteArray& outline :
         {QByteArray("<outline text=\"&nbsp;\"/>"), QByteArray("<outline text=\"a<b\"/>"),
          QByteArray("<outline text=\"a\" text=\"b\"/>"), QByteArray("<outline text=\"&#1;\"/>"),
          QByteArray("<outline text=\"\x01\"/>"), QByteArray("<outline text=\"\xC3\x28\"/>"),
          QByteArray("<outline text=\"a\" _note=\"\xED\xA0\x80\"/>"),
          QByteArray("<outline text=\"a\">"), QByteArray("<outline text=\"a\"/>\n</outline>"),
          QByteArray("</outline>\n<outline text=\"a\">"), QByteArray("<x:outline text=\"a\"/>")})
        for (const QByteArray& malformed : InBothOpmlShapes(outline))
            EXPECT_TRUE(Refusal(TOpmlOutline::Read, malformed).contains(QStringLiteral(" 行目: ")))
                << malformed.toStdString();
    EXPECT_FALSE(
        Refusal(TOpmlOutline::Read, InBothOpmlShapes("<outline text=\"a\"/>")[0] + "<extra/>")
            .isEmpty());
    // A document type's entities are the stream reader's to expand.
    EXPECT_EQ(TOpmlOutline::Read("<?xml version=\"1.0\"?>\n<!DOCTYPE opml [<!ENTITY e \"x\">]>\n"
                                 "<opml><body><outline text=\"&e;\"/></body></opml>"),
              (TOutlineEntries{{1, QStringLiteral("x"), QString()}}));
}

TEST(InterchangeImport, IndentedTextTakesTabsOrTheSmallestRunOfSpaces) {
    EXPECT_TRUE(SameEntries(TIndentedText::Read("a\n\tb\n\n\t\tc  \nd\n"),
                            {{1, "a", ""}, {2, "b", ""}, {3, "c", ""}, {1, "d", ""}}));
    EXPECT_TRUE(SameEntries(TIndentedText::Read("a\n   b\n      c\n         \nd\n"),
                            {{1, "a", ""}, {2, "b", ""}, {3, "c", ""}, {1, "d", ""}}));
}

TEST(InterchangeImport, PlainTextIsOneItemLabelledWithItsFirstLine) {
    const QString longLine(5000, u'x');
    EXPECT_TRUE(SameEntries(TPlainTextImport::Read("\r\n  first  \r\nsecond\r\n"),
                            {{1, "first", "\n  first  \nsecond"}}));
    EXPECT_EQ(TPlainTextImport::Read(longLine.toUtf8()).first().label.size(), 4096);
}

TEST(InterchangeImport, CherryTreeNodesWithTheirTextAndCodeBoxes) {
    const QByteArray ctd = R"(<?xml version="1.0" encoding="UTF-8"?>
<cherrytree>
  <bookmarks list=""/>
  <node name="Rich &amp; bold" unique_id="1" prog_lang="custom-colors" readonly="0">
    <rich_text>Hello </rich_text><rich_text weight="heavy">world</rich_text><rich_text>
second line</rich_text>
    <codebox char_offset="6" justification="left" frame_width="300" syntax_highlighting="python">print(1)</codebox>
    <node name="Plain" unique_id="2" prog_lang="plain-text">
      <rich_text>a &lt;b&gt;
c</rich_text>
      <node name="Deep" unique_id="3" prog_lang="sh"><rich_text/></node>
    </node>
  </node>
  <node name="Second" unique_id="4" prog_lang="custom-colors">
    <table char_offset="0"><row><cell>x</cell><cell>y</cell></row><row><cell>1</cell><cell>2</cell></row></table>
  </node>
</cherrytree>
)";
    EXPECT_TRUE(SameEntries(
        TCherryTreeImport::Read(ctd),
        {{1, QStringLiteral("Rich & bold"), QStringLiteral("Hello print(1)world\nsecond line")},
         {2, QStringLiteral("Plain"), QStringLiteral("a <b>\nc")},
         {3, QStringLiteral("Deep"), QString()},
         {1, QStringLiteral("Second"), QStringLiteral("x\ty\n1\t2")}}));
}

TEST(InterchangeImport, TreeLineNodesOnceEachInTheOrderOfTheirParents) {
    const QByteArray trln = R"({
  "formats": [
    {"formatname": "DEFAULT", "titleline": "{*Name*}",
     "fields": [{"fieldname": "Name", "fieldtype": "Text"}, {"fieldname": "Text", "fieldtype": "Text"}]},
    {"formatname": "PERSON", "titleline": "{*First*} {*Last*}",
     "fields": [{"fieldname": "First"}, {"fieldname": "Last"}, {"fieldname": "Phone"}, {"fieldname": "Mail"}]}
  ],
  "nodes": [
    {"uid": "r", "format": "DEFAULT", "data": {"Name": "Root &amp; co", "Text": "a<br />b &lt;c&gt;"},
     "children": ["p", "missing", "c"]},
    {"uid": "p", "format": "PERSON", "data": {"First": "Ann", "Last": "Lee", "Phone": "123", "Mail": "a@x"},
     "children": ["r"]},
    {"uid": "c", "format": "DEFAULT", "data": {"Name": "Child"}, "children": ["p"]},
    {"uid": "c", "format": "DEFAULT", "data": {"Name": "Repeated uid"}, "children": []},
    {"uid": "u", "format": "UNKNOWN", "data": {"Title": "Unknown format"}, "children": []}
  ],
  "properties": {"tlversion": "3.1.5", "topnodes": ["r", "u"]}
})";
    EXPECT_TRUE(
        SameEntries(TTreeLineImport::Read(trln),
                    {{1, QStringLiteral("Root & co"), QStringLiteral("a\nb <c>")},
                     {2, QStringLiteral("Ann Lee"), QStringLiteral("Phone: 123\nMail: a@x")},
                     {2, QStringLiteral("Child"), QString()},
                     {1, QStringLiteral("Unknown format"), QString()}}));
}

TEST(InterchangeImport, MalformedOpmlNamesTheLine) {
    const QByteArray whole = TOpmlOutline::Write({{1, "a", "x"}, {2, "b", ""}}, "t").bytes;
    const QString cut =
        Refusal(TOpmlOutline::Read, whole.left(whole.indexOf("<outline text=\"b\"") + 8));
    EXPECT_TRUE(cut.startsWith(QStringLiteral("8 行目: "))) << cut.toStdString();
    const QString broken =
        Refusal(TOpmlOutline::Read,
                "<opml version=\"2.0\">\n<body>\n<outline text=\"a\">\n</body>\n</opml>");
    EXPECT_TRUE(broken.startsWith(QStringLiteral("4 行目: "))) << broken.toStdString();
    EXPECT_FALSE(Refusal(TOpmlOutline::Read, "<html><body/></html>").isEmpty());
}

TEST(InterchangeImport, BinaryFilesAreRefusedByEveryImporter) {
    static const char kPngStart[] = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10";
    const QByteArray png(kPngStart, sizeof(kPngStart) - 1);
    const QByteArray noText("\x01\x02\x03 # . \xFF\xFE", 10);
    const QByteArray badBytes("\x85\x40\x85\x40\x85\x40.abc\n", 11);
    for (TImportFormat format : kAllImporters) {
        EXPECT_FALSE(RefusalAs(format, png).isEmpty()) << int(format);
        EXPECT_FALSE(RefusalAs(format, noText).isEmpty()) << int(format);
        EXPECT_FALSE(RefusalAs(format, QByteArray()).isEmpty()) << int(format);
    }
    EXPECT_FALSE(RefusalAs(TImportFormat::HierarchicalText, badBytes).isEmpty());
}

TEST(InterchangeImport, TooDeepIsRefusedWithItsLine) {
    const int tooDeep = TDocumentReader::kMaxDepth + 1;
    QByteArray dots;
    for (int level = 1; level < tooDeep; ++level) dots += QByteArray(level, '.') + "b\n";
    EXPECT_EQ(THierarchicalText::Read(dots).size(), TDocumentReader::kMaxDepth);
    dots += QByteArray(tooDeep, '.') + "b\n";
    EXPECT_TRUE(Refusal(THierarchicalText::Read, dots)
                    .startsWith(QStringLiteral("%1 行目: ").arg(tooDeep)));

    QByteArray outlines;
    for (int level = 1; level <= tooDeep; ++level) outlines += "<outline text=\"x\">\n";
    for (int level = 1; level <= tooDeep; ++level) outlines += "</outline>\n";
    for (const QByteArray& opml : InBothOpmlShapes(outlines.chopped(1))) {
        const int line =
            static_cast<int>(opml.left(opml.indexOf("<outline")).count('\n')) + tooDeep;
        EXPECT_TRUE(
            Refusal(TOpmlOutline::Read, opml).startsWith(QStringLiteral("%1 行目: ").arg(line)));
    }

    QByteArray tabs = "a\n";
    for (int level = 1; level < tooDeep; ++level) tabs += QByteArray(level, '\t') + "b\n";
    EXPECT_FALSE(Refusal(TIndentedText::Read, tabs).isEmpty());
}

TEST(InterchangeImport, FormatsAreRecognisedFromContentAndName) {
    const auto recognize = [](const QByteArray& bytes, const char* name = "file") {
        return TFormatRecognizer::Recognize(bytes, QString::fromLatin1(name));
    };
    EXPECT_EQ(recognize("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<opml version=\"2.0\">"),
              TImportFormat::Opml);
    EXPECT_EQ(recognize("<?xml version=\"1.0\"?><cherrytree>"), TImportFormat::CherryTree);
    EXPECT_EQ(recognize("{\"formats\": [], \"nodes\": []}"), TImportFormat::TreeLine);
    EXPECT_EQ(recognize("plain words", "notes.MD"), TImportFormat::Markdown);
    EXPECT_EQ(recognize("\n## Heading\ntext"), TImportFormat::Markdown);
    EXPECT_EQ(recognize("#hashtag\ntext"), TImportFormat::PlainText);
    EXPECT_EQ(recognize("\r\n\x81\x44label\r\n"), TImportFormat::HierarchicalText);
    EXPECT_EQ(recognize(".label\n"), TImportFormat::HierarchicalText);
    EXPECT_EQ(recognize("fruit\n\tapple\n\tpear\nveg\n"), TImportFormat::IndentedText);
    EXPECT_EQ(recognize("\tindented first line\nsecond\n"), TImportFormat::PlainText);
    EXPECT_EQ(recognize("A sentence.\n\tAn indented quote.\n" + QByteArray(300, 'x')),
              TImportFormat::PlainText);
}

TEST(InterchangeImport, OutlineGivesEntriesInDepthFirstOrder) {
    TOutline outline;
    TOutlineItem* a = outline.Insert(outline.Root(), 0, QStringLiteral("a"), 1);
    TOutlineItem* b = outline.Insert(a, 0, QStringLiteral("b"), 2);
    outline.Insert(b, 0, QStringLiteral("c"), 3);
    outline.Insert(outline.Root(), 1, QStringLiteral("d"), 4);
    const auto textOf = [](const TOutlineItem& item) { return QString::number(item.ItemNumber); };
    EXPECT_TRUE(SameEntries(TOutlineEntryList::FromOutline(outline, textOf),
                            {{1, "a", "1"}, {2, "b", "2"}, {3, "c", "3"}, {1, "d", "4"}}));
}
