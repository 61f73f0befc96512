#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "document/TDocumentFormatError.h"
#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutlineItemModel.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

namespace {

using Kind = TDocumentFormatError::Kind;

// One line per item: depth (as indentation), label, "+" when expanded, and the text
// with its line breaks shown as "|".
QString Describe(const TOutline& outline, const TItemTextStore& store) {
    QString description;
    outline.ForEach([&](TOutlineItem* item) {
        int depth = 0;
        for (const TOutlineItem* p = item->Parent(); p != outline.Root(); p = p->Parent()) ++depth;
        QString text = store.Load(item->ItemNumber);
        text.replace(u'\n', u'|');
        description += QString(depth * 2, u' ') + item->Label +
                       (item->Expanded() ? QStringLiteral("+") : QString()) + QStringLiteral(" [") +
                       text + QStringLiteral("]\n");
    });
    return description;
}

class DocumentReaderTest : public testing::Test {
  protected:
    DocumentReaderTest() : store(dir.Path() + QStringLiteral("Data/")) {
        QDir().mkpath(store.DataDir());
    }

    // Reads, and waits until the texts are in their files.
    TDocumentReader::Result Read(const QByteArray& bytes) {
        TDocumentReader::Result result = TDocumentReader::Read(
            bytes, [this] { return Allocate(); }, store);
        store.FinishWriting();
        return result;
    }

    // Like the main window's allocator: skips numbers whose file exists.
    int Allocate() {
        ++allocations;
        const int number = store.FirstFreeNumber(nextNumber);
        nextNumber = number + 1;
        return number;
    }

    // Reads a malformed document and returns the error; checks that nothing was
    // created on the way.
    TDocumentFormatError ReadBroken(const QByteArray& bytes) {
        try {
            Read(bytes);
        } catch (const TDocumentFormatError& error) {
            EXPECT_EQ(allocations, 0);
            EXPECT_TRUE(QDir(store.DataDir()).isEmpty());
            EXPECT_FALSE(error.Text().isEmpty());
            return error;
        }
        ADD_FAILURE() << "read without error: " << bytes.constData();
        return TDocumentFormatError(Kind::NoTreeLine, -1, QString());
    }

    TempDir dir;
    TItemTextStore store;
    int nextNumber = 0;
    int allocations = 0;
};

}  // namespace

TEST_F(DocumentReaderTest, WorkedExample) {
    nextNumber = 40;
    dir.Write(QStringLiteral("Data/41.tmp"), "someone else's");  // must be skipped
    const TDocumentReader::Result result = Read(kWorkedExample);
    const TOutline& outline = result.outline;

    ASSERT_EQ(outline.Count(), 3);
    EXPECT_EQ(Describe(outline, store), QStringLiteral("計画+ [first|second]\n"
                                                       "  詳細 []\n"
                                                       "メモ [x]\n"));
    EXPECT_EQ(outline.ItemAt(0)->ItemNumber, 40);
    EXPECT_EQ(outline.ItemAt(1)->ItemNumber, 42);
    EXPECT_EQ(outline.ItemAt(2)->ItemNumber, 43);
    EXPECT_EQ(outline.ItemAt(1)->ImageIndex, 0);
    EXPECT_EQ(outline.ItemAt(1)->SelectedIndex, 1);
    EXPECT_EQ(result.expanded, QList<TOutlineItem*>{outline.ItemAt(0)});

    // Text files are written in code page 932 with CR LF after every line; an empty
    // text still gets its (empty) file.
    EXPECT_EQ(dir.Read(QStringLiteral("Data/40.tmp")), QByteArray("first\r\nsecond\r\n"));
    EXPECT_TRUE(QFile::exists(store.Path(42)));
    EXPECT_EQ(dir.Read(QStringLiteral("Data/42.tmp")), QByteArray());
    EXPECT_EQ(dir.Read(QStringLiteral("Data/43.tmp")), QByteArray("x\r\n"));
    EXPECT_EQ(dir.Read(QStringLiteral("Data/41.tmp")), QByteArray("someone else's"));
}

