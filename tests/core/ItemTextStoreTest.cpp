#include <gtest/gtest.h>

#include <QFileInfo>

#include "document/TItemTextStore.h"
#include "platform/AppError.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace {

TEST(ItemTextStore, PathsNameTheItemNumber) {
    TItemTextStore store("/x/Data/");
    EXPECT_EQ(store.Path(12), "/x/Data/12.tmp");
    EXPECT_EQ(store.Path(0), "/x/Data/0.tmp");
}

TEST(ItemTextStore, StoresCodePage932WithCrLfAndReadsItBack) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    store.Store(3, u"一行目\n二行目");
    EXPECT_EQ(dir.Read("3.tmp"),
              QByteArray("\x88\xea\x8d\x73\x96\xda\r\n\x93\xf1\x8d\x73\x96\xda\r\n"));
    EXPECT_EQ(store.Load(3), QString::fromUtf16(u"一行目\n二行目"));
}

TEST(ItemTextStore, MissingFileIsAnEmptyText) {
    TempDir dir;
    EXPECT_EQ(TItemTextStore(dir.Path()).Load(7), QString());
}

TEST(ItemTextStore, KeepsCharactersCodePage932CannotHold) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    const QString text = QString::fromUtf16(u"絵文字 😀 と 𠮷野家\n次の行");
    store.Store(1, text);
    EXPECT_EQ(store.Load(1), text);
    store.Store(1, u"普通の文章");
    EXPECT_EQ(dir.Read("1.tmp").left(2), QByteArray("\x95\x81"));
}

TEST(ItemTextStore, KeepsBytesThatAreNoCharacterNextToAnEmoji) {
    TempDir dir;
    const QByteArray bytes(
        "a\x80"
        "b\r\n");
    dir.Write("2.tmp", bytes);
    TItemTextStore store(dir.Path());
    const QString text = store.Load(2) + QString::fromUtf16(u"😀");  // the UTF-8 form
    store.Store(2, text);
    EXPECT_EQ(store.Load(2), text);
    store.Store(2, store.Load(2).chopped(2));
    EXPECT_EQ(dir.Read("2.tmp"), bytes);
}

TEST(ItemTextStore, ReadsForeignLineBreaksAndStopsAtNul) {
    TempDir dir;
    dir.Write("5.tmp", QByteArray("a\rb\nc\r\nd\0ignored", 16));
    EXPECT_EQ(TItemTextStore(dir.Path()).Load(5), QString("a\nb\nc\nd"));
}

TEST(ItemTextStore, DocumentLinesAreTakenAsTheyAreOnlyInTheDocumentsOwnForm) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    store.Store(1, QString::fromUtf16(u"一\n\n三"));
    QByteArray document("before\r\n");
    qsizetype lines = -1;
    ASSERT_TRUE(store.AppendDocumentLines(1, document, &lines));
    EXPECT_EQ(document, "before\r\n" + dir.Read("1.tmp"));
    EXPECT_EQ(lines, 3);

    store.Store(2, u"");
    ASSERT_TRUE(store.AppendDocumentLines(2, document, &lines));
    EXPECT_EQ(lines, 0);

    const QByteArray taken = document;
    store.Store(3, QString::fromUtf16(u"emoji 😀"));  // the UTF-8 form
    EXPECT_FALSE(store.AppendDocumentLines(3, document, &lines));
    const QByteArray foreign[] = {"a\nb\r\n", "a\rb\r\n", "a\r\nb", QByteArray("a\0b\r\n", 5),
                                  "\n\r\n",   "a\r\r\n",  "\r\n\n", "\r"};
    for (const QByteArray& bytes : foreign) {
        dir.Write("4.tmp", bytes);
        EXPECT_FALSE(store.AppendDocumentLines(4, document, &lines))
            << bytes.toPercentEncoding().constData();
    }
    EXPECT_EQ(document, taken);  // nothing of a refused file stays behind
    EXPECT_THROW(store.AppendDocumentLines(99, document, &lines), AppError);
}

