#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <cerrno>
#include <climits>

#include "document/TRecoveryRecord.h"
#include "platform/AppError.h"
#include "support/TempDir.h"

namespace {

// Every item with everything the record keeps of it, its parent as an absolute index.
QStringList Items(const TOutline& outline) {
    QStringList items;
    int index = 0;
    QHash<const TOutlineItem*, int> indexes;
    outline.ForEach([&](TOutlineItem* item) {
        indexes[item] = index++;
        const int parent = item->Parent() == outline.Root() ? -1 : indexes.value(item->Parent());
        QString codeUnits;
        for (const QChar c : item->Label) codeUnits += QString::number(c.unicode(), 16) + u' ';
        items << QStringLiteral("%1 | %2 %3 %4 %5 | %6 | %7")
                     .arg(parent)
                     .arg(item->ItemNumber)
                     .arg(item->Expanded() ? 1 : 0)
                     .arg(item->ImageIndex)
                     .arg(item->SelectedIndex)
                     .arg(QString::fromLatin1(item->LabelBytes.toHex()), codeUnits);
    });
    return items;
}

void ExpectSame(const TRecoveryRecord& actual, const TRecoveryRecord& expected) {
    EXPECT_EQ(actual.EditFile, expected.EditFile);
    EXPECT_EQ(actual.Modified, expected.Modified);
    EXPECT_EQ(actual.CurrentItemIndex, expected.CurrentItemIndex);
    EXPECT_EQ(actual.Outline.Count(), expected.Outline.Count());
    EXPECT_EQ(Items(actual.Outline), Items(expected.Outline));
    EXPECT_EQ(actual.SourceTexts, expected.SourceTexts);
    ASSERT_EQ(actual.Loaded.has_value(), expected.Loaded.has_value());
    if (expected.Loaded) {
        EXPECT_EQ(actual.Loaded->path, expected.Loaded->path);
        EXPECT_EQ(std::tuple(actual.Loaded->size, actual.Loaded->inode, actual.Loaded->modified,
                             actual.Loaded->changed),
                  std::tuple(expected.Loaded->size, expected.Loaded->inode,
                             expected.Loaded->modified, expected.Loaded->changed));
    }
}

// Labels that could break a line or a field, escapes of bytes code page 932 cannot map,
// kept label bytes, four levels and both expanded states, and texts still in the
// document's copy, one past 4 GB.
TRecoveryRecord AwkwardRecord() {
    TOutline outline;
    TOutlineItem* a =
        outline.Insert(outline.Root(), 0, QString::fromUtf16(u"一行目\n二行目\r\n三"), 7);
    outline.SetExpanded(a, true);
    a->ImageIndex = 2;
    a->SelectedIndex = 3;
    TOutlineItem* b = outline.Insert(a, 0, QString::fromUtf16(u"\xDC80x\xDCFF:a,b %41% "), 0);
    outline.SetExpanded(b, true);
    TOutlineItem* c = outline.Insert(b, 0, QString::fromUtf16(u"😀 end 1\0nul\xD83D", 13), 3);
    TOutlineItem* d = outline.Insert(c, 0, QString::fromUtf16(u"①"), 12);
    d->LabelBytes = QByteArray("\x87\x40");
    outline.Insert(c, 1, QString(), 4);
    outline.Insert(a, 1, QString::fromUtf16(u"\tタブ\uFEFF\uFFFD\x7F"), INT_MAX);
    TOutlineItem* e = outline.Insert(outline.Root(), 1, QString(), 1);
    e->LabelBytes = QByteArray("\0\xff", 2);
    e->ImageIndex = -1;
    TRecoveryRecord record = TRecoveryRecord::Of(
        outline, QString::fromUtf16(u"/home/利用者/文書 😀/計画 100%\n.qlo"), true, 3);
    record.SourceTexts = {{7, 120, 0, 0}, {12, 4'500'000'000, 52, 3}};
    // The document as loaded: a time before 1970, a path with a line break.
    record.Loaded =
        TFileFingerprint{record.EditFile, 5'000'000'000, 1835012, -1, 1733650000123456789};
    return record;
}

TEST(RecoveryRecord, KeepsEveryLabelAndNumberExactly) {
    const TRecoveryRecord awkward = AwkwardRecord();
    TRecoveryRecord stale;  // the editor's text belongs to no item
    stale.EditFile = QStringLiteral("nil");
    stale.Outline.Insert(stale.Outline.Root(), 0, QStringLiteral("only"), 0);
    stale.CurrentItemIndex = 1;
    TRecoveryRecord empty;
    empty.EditFile = QStringLiteral("nil");

    TempDir dir;
    for (const TRecoveryRecord* record :
         std::initializer_list<const TRecoveryRecord*>{&awkward, &stale, &empty}) {
        const QByteArray bytes = record->Serialize();
        // Nothing in a label or the path breaks a line.
        EXPECT_EQ(bytes.count('\n'), record->Outline.Count() + record->SourceTexts.size() + 6)
            << bytes.constData();
        const TRecoveryRecord parsed = TRecoveryRecord::Parse(bytes);
        ExpectSame(parsed, *record);
        EXPECT_EQ(parsed.Serialize(), bytes);

        TRecoveryRecord::Write(dir.File("recovery"), *record);
        const std::optional<TRecoveryRecord> read = TRecoveryRecord::Read(dir.File("recovery"));
        ASSERT_TRUE(read.has_value());
        ExpectSame(*read, *record);
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"recovery"});
}

TEST(RecoveryRecord, RefusesEveryRecordCutShort) {
    const QByteArray bytes = AwkwardRecord().Serialize();
    QList<qsizetype> accepted;
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        try {
            TRecoveryRecord::Parse(bytes.first(n));
            accepted << n;
        } catch (const AppError&) {
        }
    }
    EXPECT_EQ(accepted, QList<qsizetype>());
}

TEST(RecoveryRecord, RefusesChangedBytesAndNamesTheBrokenLine) {
    const QByteArray bytes = AwkwardRecord().Serialize();
    QList<qsizetype> accepted;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        QByteArray changed = bytes;
        changed[i] = static_cast<char>(changed[i] ^ 1);
        try {
            TRecoveryRecord::Parse(changed);
            accepted << i;
        } catch (const AppError&) {
        }
    }
    EXPECT_EQ(accepted, QList<qsizetype>());

    // Records whose lines are wrong in themselves; the checksum is never reached.
    const QByteArray head = "hedgerow recovery 1\nfile nil\nmodified 0\ncurrent 0\n";
    const QByteArray end = "end 3 0123456789abcdef\n";
    const struct {
        QByteArray items;
        int line;
    } broken[] = {
        {"nil 1 0 0 1 - a\n1 2 0 0 1 - b\n0 3 0 0 1 - c\n", 6},         // parent not yet read
        {"nil 1 0 0 1 - a\n0 2 0 0 1 - b\n1 1 0 0 1 - c\n", 7},         // ItemNumber twice
        {"nil 1 0 0 1 - a\nnil 2 0 0 1 - b\n0 3 0 0 1 - c\n", 7},       // not depth first
        {"nil 1 0 0 1 - a\n0 2 0 0 x - b\n0 3 0 0 1 - c\n", 6},         // no number
        {"nil 1 0 0 1 - a\n0 2 0 0 1 - b%DC8\n0 3 0 0 1 - c\n", 6},     // escape cut short
        {"nil 1 0 0 1 - a\n0 2 0 0 1 - \xC0\x80\n0 3 0 0 1 - c\n", 6},  // no UTF-8
        {"nil 1 0 0 1 - a\n0 2 0 0 1 878 b\n0 3 0 0 1 - c\n", 6},       // odd label bytes
        {"nil 1 0 0 1 - a\n0 2 0 0 1 - b\n0 3 0 0 1 - c\tc\n", 7},      // raw tab
        {"nil 1 0 0 1 - a\n0 2 0 0 1 - b\n", 7},                        // item count
    };
    for (const auto& [items, line] : broken) {
        try {
            TRecoveryRecord::Parse(head + items + end);
            ADD_FAILURE() << "accepted: " << items.constData();
        } catch (const AppError& error) {
            EXPECT_TRUE(error.Text().contains(QStringLiteral("%1 行目").arg(line))) << error.what();
        }
    }
    try {
        TRecoveryRecord::Parse(
            "hedgerow recovery 1\nfile nil\nmodified 0\ncurrent 2\nnil 1 0 0 1 - a\n"
            "end 1 0123456789abcdef\n");
        ADD_FAILURE() << "a selected item past the end was accepted";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.Text().contains(QStringLiteral("4 行目"))) << error.what();
    }
    try {
        TRecoveryRecord::Parse("hedgerow recovery 4\nwhatever\n");
        ADD_FAILURE() << "another version was accepted";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.Text().contains(QStringLiteral("'4'"))) << error.what();
    }
}

