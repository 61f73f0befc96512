#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QTextLayout>

#include "ui/TOutlinePages.h"
#include "ui/TPagePreview.h"

namespace {

const QPageLayout kA4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                      QPageLayout::Millimeter);
const QFont kFont(QStringLiteral("IPAGothic"), 10);

// A paragraph of Japanese without a break, longer than the layout takes at once.
QString LongParagraph() {
    QString text;
    for (int i = 0; text.size() < 40000; ++i)
        text += QStringLiteral("長い段落の%1番目の文で、改行がないまま続きます。").arg(i);
    return text;
}

// Levels 1, 2, 2, 3 over and over: headings "1", "1.1", "1.2", "1.2.1", "2", …; texts
// of several wrapped lines, empty ones, and one paragraph of many pages.
TOutlineEntries Outline() {
    TOutlineEntries entries;
    const int levels[] = {1, 2, 2, 3};
    for (int i = 0; i < 240; ++i) {
        QString text;
        if (i % 7 != 3)
            for (int line = 0; line < 1 + i % 5; ++line)
                text += QStringLiteral("項目%1の%2行目。").arg(i).arg(line).repeated(1 + line * 3) +
                        u'\n';
        if (i == 100) text = LongParagraph();
        entries.append({levels[i % 4], QStringLiteral("見出し%1").arg(i), text});
    }
    return entries;
}

QString Heading(int i) {
    const int top = i / 4 + 1;
    switch (i % 4) {
        case 0: return QString::number(top);
        case 1: return QStringLiteral("%1.1").arg(top);
        case 2: return QStringLiteral("%1.2").arg(top);
        default: return QStringLiteral("%1.2.1").arg(top);
    }
}

TOutlinePages AllPages(const TOutlineEntries& entries, const QFont& font = kFont) {
    TOutlinePages pages(entries, font, kA4);
    while (pages.LayOutNext()) {
    }
    return pages;
}

std::vector<TOutlinePages::Line> AllLines(const TOutlinePages& pages) {
    std::vector<TOutlinePages::Line> lines;
    for (int page = 0; page < pages.KnownPages(); ++page) {
        const std::vector<TOutlinePages::Line> on = pages.Lines(page);
        lines.insert(lines.end(), on.begin(), on.end());
    }
    return lines;
}

// Every character of the outline is on a page once, in order; no line reaches past
// the page's lines; and a paragraph that runs over many pages breaks into the lines one
// layout of it gives. So too in a font so small that a page holds more of a paragraph
// than is laid out at once.
TEST(OutlinePages, EveryLineStandsWholeOnItsPage) {
    const TOutlineEntries entries = Outline();
    QString expected;
    for (int i = 0; i < entries.size(); ++i)
        expected += Heading(i) + QStringLiteral("  ") + entries[i].label +
                    QString(entries[i].text).remove(u'\n');
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(TOutlinePages::kLayoutDpi / 0.0254));
    device.setDotsPerMeterY(qRound(TOutlinePages::kLayoutDpi / 0.0254));

    for (const QFont& font : {kFont, QFont(QStringLiteral("IPAGothic"), 2)}) {
        SCOPED_TRACE(font.pointSize());
        const TOutlinePages pages = AllPages(entries, font);
        ASSERT_GT(pages.KnownPages(), 1);
        QString printed;
        for (int page = 0; page < pages.KnownPages(); ++page)
            for (const TOutlinePages::Line& line : pages.Lines(page)) {
                printed += line.text;
                EXPECT_GE(line.rect.top(), 0) << page;
                EXPECT_LE(line.rect.bottom(), pages.BodyHeight())
                    << page << " " << line.text.toStdString();
            }
        EXPECT_EQ(printed, expected);

        const std::vector<TOutlinePages::Line> lines = AllLines(pages);
        const auto first = std::find_if(lines.begin(), lines.end(), [](const auto& line) {
            return line.text.startsWith(QStringLiteral("長い段落の0番目"));
        });
        ASSERT_NE(first, lines.end());
        QTextLayout whole(LongParagraph(), QFont(font, &device));
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setUseDesignMetrics(true);
        whole.setTextOption(option);
        whole.beginLayout();
        auto on = first;
        for (QTextLine line = whole.createLine(); line.isValid(); line = whole.createLine(), ++on) {
            line.setLineWidth(first->rect.width());
            ASSERT_NE(on, lines.end());
            ASSERT_EQ(on->text, LongParagraph().mid(line.textStart(), line.textLength()))
                << "line " << line.lineNumber();
        }
        whole.endLayout();
    }
}

// The pages break alike whether they are laid out in order, taken over from the
// counting thread while the preview lays out some itself, or the last is asked first.
TEST(OutlinePages, PagesBreakAlikeHoweverTheyAreAskedFor) {
    const TOutlineEntries entries = Outline();
    const TOutlinePages inOrder = AllPages(entries);
    const int count = inOrder.KnownPages();

    TPagePreview preview(entries, kFont, kA4);
    preview.Next();
    preview.Next();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.Update(); }, 20000));
    EXPECT_EQ(preview.Total(), count);
    EXPECT_TRUE(preview.Pages().Starts() == inOrder.Starts());

    TOutlinePages lastFirst(entries, kFont, kA4);
    ASSERT_TRUE(lastFirst.Reach(count - 1));
    EXPECT_FALSE(lastFirst.Reach(count));
    EXPECT_TRUE(lastFirst.Complete());
    for (int page = count - 1; page >= 0; --page)
        EXPECT_EQ(lastFirst.Lines(page).front().text, inOrder.Lines(page).front().text) << page;
}

}  // namespace
