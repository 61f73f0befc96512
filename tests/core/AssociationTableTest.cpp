#include <gtest/gtest.h>

#include "platform/TAssociationTable.h"
#include "support/Printers.h"

// Found by argument-dependent lookup in the global namespace of TAssociationTable.
static void PrintTo(const TAssociationTable::Entry& entry, std::ostream* out) {
    *out << entry.key.toStdString() << " = " << entry.value.toStdString();
}

namespace {

using Entry = TAssociationTable::Entry;

TEST(AssociationTable, FourKeysWithTheirDefaultValues) {
    const QList<Entry> entries =
        TAssociationTable::Entries(QStringLiteral("C:\\Apps\\Notes\\program.exe"));
    const QList<Entry> expected = {
        {QStringLiteral(".qlo"), QStringLiteral("qlm outline editor")},
        {QStringLiteral("qlm outline editor"), QStringLiteral("qlm outline editor")},
        {QStringLiteral("qlm outline editor\\DefaultIcon"),
         QStringLiteral("C:\\Apps\\Notes\\program.exe,0")},
        {QStringLiteral("qlm outline editor\\shell\\open\\command"),
         QStringLiteral("C:\\Apps\\Notes\\program.exe %1")},
    };
    ASSERT_EQ(entries.size(), expected.size());
    for (qsizetype i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i], expected[i]) << i;
}

TEST(AssociationTable, PathWithBlanksIsWrittenUnchangedWithoutQuotes) {
    const QString path = QStringLiteral("C:\\Program Files\\Outline Notes\\program.exe");
    const QList<Entry> entries = TAssociationTable::Entries(path);
    EXPECT_EQ(entries[2].value, path + QStringLiteral(",0"));
    EXPECT_EQ(entries[3].value, path + QStringLiteral(" %1"));
    EXPECT_FALSE(entries[3].value.contains(QLatin1Char('"')));
}

TEST(AssociationTable, MovedProgramChangesOnlyIconAndCommand) {
    const QList<Entry> before = TAssociationTable::Entries(QStringLiteral("C:\\Old\\program.exe"));
    const QList<Entry> after = TAssociationTable::Entries(QStringLiteral("D:\\New\\program.exe"));
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[1], after[1]);
    EXPECT_EQ(after[2].value, QStringLiteral("D:\\New\\program.exe,0"));
    EXPECT_EQ(after[3].value, QStringLiteral("D:\\New\\program.exe %1"));
}

TEST(AssociationTable, RemovalDeletesBothTopKeys) {
    EXPECT_EQ(TAssociationTable::RemovedKeys(),
              QStringList({QStringLiteral(".qlo"), QStringLiteral("qlm outline editor")}));
}

}  // namespace
