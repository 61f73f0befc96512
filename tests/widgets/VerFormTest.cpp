#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <memory>

#include "support/Printers.h"
#include "ui/TVerForm.h"

namespace {

class VerFormTest : public testing::Test {
  protected:
    void SetUp() override {
        mainWindow = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
        mainWindow->setGeometry(40, 30, 640, 480);
        mainWindow->show();
        mainWindow->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
    }
    void TearDown() override {
        delete VerForm.data();
        mainWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TVerForm* Open() {
        TVerForm* form = TVerForm::ShowNew(mainWindow.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return form;
    }

    std::unique_ptr<QWidget> mainWindow;
};

TEST_F(VerFormTest, IsABlackBorderlessCardWithTheWhitePanelAndThePicture) {
    TVerForm* form = Open();
    EXPECT_EQ(VerForm.data(), form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form->size(), QSize(206, 176));
    EXPECT_EQ(form->Panel1->geometry(), QRect(3, 3, 200, 170));
    EXPECT_EQ(form->Panel1->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(form->Image1->parentWidget(), form->Panel1);
    EXPECT_EQ(form->Image1->geometry(), QRect(5, 5, 190, 160));
    EXPECT_EQ(form->Image1->pixmap().size(), QSize(190, 160));
    EXPECT_TRUE(form->Image1->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_TRUE(form->Image1->alignment().testFlag(Qt::AlignVCenter));

    const QImage look = form->grab().toImage();
    const QImage picture(QStringLiteral(":/images/about.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(look.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(look.pixelColor(2, 175), QColor(Qt::black));
    EXPECT_EQ(look.pixelColor(205, 100), QColor(Qt::black));
    EXPECT_EQ(look.pixelColor(3, 3), QColor(Qt::white));
    EXPECT_EQ(look.pixelColor(7, 7), QColor(Qt::white));
    EXPECT_EQ(look.pixelColor(202, 172), QColor(Qt::white));
    const QColor inPicture = look.pixelColor(8 + 95, 8 + 80);
    const QColor expected = picture.pixelColor(95, 80);
    EXPECT_EQ(inPicture.rgb(), expected.rgb());
}

TEST_F(VerFormTest, IsCentredOverTheMainWindowAndActive) {
    TVerForm* form = Open();
    EXPECT_EQ(form->pos(), QPoint(40 + (640 - 206) / 2, 30 + (480 - 176) / 2));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isActiveWindow());
}

TEST_F(VerFormTest, ClickOnThePictureCloses) {
    TVerForm* form = Open();
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(95, 80));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(VerFormTest, ClickOnTheBlackBorderCloses) {
    TVerForm* form = Open();
    QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(VerFormTest, ClickOnTheWhiteMarginDoesNothing) {
    TVerForm* form = Open();
    QTest::mouseClick(form->Panel1, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(form->Panel1, Qt::RightButton, {}, QPoint(198, 168));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(VerFormTest, ClosesWhenItLosesActivation) {
    TVerForm* form = Open();
    QWidget other;
    other.setGeometry(700, 30, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(VerForm.data(), form);  // closing only hides it
}

TEST_F(VerFormTest, OpeningTwiceShowsOneAboutBoxAtATime) {
    QPointer<TVerForm> first = Open();
    TVerForm* second = Open();
    EXPECT_NE(first.data(), second);
    EXPECT_EQ(VerForm.data(), second);
    EXPECT_TRUE(!first || !first->isVisible());
    EXPECT_TRUE(second->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());  // the hidden one is released
}

TEST_F(VerFormTest, EscapeClosesItAndOtherKeysDoNothing) {
    TVerForm* form = Open();
    QTest::keyClick(form, Qt::Key_Return);
    QTest::keyClick(form, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
}

}  // namespace