TEST_F(DocumentReaderTest, HeaderIsRecognisedByItsFirstSixteenCharacters) {
    for (const QByteArray& header :
         {QByteArray("qlm oe data form 1.0\r\n"), QByteArray("qlm oe data form\r\n"),
          QByteArray("qlm oe data formXYZ\r\n"), QByteArray()}) {
        const TDocumentReader::Result result = Read(header + "Tree=1,0=1\r\nnil:a:0\r\nt\r\n");
        EXPECT_EQ(Describe(result.outline, store), QStringLiteral("a [t]\n")) << header.constData();
    }
}

TEST_F(DocumentReaderTest, HeaderMarkIsCaseSensitive) {
    // Taken as the tree line, which has no "Tree" field.
    EXPECT_EQ(ReadBroken("QLM OE DATA FORM 1.3\r\nTree=1,0=0\r\nnil:a:0\r\n").GetKind(),
              Kind::NoTreeField);
}

TEST_F(DocumentReaderTest, TreeLineNamesIgnoreCaseAndOrderFirstMatchWins) {
    const TDocumentReader::Result result =
        Read("tree=2,1=0,0=3\r\nnil:a:0\r\nnil:b:0\r\n1\r\n2\r\n3\r\n");
    EXPECT_EQ(Describe(result.outline, store), QStringLiteral("a [1|2|3]\nb []\n"));

    const TDocumentReader::Result second =
        Read("TREE=1,Tree=5,junk,0=1,0=7,\"x,y\"\r\nnil:a:0\r\nt\r\n");
    EXPECT_EQ(Describe(second.outline, store), QStringLiteral("a [t]\n"));
}

TEST_F(DocumentReaderTest, TextBlockIsCutByTheCountsAlone) {
    // Texts that look like tree or item lines, empty lines, lines past the counts.
    const TDocumentReader::Result result = Read(
        "qlm oe data form 1.3\r\nTree=3,0=2,1=0,2=3\r\nnil:a:1\r\n0:b:1\r\nnil:c:0\r\n"
        "Tree=5\r\nnil:x:1\r\n"
        "\r\nlast\r\n\r\n"
        "ignored\r\nignored too\r\n");
    EXPECT_EQ(Describe(result.outline, store),
              QStringLiteral("a+ [Tree=5|nil:x:1]\n  b+ []\nc [|last|]\n"));
    // The final empty line survives in the item's file.
    EXPECT_EQ(dir.Read(QStringLiteral("Data/2.tmp")), QByteArray("\r\nlast\r\n\r\n"));
}

TEST_F(DocumentReaderTest, AnyLineBreakEndsALineAndNulEndsTheText) {
    const TDocumentReader::Result result =
        Read(QByteArray("Tree=1,0=3\rnil:a:0\nx\r\ny\rz") + QByteArray("\0more\r\n", 7));
    EXPECT_EQ(Describe(result.outline, store), QStringLiteral("a [x|y|z]\n"));
    // Without a final line break the last line still counts.
    EXPECT_EQ(dir.Read(QStringLiteral("Data/0.tmp")), QByteArray("x\r\ny\r\nz\r\n"));
}

TEST_F(DocumentReaderTest, TextsKeepTheirBytesThroughLoadAndSave) {
    // ED 40 and FA 5C decode to the same character; a text in the document's own form
    // goes to its file as it is, so an unchanged document saves back byte for byte.
    const QByteArray document(
        "qlm oe data form 1.3\r\nTree=3,0=2,1=1,2=1\r\nnil:\x82\xA0:1\r\n0:b:0\r\nnil:c:0\r\n"
        "\xED\x40 and \xFA\x5C\r\n\r\n\x82\xA0\r\nlast line without a break");
    const TDocumentReader::Result result = Read(document);
    EXPECT_EQ(dir.Read(QStringLiteral("Data/0.tmp")), QByteArray("\xED\x40 and \xFA\x5C\r\n\r\n"));
    EXPECT_EQ(store.Load(0), QString::fromUtf16(u"\u7E8A and \u7E8A\n"));
    EXPECT_EQ(Describe(result.outline, store),
              QString::fromUtf16(
                  u"\u3042+ [\u7E8A and \u7E8A|]\n  b [\u3042]\nc [last line without a break]\n"));
    EXPECT_EQ(TDocumentWriter::Write(result.outline, store).Bytes(), document + "\r\n");
}

