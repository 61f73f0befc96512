#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include "document/TDocumentReader.h"
#include "interchange/TExporter.h"
#include "interchange/TFormatRecognizer.h"
#include "interchange/THierarchicalText.h"
#include "interchange/THtmlOutline.h"
#include "interchange/TImporter.h"
#include "interchange/TMarkdownOutline.h"
#include "interchange/TOpmlOutline.h"
#include "platform/Cp932Codec.h"
#include "support/OutlineEntries.h"
#include "support/TempDir.h"

namespace {

// Labels and text lines that look like the formats' own markup, at levels up and down and
// deeper than Markdown's headings go.
TOutlineEntries Awkward() {
    return {
        {1, QStringLiteral("A & B <c> \"q\" 'a' [l](u) ![i](x) \\ end\\"),
         QStringLiteral(
             ".dot\n．全角\n#hash\n# heading\n- dash\n1. one\n2) two\n    code\n```\n---\n"
             "> quote\n\\.escaped\n\\\\.two\n\\#\n1\\. x")},
        {2, QStringLiteral("# not *star* `tick` _u_"),
         QStringLiteral("\ttab\n  two spaces\n<div>\n[ref]: /url\n&#32;entity\n"
                        "&#9;\n+ plus\n* star\n_ _ _\n~~~\n===\n\\")},
        {3, QString(), QString()},
        {1, QStringLiteral("trailing ###"), QStringLiteral("\n\nblank lines around\n\n")},
        {2, QStringLiteral("  blanks at both ends\t "), QStringLiteral("   ")},
        {3, QStringLiteral(".dot label"), QStringLiteral("x")},
        {4, QStringLiteral("．全角ラベル"), QString()},
        {5, QStringLiteral("\\.escaped label"), QStringLiteral("<!-- level 9 -->")},
        {6, QStringLiteral("six"), QStringLiteral("&")},
        {7, QStringLiteral("seven"), QStringLiteral("> deep")},
        {8, QStringLiteral("<!-- level 3 -->"), QString()},
        {9, QStringLiteral("nine"), QStringLiteral("text of nine")},
        {7, QStringLiteral("back to seven"), QString()},
        {1, QStringLiteral("last"), QStringLiteral("end")},
    };
}

// The same with characters only UTF-8 holds.
TOutlineEntries AwkwardBeyondShiftJis() {
    TOutlineEntries entries = Awkward();
    entries.insert(3, {2, QStringLiteral("😀 \u2028"), QStringLiteral("line\u2028separator\n𠮷")});
    return entries;
}

// Every character code page 932 has, a row of double-byte codes (or the single bytes) per
// entry, as its label and as its text in lines of 16.
TOutlineEntries EveryCp932Character() {
    QString single;
    for (int b = 0x20; b < 0xE0; ++b)
        if (b < 0x7F || b >= 0xA1) single += Cp932Codec::Decode(QByteArray(1, char(b)));
    QList<QString> rows{single};
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        QString row;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            bool valid = false;
            const QString character = Cp932Codec::Decode(QByteArrayView(pair, 2), &valid);
            if (valid && character.size() == 1) row += character;
        }
        if (!row.isEmpty()) rows << row;
    }
    TOutlineEntries entries;
    for (const QString& row : rows) {
        QStringList lines;
        for (qsizetype i = 0; i < row.size(); i += 16) lines << row.mid(i, 16);
        entries.append({entries.isEmpty() ? 1 : 2, row, lines.join(u'\n')});
    }
    return entries;
}