TEST(ItemTextStore, LongDocumentLinesAreCountedExactly) {
    TempDir dir;
    QByteArray bytes;
    for (int i = 0; i < 50'000; ++i) bytes += QByteArray(i % 97, 'x') + "\r\n";
    dir.Write("7.tmp", bytes);
    QByteArray document;
    qsizetype lines = 0;
    ASSERT_TRUE(TItemTextStore(dir.Path()).AppendDocumentLines(7, document, &lines));
    EXPECT_EQ(lines, 50'000);
    EXPECT_EQ(document, bytes);

    bytes.insert(bytes.size() / 2, '\n');  // a lone LF deep inside
    dir.Write("7.tmp", bytes);
    document.clear();
    EXPECT_FALSE(TItemTextStore(dir.Path()).AppendDocumentLines(7, document, &lines));
}

// An import stores thousands of texts at once: those a document could hold wait for
// their files, the others are written at once, and no waiting number is handed out again.
TEST(ItemTextStore, TextsStoredBehindAreReadableAndTheirNumbersTaken) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    const QString emoji = QString::fromUtf16(u"絵文字 😀");
    // Bytes in a file's form are taken as they stand; others read as the text they are.
    const QByteArray fileForm("\xED\x40\r\n\x85\x40\r\n");
    store.StoreBehind({{4, QStringLiteral("一行目\n二行目"), {}, {}},
                       {5, QString(), {}, {}},
                       {6, emoji, {}, {}},
                       {7, QStringLiteral("a\rb"), {}, {}},
                       {8, QString(), fileForm, {}},
                       {9, QString(), "x\ny", {}}});
    EXPECT_EQ(store.Load(4), QString::fromUtf16(u"一行目\n二行目"));
    EXPECT_EQ(store.Load(6), emoji);
    EXPECT_TRUE(store.ExistingNumbers().contains(QSet<int>({4, 5, 6, 7})));
    store.FinishWriting();
    EXPECT_EQ(dir.Read("4.tmp"),
              QByteArray("\x88\xea\x8d\x73\x96\xda\r\n\x93\xf1\x8d\x73\x96\xda\r\n"));
    EXPECT_TRUE(QFileInfo::exists(store.Path(5)));
    EXPECT_EQ(store.Load(7), QStringLiteral("a\nb"));
    EXPECT_EQ(dir.Read("8.tmp"), fileForm);
    EXPECT_EQ(store.Load(9), QStringLiteral("x\ny"));
}

// An import's file that holds its texts as their files do is kept as it is, not copied:
// each text is read from its own place in it, an empty one included.
TEST(ItemTextStore, TextsStoredBehindFromOneBlockAreReadFromTheirPlacesInIt) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    const QByteArray block(".a\r\n\x88\xea\r\n.b\r\n\x93\xf1\r\n\x8d\x73\r\n");
    const QByteArrayView bytes(block);
    store.StoreBehind({{1, QString(), bytes.sliced(4, 4), block},
                       {2, QString(), bytes.sliced(8, 0), block},
                       {3, QString(), bytes.sliced(12, 8), block}});
    EXPECT_EQ(store.Load(1), QString::fromUtf16(u"一"));
    EXPECT_EQ(store.Load(3), QString::fromUtf16(u"二\n行"));
    store.FinishWriting();
    EXPECT_EQ(dir.Read("1.tmp"), QByteArray("\x88\xea\r\n"));
    EXPECT_EQ(dir.Read("2.tmp"), QByteArray());
    EXPECT_EQ(dir.Read("3.tmp"), QByteArray("\x93\xf1\r\n\x8d\x73\r\n"));
}

TEST(ItemTextStore, FirstFreeNumberSkipsExistingFiles) {
    TempDir dir;
    dir.Write("2.tmp", "");
    dir.Write("3.tmp", "");
    TItemTextStore store(dir.Path());
    EXPECT_EQ(store.FirstFreeNumber(0), 0);
    EXPECT_EQ(store.FirstFreeNumber(2), 4);
}

TEST(ItemTextStore, RemoveAllDeletesOnlyItemTextFilesEvenReadOnlyOnes) {
    TempDir dir;
    dir.Write("1.tmp", "x");
    dir.Write("2.TMP", "x");
    dir.Write("Back.bmp", "x");
    QFile::setPermissions(dir.File("1.tmp"), QFile::ReadOwner);
    TItemTextStore(dir.Path()).RemoveAll();
    EXPECT_FALSE(QFile::exists(dir.File("1.tmp")));
    EXPECT_FALSE(QFile::exists(dir.File("2.TMP")));
    EXPECT_TRUE(QFile::exists(dir.File("Back.bmp")));
}

TEST(ItemTextStore, FailingToWriteThrowsTheCreateMessageWithTheReason) {
    TItemTextStore store("/nonexistent-folder/Data/");
    try {
        store.Store(0, u"text");
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("ファイル %1 を作成できません\nフォルダーがありません。")
                      .arg(QDir::toNativeSeparators(store.Path(0))));
    }
}

TEST(ItemTextStore, AWriteBeyondTheFileSizeLimitGivesTheSystemsReason) {
    TempDir dir;
    TItemTextStore store(dir.Path());
    QString text;
    try {
        const FileSizeLimit limit(16);
        store.Store(1, QString(100, u'x'));
    } catch (const AppError& error) {
        text = error.Text();
    }
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << text.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("ファイル %1 を作成できません")
                            .arg(QDir::toNativeSeparators(store.Path(1))));
    EXPECT_FALSE(lines[1].isEmpty());
}

}  // namespace