TEST_F(DocumentReaderTest, TextsThatLookLikeTheUtf8FormAreDecoded) {
    // EF BB BF are code page 932 bytes too; as the start of an item text file they
    // would be taken for the UTF-8 form.
    const QByteArray bytes(
        "\xEF\xBB\xBF"
        "abc");
    Read("Tree=1,0=1\r\nnil:a:0\r\n" + bytes + "\r\n");
    EXPECT_EQ(store.Load(0), Cp932Codec::Decode(bytes));
}

TEST_F(DocumentReaderTest, ABrokenDoubleByteCharacterStaysInItsLabel) {
    const TDocumentReader::Result result =
        Read("Tree=3,0=0,1=0,2=0\r\nnil:a\x82:0\r\nnil:\x82:0\r\nnil:b:0\r\n");
    const TOutline& outline = result.outline;
    ASSERT_EQ(outline.Count(), 3);
    EXPECT_EQ(outline.ItemAt(0)->Label, Cp932Codec::Decode("a\x82"));
    EXPECT_EQ(outline.ItemAt(1)->Label, Cp932Codec::Decode("\x82"));
    EXPECT_EQ(outline.ItemAt(2)->Label, QStringLiteral("b"));
}

TEST_F(DocumentReaderTest, LabelsKeepColonsAndQuotes) {
    const TDocumentReader::Result result =
        Read("Tree=4,0=0,1=0,2=0,3=0\r\nnil:a:b:1\r\n0:\"x:y\":0\r\n0:odd\"quote:1\r\nnil::0\r\n");
    EXPECT_EQ(Describe(result.outline, store),
              QStringLiteral("a:b+ []\n  \"x:y\" []\n  odd\"quote+ []\n []\n"));
}

TEST_F(DocumentReaderTest, ExpandedOnlyForExactlyOne) {
    const TDocumentReader::Result result =
        Read("Tree=3,0=0,1=0,2=0\r\nnil:a:1 \r\nnil:b:\r\nnil:c:true\r\n");
    EXPECT_TRUE(result.expanded.isEmpty());
    EXPECT_EQ(Describe(result.outline, store), QStringLiteral("a []\nb []\nc []\n"));
}

TEST_F(DocumentReaderTest, ParentIndexNamesTheItemOfThatItemLine) {
    // Never written by the program (c would stand before b); c goes below a.
    const TDocumentReader::Result result =
        Read("Tree=3,0=0,1=0,2=0\r\nnil:a:0\r\nnil:b:0\r\n0:c:0\r\n");
    EXPECT_EQ(Describe(result.outline, store), QStringLiteral("a []\n  c []\nb []\n"));
}