QByteArray RunProgram(const QString& program, const QStringList& arguments,
                      const QByteArray& input) {
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

struct THeadingSeen {
    int level;
    QString label;
    bool operator==(const THeadingSeen&) const = default;
};

void PrintTo(const THeadingSeen& heading, std::ostream* out) {
    *out << heading.level << ' ' << heading.label.toStdString();
}

// The headings of the document element's children in cmark's XML, and the names of the
// other blocks there.
void ReadCmarkXml(const QByteArray& xmlBytes, QList<THeadingSeen>* headings, QStringList* blocks) {
    QXmlStreamReader xml(xmlBytes);
    int depth = 0;
    bool inHeading = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) --depth;
        if (!xml.isStartElement()) continue;
        if (++depth == 2) {
            inHeading = xml.name() == u"heading";
            if (inHeading)
                headings->append(
                    {xml.attributes().value(QLatin1String("level")).toInt(), QString()});
            else
                *blocks << xml.name().toString();
        } else if (inHeading && (xml.name() == u"text" || xml.name() == u"code")) {
            headings->last().label += xml.readElementText();
            --depth;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

}  // namespace

TEST(InterchangeRoundTrip, HierarchicalTextInBothEncodingsGivesBackEveryEntry) {
    for (const TOutlineEntries& entries : {Awkward(), EveryCp932Character()}) {
        const TExport shiftJis = THierarchicalText::Write(entries);
        EXPECT_TRUE(shiftJis.Complete());
        EXPECT_TRUE(SameEntries(THierarchicalText::Read(shiftJis.bytes), entries));
    }
    for (const TOutlineEntries& entries : {AwkwardBeyondShiftJis(), EveryCp932Character()}) {
        const TExport utf8 = THierarchicalText::Write(entries, THierarchicalText::Encoding::Utf8);
        EXPECT_TRUE(utf8.Complete());
        EXPECT_FALSE(utf8.bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(SameEntries(THierarchicalText::Read(utf8.bytes), entries));
    }
}

TEST(InterchangeRoundTrip, MarkdownGivesBackEveryEntry) {
    for (const TOutlineEntries& entries : {AwkwardBeyondShiftJis(), EveryCp932Character()}) {
        const TExport markdown = TMarkdownOutline::Write(entries);
        EXPECT_TRUE(markdown.Complete());
        EXPECT_TRUE(SameEntries(TMarkdownOutline::Read(markdown.bytes), entries));
    }
}

TEST(InterchangeRoundTrip, OpmlGivesBackEveryEntryWithLineBreaksAndTabs) {
    TOutlineEntries entries = AwkwardBeyondShiftJis();
    entries[2].text = QStringLiteral("CR\rCR LF\r\n\tTAB ");
    entries.append(EveryCp932Character());
    const TExport opml = TOpmlOutline::Write(entries, QStringLiteral("題 & <名>"));
    EXPECT_TRUE(opml.Complete());
    EXPECT_TRUE(opml.bytes.contains("&#10;") && opml.bytes.contains("&#13;") &&
                opml.bytes.contains("&#9;"));
    EXPECT_TRUE(SameEntries(TOpmlOutline::Read(opml.bytes), entries));
}

TEST(InterchangeRoundTrip, EscapedBytesAndCharactersShiftJisLacksAreReported) {
    const QString escaped = QStringLiteral("a") + QChar(0xDC80) + QChar(0xDCFF) + u'b';
    const TOutlineEntries entries{{1, escaped, QStringLiteral("😀 and 𠮷, 😀")}};

    const TExport shiftJis = THierarchicalText::Write(entries);
    EXPECT_EQ(shiftJis.bytes, QByteArray(".a\x80\xFF"
                                         "b\r\n? and ?, ?\r\n"));
    EXPECT_EQ(shiftJis.unencodable, QStringLiteral("😀𠮷"));
    EXPECT_EQ(shiftJis.replacedBytes, 0);

    for (const TExport& utf8 :
         {THierarchicalText::Write(entries, THierarchicalText::Encoding::Utf8),
          TMarkdownOutline::Write(entries), TOpmlOutline::Write(entries, {}),
          THtmlOutline::Write(entries, {})}) {
        EXPECT_EQ(utf8.replacedBytes, 2);
        EXPECT_TRUE(utf8.unencodable.isEmpty());
        EXPECT_TRUE(
            utf8.bytes.contains("a\xEF\xBF\xBD\xEF\xBF\xBD"
                                "b"));
        EXPECT_TRUE(utf8.bytes.contains("😀 and 𠮷"));
    }
}

TEST(InterchangeOutsideReaders, CmarkSeesTheHeadingsAndNothingButTextBetweenThem) {
    const QString cmark = QStandardPaths::findExecutable(QStringLiteral("cmark"));
    if (cmark.isEmpty()) GTEST_SKIP() << "cmark is not installed";
    const TOutlineEntries entries = AwkwardBeyondShiftJis();
    QList<THeadingSeen> headings;
    QStringList blocks;
    ReadCmarkXml(RunProgram(cmark, {QStringLiteral("--to"), QStringLiteral("xml")},
                            TMarkdownOutline::Write(entries).bytes),
                 &headings, &blocks);

    QList<THeadingSeen> expected;
    for (const TOutlineEntry& entry : entries)
        expected.append({std::min(entry.level, 6), entry.label});
    EXPECT_EQ(headings, expected);
    // The level comments of the four deep items; every text is paragraphs only.
    EXPECT_EQ(blocks.count(QStringLiteral("html_block")), 4);
    blocks.removeAll(QStringLiteral("html_block"));
    blocks.removeAll(QStringLiteral("paragraph"));
    EXPECT_EQ(blocks, QStringList());
}

TEST(InterchangeOutsideReaders, OpmlIsAnOutlineTreeForAnyXmlReader) {
    const TOutlineEntries entries = Awkward();
    QXmlStreamReader xml(TOpmlOutline::Write(entries, QStringLiteral("title")).bytes);
    TOutlineEntries seen;
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"outline")
            seen.append({++depth, xml.attributes().value(QLatin1String("text")).toString(),
                         xml.attributes().value(QLatin1String("_note")).toString()});
        else if (xml.isEndElement() && xml.name() == u"outline")
            --depth;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(SameEntries(seen, entries));
}

TEST(InterchangeOutsideReaders, HtmlIsWellFormedAndItsContentsLinkToEveryHeading) {
    QXmlStreamReader xml(THtmlOutline::Write(Awkward(), QStringLiteral("A & <B>")).bytes);
    QStringList links;
    QStringList ids;
    QStringList deepClasses;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"a")
            links << xml.attributes().value(QLatin1String("href")).toString().mid(1);
        if (xml.name().startsWith(u"h") && xml.attributes().hasAttribute(QLatin1String("id")))
            ids << xml.attributes().value(QLatin1String("id")).toString();
        if (xml.name() == u"h6" && xml.attributes().hasAttribute(QLatin1String("class")))
            deepClasses << xml.attributes().value(QLatin1String("class")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(links.size(), Awkward().size());
    EXPECT_EQ(links, ids);
    EXPECT_EQ(deepClasses, (QStringList{"level-7", "level-8", "level-9", "level-7"}));
}

namespace {

// A large outline: levels up and down to 8, texts of a few lines, some looking like markup.
TOutlineEntries TenThousandEntries() {
    static const QStringList kLines = {QStringLiteral("本文の行"),
                                       QStringLiteral(".点"),
                                       QStringLiteral("# 見出しに見える"),
                                       QStringLiteral("- 項目"),
                                       QString(),
                                       QStringLiteral("    字下げ")};
    TOutlineEntries entries;
    int level = 1;
    for (int i = 0; i < 10000; ++i) {
        entries.append({level, QStringLiteral("項目 %1").arg(i),
                        QStringList(kLines.mid(i % 4, i % 3 + 1)).join(u'\n')});
        level = i % 7 == 6 ? 1 : std::min(level + (i % 3 == 0 ? 1 : 0), 8);
    }
    return entries;
}

TEST(InterchangeRoundTrip, TenThousandItemsComeBackThroughEveryFormatThatHoldsThem) {
    const TOutlineEntries entries = TenThousandEntries();
    const std::pair<TExportFormat, TImportFormat> formats[] = {
        {TExportFormat::HierarchicalText, TImportFormat::HierarchicalText},
        {TExportFormat::HierarchicalTextUtf8, TImportFormat::HierarchicalText},
        {TExportFormat::Markdown, TImportFormat::Markdown},
        {TExportFormat::Opml, TImportFormat::Opml},
    };
    for (const auto& [exportFormat, importFormat] : formats) {
        const TExport exported =
            TExporter::Write(exportFormat, entries, QStringLiteral("大きな文書"));
        ASSERT_TRUE(exported.Complete());
        EXPECT_EQ(TFormatRecognizer::Recognize(exported.bytes, QString()), importFormat);
        EXPECT_TRUE(SameEntries(TImporter::Read(importFormat, exported.bytes), entries));
    }
}

TEST(InterchangeRoundTrip, AFileWrittenAsItIsMadeWithTextsReadOnTheWayIsTheExportInMemory) {
    TOutlineEntries full = TenThousandEntries();
    full += AwkwardBeyondShiftJis();
    full.first().text += QString(QChar(0xDC81));  // an escaped byte
    TempDir dir;
    const QString path = dir.File(QStringLiteral("out"));
    for (const TExportFormat format :
         {TExportFormat::HierarchicalText, TExportFormat::HierarchicalTextUtf8,
          TExportFormat::Markdown, TExportFormat::Opml, TExportFormat::Html}) {
        TOutlineEntries entries = full;
        for (TOutlineEntry& entry : entries) entry.text.clear();
        TOutlineEntry* const into = entries.data();
        const TExport inMemory = TExporter::Write(format, full, QStringLiteral("題"));
        TExport accepted;
        ASSERT_TRUE(TExporter::WriteFile(
            path, format, entries, QStringLiteral("題"),
            [&](const TExport& exported) {
                accepted = exported;
                return true;
            },
            [&](qsizetype begin, qsizetype end) {
                for (qsizetype k = begin; k < end; ++k) into[k].text = full[k].text;
            }));
        EXPECT_TRUE(dir.Read(QStringLiteral("out")) == inMemory.bytes) << int(format);
        EXPECT_TRUE(accepted.bytes.isEmpty());
        EXPECT_EQ(accepted.replacedBytes, inMemory.replacedBytes);
        EXPECT_EQ(accepted.unencodable, inMemory.unencodable);
    }
    // Called off when all was made: the file stays as it was.
    EXPECT_FALSE(TExporter::WriteFile(path, TExportFormat::Opml, full, QString(),
                                      [](const TExport&) { return false; }));
    EXPECT_TRUE(dir.Read(QStringLiteral("out")).startsWith("<!DOCTYPE html>"));
}

}  // namespace
