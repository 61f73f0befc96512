#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TOptionForm.h"
#include "ui/TUpDown.h"

namespace {

class OptionFormTest : public testing::Test {
  protected:
    OptionFormTest() {
        owner.setGeometry(200, 150, 800, 600);
        owner.show();
    }

    TOptionForm& Open(const QString& autoName, const QString& limitter, const QString& count) {
        settings.SetValue(u"AutoNodeName", autoName);
        settings.SetValue(u"NodeNameLimitter", limitter);
        settings.SetValue(u"NodeNameLimitterCount", count);
        return *TOptionForm::SetOption(&owner, settings);
    }

    // Replaces the count box's text as a paste would.
    static void Paste(TOptionForm& form, const QString& text) {
        form.NodeNameLimitterCountEdit->selectAll();
        form.NodeNameLimitterCountEdit->insert(text);
    }

    static void Type(TOptionForm& form, const QString& text) {
        QTest::keyClicks(form.NodeNameLimitterCountEdit, text);
    }

    QWidget owner;
    TSettingsList settings{TSettingsList::Defaults(QRect(0, 0, 800, 600))};
};

}  // namespace

TEST_F(OptionFormTest, OpensCentredOverTheDisabledOwner) {
    TOptionForm& form = Open("1", "0", "40");
    EXPECT_EQ(OptionForm.data(), &form);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.windowTitle(), "オプション設定");
    EXPECT_EQ(form.size(), QSize(296, 160));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.geometry().center(), owner.geometry().center());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.OKButton->isEnabled());
}

TEST_F(OptionFormTest, ControlsAtTheirPlaces) {
    TOptionForm& form = Open("1", "0", "40");
    EXPECT_EQ(form.OKButton->geometry(), QRect(128, 128, 75, 25));
    EXPECT_EQ(form.OKButton->text(), "OK");
    EXPECT_EQ(form.CancelButton->geometry(), QRect(216, 128, 75, 25));
    EXPECT_EQ(form.CancelButton->text(), "Cancel");
    EXPECT_EQ(form.GroupBox1->geometry(), QRect(8, 8, 281, 105));
    EXPECT_EQ(form.GroupBox1->title(), "「項目を張り付ける」の設定");
    EXPECT_EQ(form.AutoNodeNameCheck->parentWidget(), form.GroupBox1);
    EXPECT_EQ(form.AutoNodeNameCheck->geometry(), QRect(16, 24, 185, 17));
    EXPECT_EQ(form.AutoNodeNameCheck->text(), "項目名の自動挿入を有効にする");
    EXPECT_EQ(form.NodeNameLimitterCheck->geometry(), QRect(32, 48, 233, 17));
    EXPECT_EQ(form.NodeNameLimitterCheck->text(), "挿入する項目名の、文字列数を制限する。");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->geometry(), QRect(89, 72, 15, 20));
    EXPECT_EQ(form.NodeNameLimitterCountEdit->geometry(), QRect(48, 72, 41, 20));
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Minimum(), 0);
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Maximum(), 1000);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "40");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Position(), 40);
}

TEST_F(OptionFormTest, SecondBoxCheckedButDisabledWhenTheFirstIsOff) {
    TOptionForm& form = Open("0", "1", "40");
    EXPECT_FALSE(form.AutoNodeNameCheck->isChecked());
    EXPECT_TRUE(form.NodeNameLimitterCheck->isChecked());
    EXPECT_FALSE(form.NodeNameLimitterCheck->isEnabled());
    EXPECT_FALSE(form.NodeNameLimitterCountEdit->isEnabled());
    EXPECT_FALSE(form.NodeNameLimitterCountUpDown->isEnabled());
    form.AutoNodeNameCheck->click();
    EXPECT_TRUE(form.NodeNameLimitterCheck->isEnabled());
    EXPECT_TRUE(form.NodeNameLimitterCountEdit->isEnabled());
    EXPECT_TRUE(form.NodeNameLimitterCountUpDown->isEnabled());
}

TEST_F(OptionFormTest, CountDisabledWhileTheSecondBoxIsOff) {
    TOptionForm& form = Open("1", "0", "40");
    EXPECT_TRUE(form.AutoNodeNameCheck->isChecked());
    EXPECT_TRUE(form.AutoNodeNameCheck->isEnabled());
    EXPECT_TRUE(form.NodeNameLimitterCheck->isEnabled());
    EXPECT_FALSE(form.NodeNameLimitterCheck->isChecked());
    EXPECT_FALSE(form.NodeNameLimitterCountEdit->isEnabled());
    EXPECT_FALSE(form.NodeNameLimitterCountUpDown->isEnabled());
    form.NodeNameLimitterCheck->click();
    EXPECT_TRUE(form.NodeNameLimitterCountEdit->isEnabled());
}