TEST_F(DocumentReaderTest, MalformedDocumentsNameProblemAndLine) {
    struct Case {
        QByteArray bytes;
        Kind kind;
        int line;
    };
    const Case cases[] = {
        {"", Kind::NoTreeLine, 1},
        {"qlm oe data form 1.3\r\n", Kind::NoTreeLine, 2},
        {"qlm oe data form 1.3\r\n0=0,1=0\r\nnil:a:0\r\n", Kind::NoTreeField, 2},
        {"Tree=x,0=0\r\nnil:a:0\r\n", Kind::BadItemCount, 1},
        {"Tree=-1,0=0\r\nnil:a:0\r\n", Kind::BadItemCount, 1},
        {"Tree= 1,0=0\r\nnil:a:0\r\n", Kind::BadItemCount, 1},
        {"Tree=99999999999,0=0\r\nnil:a:0\r\n", Kind::BadItemCount, 1},
        {"Tree=0\r\n", Kind::NoItems, 1},
        {"qlm oe data form 1.3\r\nTree=3,0=0,1=0,2=0\r\nnil:a:0\r\nnil:b:0\r\n",
         Kind::MissingItemLines, 4},
        {"Tree=2,0=0\r\nnil:a:0\r\nnil:b:0\r\n", Kind::MissingLineCount, 1},
        {"Tree=1,0=1x\r\nnil:a:0\r\nt\r\n", Kind::BadLineCount, 1},
        {"Tree=1,0=\r\nnil:a:0\r\n", Kind::BadLineCount, 1},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\nnil-b-0\r\n", Kind::BadItemLine, 3},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\nnil:b\r\n", Kind::BadItemLine, 3},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\nNIL:b:0\r\n", Kind::BadParentIndex, 3},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\n:b:0\r\n", Kind::BadParentIndex, 3},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\n1:b:0\r\n", Kind::ParentOutOfRange, 3},
        {"Tree=2,0=0,1=0\r\nnil:a:0\r\n7:b:0\r\n", Kind::ParentOutOfRange, 3},
        {"Tree=1,0=0\r\n0:a:0\r\n", Kind::ParentOutOfRange, 2},
        {"Tree=2,0=1,1=2\r\nnil:a:0\r\nnil:b:0\r\nt\r\nu\r\n", Kind::TruncatedText, 5},
        {"Tree=1,0=2147483647\r\nnil:a:0\r\n", Kind::TruncatedText, 2},
    };
    for (const Case& c : cases) {
        const TDocumentFormatError error = ReadBroken(c.bytes);
        EXPECT_EQ(error.GetKind(), c.kind) << c.bytes.constData();
        EXPECT_EQ(error.Line(), c.line) << c.bytes.constData();
        if (c.kind != Kind::NoTreeLine) {
            EXPECT_TRUE(error.Text().contains(QString::number(c.line)))
                << c.bytes.constData() << error.what();
        }
    }
}

TEST_F(DocumentReaderTest, CheckCreatesNothing) {
    TDocumentReader::Check(kWorkedExample);
    EXPECT_EQ(allocations, 0);
    EXPECT_TRUE(QDir(store.DataDir()).isEmpty());
    EXPECT_THROW(TDocumentReader::Check("Tree=1\r\n"), TDocumentFormatError);
}

TEST_F(DocumentReaderTest, ModelIsReplacedInOneResetOrNotAtAll) {
    TOutlineItemModel model;
    model.InsertItem(nullptr, 0, QStringLiteral("old"), 500);
    int resets = 0;
    int inserts = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });

    const auto allocate = [this] { return Allocate(); };
    EXPECT_THROW(
        TDocumentReader::Read("Tree=2,0=0,1=0\r\nnil:a:0\r\n5:b:0\r\n", model, allocate, store),
        TDocumentFormatError);
    ASSERT_EQ(model.Outline().Count(), 1);
    EXPECT_EQ(model.Outline().First()->Label, QStringLiteral("old"));
    EXPECT_EQ(resets, 0);

    const QList<TOutlineItem*> expanded =
        TDocumentReader::Read(kWorkedExample, model, allocate, store);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(inserts, 0);
    ASSERT_EQ(model.Outline().Count(), 3);
    EXPECT_EQ(expanded, QList<TOutlineItem*>{model.Outline().ItemAt(0)});
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 1);
    EXPECT_EQ(model.data(model.index(0, 0, model.index(0, 0))).toString(), QStringLiteral("詳細"));
}

