#include <gtest/gtest.h>

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "ui/TOutlinePages.h"
#include "ui/TPagePreview.h"
#include "ui/TPrintPreviewDialog.h"
#include "ui/TPrintedOutline.h"

namespace {

const QFont kFont(QStringLiteral("IPAGothic"), 10);

TOutlineEntries Outline(int items, int lines) {
    TOutlineEntries entries;
    for (int i = 0; i < items; ++i)
        entries.append({1 + i % 3, QStringLiteral("見出し %1").arg(i),
                        QStringLiteral("本文の一行です。\n").repeated(lines)});
    return entries;
}

QPrinter& WithMargins(QPrinter& printer) {
    TPrintedOutline::SetMargins(printer);
    return printer;
}

struct Preview {
    explicit Preview(const TOutlineEntries& entries)
        : dialog(entries, kFont, WithMargins(printer)) {
        dialog.show();
    }
    QString Indicator() const { return dialog.findChild<QLabel*>()->text(); }
    void Press(Qt::Key key) { QTest::keyClick(dialog.windowHandle(), key); }

    QPrinter printer;
    TPrintPreviewDialog dialog;
};

// The keys and the buttons turn the pages, the count arrives from the background, End
// goes to the last page and Escape closes the preview; the page shown has its text.
TEST(PrintPreviewDialog, TurnsPagesAndCountsThemAll) {
    const TOutlineEntries entries = Outline(300, 6);
    Preview preview(entries);
    TOutlinePages all(entries, kFont, preview.printer.pageLayout());
    while (all.LayOutNext()) {
    }
    const QString total = QString::number(all.KnownPages());
    ASSERT_GT(all.KnownPages(), 10);

    QImage shown = preview.dialog.grab().toImage();
    int dark = 0;
    for (int y = 0; y < shown.height() / 2; ++y)
        for (int x = 0; x < shown.width(); ++x) dark += qGray(shown.pixel(x, y)) < 64;
    EXPECT_GT(dark, 100) << "no text on the first page";

    preview.Press(Qt::Key_PageDown);
    EXPECT_TRUE(preview.Indicator().startsWith(QStringLiteral("2 / ")));
    preview.Press(Qt::Key_Right);
    preview.Press(Qt::Key_Down);
    EXPECT_TRUE(preview.Indicator().startsWith(QStringLiteral("4 / ")));
    preview.Press(Qt::Key_Up);
    preview.Press(Qt::Key_Left);
    EXPECT_TRUE(preview.Indicator().startsWith(QStringLiteral("2 / ")));
    QPushButton* next = nullptr;
    for (QPushButton* button : preview.dialog.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("次のページ")) next = button;
    ASSERT_NE(next, nullptr);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_TRUE(preview.Indicator().startsWith(QStringLiteral("3 / ")));
    preview.Press(Qt::Key_PageUp);
    preview.Press(Qt::Key_Home);
    EXPECT_TRUE(preview.Indicator().startsWith(QStringLiteral("1 / ")));

    EXPECT_TRUE(QTest::qWaitFor([&] { return preview.Indicator() == "1 / " + total; }, 20000))
        << preview.Indicator().toStdString();
    preview.Press(Qt::Key_End);
    EXPECT_EQ(preview.Indicator(), total + " / " + total);
    preview.Press(Qt::Key_PageDown);
    EXPECT_EQ(preview.Indicator(), total + " / " + total);
    EXPECT_FALSE(next->isEnabled());

    preview.Press(Qt::Key_Escape);
    EXPECT_FALSE(preview.dialog.isVisible());
    EXPECT_EQ(preview.dialog.result(), QDialog::Rejected);
}

// Closing the preview of a long outline while its pages are still being counted stops
// the counting; the pages turned to so far stay.
TEST(PrintPreviewDialog, ClosingWhileCountingIsSafe) {
    auto preview = std::make_unique<Preview>(Outline(4000, 40));
    preview->Press(Qt::Key_PageDown);
    ASSERT_EQ(preview->Indicator(), QStringLiteral("2 / …"));
    preview->Press(Qt::Key_Escape);
    EXPECT_FALSE(preview->dialog.isVisible());
    EXPECT_EQ(preview->dialog.Preview().Total(), 0);
    EXPECT_GE(preview->dialog.Preview().Pages().KnownPages(), 2);
    preview.reset();
}

}  // namespace
