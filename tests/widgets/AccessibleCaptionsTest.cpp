#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/TAccessibleCaptions.h"

// A screen reader reads "はい", not "はい(Y)"; a field is read by its label.
TEST(AccessibleCaptions, ControlsAreNamedWithoutTheirAccessKeys) {
    QDialog dialog;
    auto* yes = new QPushButton(QStringLiteral("はい(&Y)"), &dialog);
    auto* colour = new QPushButton(QStringLiteral("色(&C)..."), &dialog);
    auto* named = new QPushButton(QStringLiteral("OK"), &dialog);
    named->setAccessibleName(QStringLiteral("決定"));
    auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), &dialog);
    auto* field = new QLineEdit(&dialog);
    label->setBuddy(field);
    TAccessibleCaptions::NameControls(&dialog);
    EXPECT_EQ(yes->accessibleName(), QStringLiteral("はい"));
    EXPECT_EQ(colour->accessibleName(), QStringLiteral("色"));
    EXPECT_EQ(named->accessibleName(), QStringLiteral("決定"));
    EXPECT_EQ(field->accessibleName(), QStringLiteral("検索する文字列"));
}