// The texts reach their files behind the reading: a file that cannot be written is
// reported, and every text stays readable, so a save still writes all of them.
TEST_F(DocumentReaderTest, UnwritableTextFilesAreReportedAndTheTextsStayReadable) {
    TItemTextStore missing(dir.Path() + QStringLiteral("NoSuchFolder/"));
    QStringList reported;
    missing.OnWriteBehindFailure([&](const QString& message) { reported << message; });
    TOutlineItemModel model;
    TDocumentReader::Read(
        kWorkedExample, model, [this] { return Allocate(); }, missing);
    missing.FinishWriting();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].startsWith(QStringLiteral("ファイル "))) << reported[0].toStdString();
    EXPECT_TRUE(reported[0].contains(QStringLiteral("を作成できません")))
        << reported[0].toStdString();
    EXPECT_EQ(Describe(model.Outline(), missing), QStringLiteral("計画+ [first|second]\n"
                                                                 "  詳細 []\n"
                                                                 "メモ [x]\n"));
    EXPECT_EQ(TDocumentWriter::Write(model.Outline(), missing).Bytes(), kWorkedExample);
    missing.RemoveAll();
    EXPECT_FALSE(missing.Exists(model.Outline().First()->ItemNumber)) << "nothing is left to write";
}

// A session killed while the opened document's texts were still being written: its
// record names them as parts of the document's copy, which gives them back at the next
// start, unless a text stored later is in the item's file.
TEST_F(DocumentReaderTest, TextsNotYetInTheirFilesComeBackFromTheDocumentsCopy) {
    const QString blocked = store.Path(0) + QStringLiteral(".new.tmp");
    ASSERT_TRUE(QDir().mkpath(blocked));  // the first file cannot be written: writing stops there
    TOutlineItemModel model;
    TDocumentReader::Read(
        kWorkedExample, model, [this] { return Allocate(); }, store);
    store.FinishWriting();
    const auto inSource = store.TextsInSource();
    ASSERT_TRUE(inSource.has_value());
    EXPECT_EQ(inSource->size(), 3u);
    store.Store(model.Outline().ItemAt(2)->ItemNumber, u"newer");
    QDir(blocked).removeRecursively();

    const QString expected = QStringLiteral("計画+ [first|second]\n  詳細 []\nメモ [newer]\n");
    const TItemTextStore nextStart(store.DataDir());
    nextStart.TakeTextsFromSource(*inSource);
    EXPECT_EQ(Describe(model.Outline(), nextStart), expected);
    nextStart.FinishWriting();
    EXPECT_EQ(Describe(model.Outline(), TItemTextStore(store.DataDir())), expected)
        << "the files hold them";
    EXPECT_FALSE(QFile::exists(store.SourcePath()))
        << "the copy goes once every text is in its file";

    QFile::remove(store.Path(0));
    dir.Write(QStringLiteral("Data/Hedgerow.source.tmp"),
              "qlm");  // a copy that does not hold them is refused
    EXPECT_THROW(TItemTextStore(store.DataDir()).TakeTextsFromSource(*inSource), AppError);
}

// A copy of the document that does not fit leaves no part of it to take the room the
// texts need.
TEST_F(DocumentReaderTest, ACopyThatDoesNotFitLeavesNothingBehind) {
    TOutlineItemModel model;
    {
        const FileSizeLimit limit(32);  // the document does not fit, each text does
        TDocumentReader::Read(
            kWorkedExample, model, [this] { return Allocate(); }, store);
        store.FinishWriting();
    }
    EXPECT_FALSE(QFile::exists(store.SourcePath()));
    EXPECT_EQ(Describe(model.Outline(), TItemTextStore(store.DataDir())),
              QStringLiteral("計画+ [first|second]\n  詳細 []\nメモ [x]\n"));
}

TEST_F(DocumentReaderTest, ReadFile) {
    dir.Write(QStringLiteral("memo.qlo"), kWorkedExample);
    EXPECT_EQ(TDocumentReader::ReadFile(dir.File(QStringLiteral("memo.qlo"))), kWorkedExample);
    EXPECT_THROW(TDocumentReader::ReadFile(dir.File(QStringLiteral("none.qlo"))), AppError);
    // A pipe would block the read until a writer comes; a folder is no document either.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.File(QStringLiteral("pipe.qlo"))).constData(), 0600), 0);
    EXPECT_THROW(TDocumentReader::ReadFile(dir.File(QStringLiteral("pipe.qlo"))), AppError);
    EXPECT_THROW(TDocumentReader::ReadFile(dir.Path()), AppError);
}

