#include "console/numbers.h"

#include <gtest/gtest.h>

using namespace tarvos;

TEST(Numbers, LenientConversion) {
    struct Case {
        const char *text;
        double value;
    } cases[] = {
        {"", 0},       {"abc", 0},   {"  12", 12},   {" 1 ", 1},    {"1013 hPa", 1013},
        {"0998", 998}, {"-5", -5},   {"+7", 7},      {"3.5x", 3.5}, {"12:20", 12},
        {"Err", 0},    {"\t42", 42}, {"1.2.3", 1.2}, {"- 4", 0},    {"VRB", 0},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(Numbers, LeadingIntTruncatesAndClamps) {
    EXPECT_EQ(leadingInt(QStringLiteral("26R")), 26);
    EXPECT_EQ(leadingInt(QStringLiteral("19.9")), 19);
    EXPECT_EQ(leadingInt(QStringLiteral("99999999999999999999")), 2147483647);
    EXPECT_EQ(leadingInt(QString(2000, QLatin1Char('9'))), 2147483647);
}

TEST(Numbers, PrintForms) {
    EXPECT_EQ(numberText(1), QStringLiteral(" 1"));
    EXPECT_EQ(numberText(0), QStringLiteral(" 0"));
    EXPECT_EQ(numberText(-3), QStringLiteral("-3"));
    EXPECT_EQ(numberLine(1), QStringLiteral(" 1 "));
    EXPECT_EQ(numberLine(26), QStringLiteral(" 26 "));
}

TEST(Numbers, Mid1NeverReadsPastTheEnd) {
    const QString m = QStringLiteral("EDDT 071220Z");
    EXPECT_EQ(mid1(m, 8), QStringLiteral("1220Z"));
    EXPECT_EQ(mid1(m, 8, 2), QStringLiteral("12"));
    EXPECT_EQ(mid1(m, 12, 1), QStringLiteral("Z"));
    EXPECT_EQ(mid1(m, 13, 3), QString());
    EXPECT_EQ(mid1(QString(), 8), QString());
    EXPECT_EQ(mid1(m, 0, 4), QStringLiteral("EDDT"));
}
