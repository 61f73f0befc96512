#include <gtest/gtest.h>

#include "support/Printers.h"
#include "ui/TNodeNameCount.h"

TEST(OptionCount, KeepsTheBoxAnIntegerFromZeroToThousand) {
    EXPECT_EQ(TNodeNameCount::Correct("1234", 123), "1000");
    EXPECT_EQ(TNodeNameCount::Correct("-5", 40), "0");
    EXPECT_EQ(TNodeNameCount::Correct("", 40), "0");
    EXPECT_EQ(TNodeNameCount::Correct("007", 0), "7");
    EXPECT_EQ(TNodeNameCount::Correct("+12", 0), "12");
    EXPECT_EQ(TNodeNameCount::Correct("1000", 0), "1000");
    EXPECT_EQ(TNodeNameCount::Correct("0", 5), "0");
}

TEST(OptionCount, TextThatIsNoIntegerRestoresThePreviousNumber) {
    EXPECT_EQ(TNodeNameCount::Correct("40a", 40), "40");
    EXPECT_EQ(TNodeNameCount::Correct("-", 17), "17");
    EXPECT_EQ(TNodeNameCount::Correct("+", 17), "17");
    EXPECT_EQ(TNodeNameCount::Correct("4 0", 40), "40");
    EXPECT_EQ(TNodeNameCount::Correct("99999999999", 40), "40");
    EXPECT_EQ(TNodeNameCount::Correct("１２", 40), "40");
}

TEST(OptionCount, StartPositionFromTheStoredValue) {
    EXPECT_EQ(TNodeNameCount::StartPosition("40"), 40);
    EXPECT_EQ(TNodeNameCount::StartPosition("0"), 0);
    EXPECT_EQ(TNodeNameCount::StartPosition("1234"), 1000);
    EXPECT_EQ(TNodeNameCount::StartPosition("-3"), 0);
    EXPECT_EQ(TNodeNameCount::StartPosition("abc"), 40);
    EXPECT_EQ(TNodeNameCount::StartPosition(""), 40);
    EXPECT_EQ(TNodeNameCount::StartPosition("nil"), 40);
}