TEST_F(DocumentReaderTest, NestingDeeperThanTheLimitIsRefusedBeforeAnythingIsCreated) {
    const auto chain = [](int depth) {
        QByteArray tree = "Tree=" + QByteArray::number(depth);
        QByteArray items;
        for (int k = 0; k < depth; ++k) {
            tree += "," + QByteArray::number(k) + "=0";
            items += (k == 0 ? QByteArray("nil") : QByteArray::number(k - 1)) + ":a:1\r\n";
        }
        return tree + "\r\n" + items;
    };
    EXPECT_NO_THROW(TDocumentReader::Check(chain(TDocumentReader::kMaxDepth)));
    const TDocumentFormatError error = ReadBroken(chain(TDocumentReader::kMaxDepth + 1));
    EXPECT_EQ(error.GetKind(), Kind::TooDeep);
    EXPECT_EQ(error.Line(), TDocumentReader::kMaxDepth + 2);
    EXPECT_EQ(allocations, 0);
}

TEST_F(DocumentReaderTest, RoundTripOfASeveralLevelOutline) {
    // Written, read back into fresh item text files, written again: same document.
    TOutline outline;
    int number = 1000;
    const auto add = [&](TOutlineItem* parent, const QString& label, const QString& text,
                         bool expanded) {
        if (!parent) parent = outline.Root();
        TOutlineItem* item = outline.Insert(parent, parent->ChildCount(), label, number);
        outline.SetExpanded(item, expanded);
        store.Store(number++, text);
        return item;
    };
    TOutlineItem* plan =
        add(nullptr, QStringLiteral("計画"), QStringLiteral("一行目\n二行目"), true);
    TOutlineItem* detail = add(plan, QStringLiteral("詳細：表示"), QString(), false);
    add(detail, QStringLiteral("ソース\\表"), QStringLiteral("Tree=5\nnil:x:1\n"), true);
    add(detail, QStringLiteral("a:b \"c"), QStringLiteral("\n"), false);
    add(plan, QStringLiteral(""), QStringLiteral("①②③ ～"), false);
    TOutlineItem* memo = add(nullptr, QStringLiteral("メモ"), QStringLiteral("x"), false);
    add(memo, QStringLiteral("半角ｶﾅ"), QStringLiteral("ｱｲｳ\n\n"), true);

    const QString before = Describe(outline, store);
    const TDocumentWriter::Output written = TDocumentWriter::Write(outline, store);
    ASSERT_TRUE(written.Complete()) << qPrintable(written.unencodable);

    const TDocumentReader::Result read = Read(written.Bytes());
    EXPECT_EQ(Describe(read.outline, store), before);
    EXPECT_EQ(read.expanded.size(), 3);
    EXPECT_EQ(TDocumentWriter::Write(read.outline, store).Bytes(), written.Bytes());
}

TEST_F(DocumentReaderTest, LargeDocumentRoundTrip) {
    // 10,000 items, half of them nested ten deep, with a few lines of text each.
    TOutline outline;
    TOutlineItem* parent = outline.Root();
    for (int i = 0; i < 10000; ++i) {
        TOutlineItem* item =
            outline.Insert(parent, parent->ChildCount(), QStringLiteral("項目%1").arg(i), i);
        store.Store(i, QStringLiteral("本文 %1\n二行目\n三行目").arg(i));
        if (i % 2 == 0) parent = i % 20 == 0 ? outline.Root() : item;
    }
    const QByteArray bytes = TDocumentWriter::Write(outline, store).Bytes();
    nextNumber = 10000;
    const TDocumentReader::Result read = Read(bytes);
    ASSERT_EQ(read.outline.Count(), 10000);
    EXPECT_EQ(TDocumentWriter::Write(read.outline, store).Bytes(), bytes);
}