TEST_F(OptionFormTest, CountBoxHoldsOnlyIntegersFromZeroToThousand) {
    TOptionForm& form = Open("1", "1", "40");
    form.NodeNameLimitterCountEdit->setFocus();
    Paste(form, "12");
    Type(form, "34");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "1000");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Position(), 1000);
    Paste(form, "-5");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "0");
    Paste(form, "25");
    form.NodeNameLimitterCountEdit->selectAll();
    QTest::keyClick(form.NodeNameLimitterCountEdit, Qt::Key_Delete);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "0");
    Paste(form, "25");
    Type(form, "x");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "25");
    form.NodeNameLimitterCountEdit->selectAll();
    Type(form, "-");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "25");
    Paste(form, "007");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "7");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Position(), 7);
}

TEST_F(OptionFormTest, SpinnerStepsWithinItsLimits) {
    TOptionForm& form = Open("1", "1", "999");
    QTest::mouseClick(form.NodeNameLimitterCountUpDown->UpButton, Qt::LeftButton);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "1000");
    QTest::mouseClick(form.NodeNameLimitterCountUpDown->UpButton, Qt::LeftButton);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "1000");
    QTest::mouseClick(form.NodeNameLimitterCountUpDown->DownButton, Qt::LeftButton);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "999");
    Paste(form, "0");
    QTest::mouseClick(form.NodeNameLimitterCountUpDown->DownButton, Qt::LeftButton);
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "0");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Position(), 0);
}

TEST_F(OptionFormTest, UncheckingTheFirstBoxKeepsTheSecondBoxMark) {
    TOptionForm& form = Open("1", "1", "40");
    form.AutoNodeNameCheck->click();
    EXPECT_FALSE(form.NodeNameLimitterCheck->isEnabled());
    EXPECT_TRUE(form.NodeNameLimitterCheck->isChecked());
    EXPECT_FALSE(form.NodeNameLimitterCountEdit->isEnabled());
    form.OKButton->click();
    EXPECT_EQ(settings.Value(u"AutoNodeName"), "0");
    EXPECT_EQ(settings.Value(u"NodeNameLimitter"), "1");
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "40");
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(OptionFormTest, OkStoresACountOfZero) {
    TOptionForm& form = Open("1", "1", "40");
    Paste(form, "0");
    form.OKButton->click();
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "0");
}

TEST_F(OptionFormTest, CancelStoresNothingAndEnablesTheOwner) {
    TOptionForm& form = Open("1", "0", "40");
    const QStringList before = settings.Lines();
    form.AutoNodeNameCheck->click();
    form.AutoNodeNameCheck->click();
    form.NodeNameLimitterCheck->click();
    Paste(form, "12");
    form.CancelButton->click();
    EXPECT_EQ(settings.Lines(), before);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(OptionFormTest, CloseBoxAndEscapeStoreNothing) {
    TOptionForm& form = Open("1", "1", "40");
    Paste(form, "12");
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "40");

    TOptionForm& second = Open("1", "1", "40");
    EXPECT_FALSE(owner.isEnabled());
    Paste(second, "12");
    QTest::keyClick(&second, Qt::Key_Escape);
    EXPECT_FALSE(second.isVisible());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "40");
}

TEST_F(OptionFormTest, StoredCountThatIsNoIntegerOpensWithForty) {
    TOptionForm& form = Open("1", "1", "abc");
    EXPECT_EQ(form.NodeNameLimitterCountEdit->text(), "40");
    EXPECT_EQ(form.NodeNameLimitterCountUpDown->Position(), 40);
    EXPECT_FALSE(owner.isEnabled());
    form.OKButton->click();
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "40");
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(OptionFormTest, StoredCountOutsideTheLimitsShowsAndStoresTheNearestLimit) {
    TOptionForm& high = Open("1", "1", "5000");
    EXPECT_EQ(high.NodeNameLimitterCountEdit->text(), "1000");
    EXPECT_EQ(high.NodeNameLimitterCountUpDown->Position(), 1000);
    high.OKButton->click();
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "1000");

    TOptionForm& low = Open("1", "1", "-7");
    EXPECT_EQ(low.NodeNameLimitterCountEdit->text(), "0");
    low.OKButton->click();
    EXPECT_EQ(settings.Value(u"NodeNameLimitterCount"), "0");
}

TEST_F(OptionFormTest, EachOpeningCreatesANewDialog) {
    const QPointer<TOptionForm> first = &Open("1", "0", "40");
    first->CancelButton->click();
    TOptionForm& second = Open("0", "0", "12");
    EXPECT_NE(first.data(), &second);
    EXPECT_EQ(OptionForm.data(), &second);
    EXPECT_EQ(second.NodeNameLimitterCountEdit->text(), "12");
}
