#include "weather/metar.h"

#include <QString>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

#include <optional>

using namespace tarvos;

namespace {

// The weather row of the console, as a controller keeps it, with a decoding written into it.
struct WeatherRow {
    QString text1, text2, text3, text4 = "26R", text5 = "26L", text6 = "EDDT";
    QString label2 = "TL70";

    void apply(const MetarDecoding &d) {
        text1 = d.text1;
        text2 = d.text2;
        text3 = d.text3;
        text4 = d.text4.value_or(text4);
        text5 = d.text5.value_or(text5);
        text6 = d.text6.value_or(text6);
        label2 = d.label2.value_or(label2);
    }
};

} // namespace

TEST(TransitionLevel, InclusiveBounds) {
    const struct {
        int qnh;
        std::optional<QString> caption;
    } cases[] = {
        {0, "TL80"},          {978, "TL80"},        {979, "TL70"},  {1012, "TL70"},
        {1013, "TL60"},       {1046, "TL60"},       {1047, "TL50"}, {1052, "TL50"},
        {1053, std::nullopt}, {9999, std::nullopt}, {-5, "TL80"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(transitionLevel(c.qnh), c.caption) << c.qnh;
}

TEST(MetarDecoding, TheConsolesOwnExamples) {
    const struct {
        const char *metar;
        const char *time, *direction, *speed;
        QString qnh;
        std::optional<QString> caption;
    } cases[] = {
        {"EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG", "12:20", "260", "10", "1013", "TL60"},
        {"EDDT 071220Z VRB03KT 9999 Q1013", "12:20", "VRB", "03", "1013", "TL60"},
        {"EDDT 071220Z 26010G25KT 9999 Q1013", "12:20", "260", "10", "1013", "TL60"},
        {"EDDT 071220Z 27012KT CAVOK Q0998", "12:20", "270", "12", "998", "TL70"},
        {"EDDT 071220Z 27012KT CAVOK Q1050", "12:20", "270", "12", "1050", "TL50"},
        {"EDDT 071220Z 27012KT CAVOK Q1060", "12:20", "270", "12", "1060", std::nullopt},
    };
    for (const auto &c : cases) {
        const MetarDecoding d = decodeMetar(QString::fromLatin1(c.metar));
        SCOPED_TRACE(c.metar);
        EXPECT_TRUE(d.decoded);
        EXPECT_EQ(d.clipboardText, QString::fromLatin1(c.metar).mid(7));
        EXPECT_EQ(d.text6, QString::fromLatin1(c.time));
        EXPECT_EQ(d.text1, QString::fromLatin1(c.direction));
        EXPECT_EQ(d.text2, QString::fromLatin1(c.speed));
        EXPECT_EQ(d.text3, c.qnh);
        EXPECT_EQ(d.label2, c.caption);
        EXPECT_FALSE(d.text4.has_value());
        EXPECT_FALSE(d.text5.has_value());
    }
}

TEST(MetarDecoding, SpeedsInKnotsAndPressuresInHectopascals) {
    // Metres per second and kilometres per hour become knots, inches become hectopascals, each
    // rounded half up; a speed of 100 knots and more keeps its three digits.
    const struct {
        const char *group;
        const char *knots;
    } winds[] = {{"27005MPS", "10"},  {"27001MPS", "02"}, {"27018KMH", "10"}, {"27009KMH", "05"},
                 {"270105KT", "105"}, {"27051MPS", "99"}, {"27052MPS", "101"}};
    for (const auto &w : winds) {
        const auto report = readMetar(QStringLiteral("EDDB 231120Z %1 CAVOK").arg(w.group));
        ASSERT_TRUE(report) << w.group;
        EXPECT_EQ(report->speed, w.knots) << w.group;
    }
    const struct {
        const char *group;
        int hpa;
    } pressures[] = {{"A2992", 1013}, {"A2953", 1000}, {"A3100", 1050}, {"A2790", 945}};
    for (const auto &p : pressures)
        EXPECT_EQ(readMetar(QStringLiteral("KJFK 231051Z 02008KT %1").arg(p.group))->qnh, p.hpa)
            << p.group;
}

TEST(MetarDecoding, ATextThatIsNoReportGivesTheErrorRowAndKeepsTimeAndLevel) {
    WeatherRow row;
    row.apply(decodeMetar("EDDT 071220Z 26010KT Q1013"));
    const MetarDecoding error = decodeMetar("Tegel 1250 wind 260 at 10");
    row.apply(error);
    EXPECT_EQ(row.text1, "Err");
    EXPECT_EQ(row.text2, "");
    EXPECT_EQ(row.text3, "Err");
    EXPECT_EQ(row.text4, "");
    EXPECT_EQ(row.text5, "");
    EXPECT_EQ(row.text6, "12:20");
    EXPECT_EQ(row.label2, "TL60");
    EXPECT_EQ(error.clipboardText, "250 wind 260 at 10");
    EXPECT_FALSE(error.refreshMiniWindow());
}

TEST(MetarDecoding, AReportWithoutPressureNeverShowsTheLastAirportsQnh) {
    WeatherRow row;
    row.apply(decodeMetar("EDDT 071150Z 26010KT Q0998"));
    const MetarDecoding d =
        decodeMetar("KEHA 180748Z AUTO 33005KT M01/M04 RMK AO1 PK WND 12 000 T10061038");
    row.apply(d);
    EXPECT_TRUE(d.pressureMissing);
    EXPECT_EQ(row.text3, "");
    EXPECT_EQ(row.label2, "");
    EXPECT_EQ(row.text1, "330");
    EXPECT_EQ(row.text6, "07:48");
}