TEST(RecoveryRecord, RefusesOutlinesDeeperThanADocumentMayNest) {
    for (const int depth : {4096, 4097}) {
        TRecoveryRecord record;
        TOutlineItem* parent = record.Outline.Root();
        for (int level = 0; level < depth; ++level)
            parent = record.Outline.Insert(parent, 0, QStringLiteral("x"), level);
        const QByteArray bytes = record.Serialize();
        if (depth == 4096)
            EXPECT_EQ(TRecoveryRecord::Parse(bytes).Outline.Count(), depth);
        else
            EXPECT_THROW(TRecoveryRecord::Parse(bytes), AppError);
    }
}

TEST(RecoveryRecord, WriteReplacesTheRecordWholeOrNotAtAll) {
    TempDir dir;
    const QString path = dir.File("recovery");
    EXPECT_FALSE(TRecoveryRecord::Read(path).has_value());

    const TRecoveryRecord first = AwkwardRecord();
    TRecoveryRecord::Write(path, first);
    const QByteArray written = dir.Read("recovery");

    // The temporary file cannot be made: the old record stays as it was.
    QDir(dir.Path()).mkdir("recovery.new");
    TRecoveryRecord second;
    second.EditFile = QStringLiteral("nil");
    EXPECT_THROW(TRecoveryRecord::Write(path, second), AppError);
    EXPECT_EQ(dir.Read("recovery"), written);

    const QString nowhere = dir.File("missing/recovery");
    try {
        TRecoveryRecord::Write(nowhere, second);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  AppError::CannotCreate(QDir::toNativeSeparators(nowhere), ENOENT).Text());
    }

    dir.Write("broken", written.chopped(1));
    EXPECT_THROW(TRecoveryRecord::Read(dir.File("broken")), AppError);
    EXPECT_THROW(TRecoveryRecord::Read(dir.File("recovery.new")), AppError);  // a folder
}

}  // namespace
