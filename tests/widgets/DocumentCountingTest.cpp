#include <gtest/gtest.h>

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "layout/TLineLayout.h"
#include "ui/TDocumentCounting.h"

namespace {

TEST(DocumentCounting, LaysOutOnlyTheBlocksAChangeTouchedAndCountsAsTheText) {
    // As an editor holds it.
    QTextDocument document(QStringLiteral("一行目\n\n「三行目」\n四行目"));
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    TDocumentCounting counting;
    EXPECT_EQ(counting.Count(document), TLineLayout().Count(document.toPlainText()));
    EXPECT_EQ(counting.LaidOut(), 4);

    QTextCursor cursor(document.findBlockByNumber(2));
    cursor.insertText(QStringLiteral("あ"));
    EXPECT_EQ(counting.Count(document), TLineLayout().Count(document.toPlainText()));
    EXPECT_EQ(counting.LaidOut(), 5) << "one block typed into";

    cursor.insertText(QStringLiteral("\n"));  // a new paragraph
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar(0x2028)) + QStringLiteral("五"));  // Shift+Enter
    EXPECT_EQ(counting.Count(document), TLineLayout().Count(document.toPlainText()));
    EXPECT_EQ(counting.Count(document).lines, 6);

    document.undo();
    EXPECT_EQ(counting.Count(document), TLineLayout().Count(document.toPlainText()));
    counting.SetOptions({{40, 30}, false});
    EXPECT_EQ(counting.Count(document),
              TLineLayout({{40, 30}, false}).Count(document.toPlainText()));
    document.clear();
    EXPECT_EQ(counting.Count(document), TTextCounts{});
}

}  // namespace
