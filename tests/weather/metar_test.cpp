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
        text3 = d.text3.value_or(text3);
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

TEST(MetarDecoding, FieldsByPosition) {
    const struct {
        const char *metar;
        const char *time, *direction, *speed;
        std::optional<QString> qnh, caption;
    } cases[] = {
        {"EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG", "12:20", "260", "10", "1013", "TL60"},
        {"EDDT 071220Z VRB03KT 9999 Q1013", "12:20", "VRB", "03", "1013", "TL60"},
        {"EDDT 071220Z 26010G25KT 9999 Q1013", "12:20", "260", "10", "1013", "TL60"},
        {"EDDT 071220Z 27012KT CAVOK Q0998", "12:20", "270", "12", "998", "TL70"},
        {"EDDT 071220Z 27012KT CAVOK Q1050", "12:20", "270", "12", "1050", "TL50"},
        {"EDDT 071220Z 27012KT CAVOK Q1060", "12:20", "270", "12", "1060", std::nullopt},
        // Another group before the wind is read as the wind all the same.
        {"EDDT 071220Z AUTO 26010KT Q1013", "12:20", "AUT", "O ", "1013", "TL60"},
        // Only the first capital Q counts, wherever it stands.
        {"EDDT 071220Z 26010KT Q1013 Q0950", "12:20", "260", "10", "1013", "TL60"},
        {"EDDT 071220Z 26010KT SQ Q1013", "12:20", "260", "10", " Q10", "TL80"},
        // Fewer than four characters after the Q: what is there.
        {"EDDT 071220Z 26010KT Q99", "12:20", "260", "10", "99", "TL80"},
        {"EDDT 071220Z 26010KT Q", "12:20", "260", "10", "", "TL80"},
        // Exactly twelve characters: a time and nothing else.
        {"EDDT 071220Z", "12:20", "", "", std::nullopt, "TL60"},
    };
    for (const auto &c : cases) {
        const MetarDecoding d = decodeMetar(QString::fromLatin1(c.metar), "1013");
        SCOPED_TRACE(c.metar);
        EXPECT_TRUE(d.decoded);
        EXPECT_EQ(d.text6, QString::fromLatin1(c.time));
        EXPECT_EQ(d.text1, QString::fromLatin1(c.direction));
        EXPECT_EQ(d.text2, QString::fromLatin1(c.speed));
        EXPECT_EQ(d.text3, c.qnh);
        EXPECT_EQ(d.label2, c.caption);
        EXPECT_FALSE(d.text4.has_value());
        EXPECT_FALSE(d.text5.has_value());
    }
}

TEST(MetarDecoding, TailGoesToClipboardAndMetartailAlsoOnError) {
    const struct {
        const char *metar;
        const char *tail;
        bool decoded;
    } cases[] = {
        {"EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG", "1220Z 26010KT CAVOK 05/02 Q1013 NOSIG",
         true},
        {"METAR EDDT 071220Z 26010KT", "DDT 071220Z 26010KT", false},
        {"EDDT 0712", "12", false},
        {"EDDT 071220", "1220", false},
        {"EDDT 07", "", false},
        {"EDDT", "", false},
        {"", "", false},
    };
    for (const auto &c : cases) {
        const MetarDecoding d = decodeMetar(QString::fromLatin1(c.metar), "1013");
        EXPECT_EQ(d.clipboardText, QString::fromLatin1(c.tail)) << c.metar;
        EXPECT_EQ(d.metartail, QString::fromLatin1(c.tail)) << c.metar;
        EXPECT_EQ(d.decoded, c.decoded) << c.metar;
    }
}

TEST(MetarDecoding, ErrorRowEmptiesRunwaysAndKeepsTimeAndLevel) {
    WeatherRow row;
    row.apply(decodeMetar("EDDT 071220Z 26010KT Q1013", "1013"));
    row.apply(decodeMetar("METAR EDDT 071250Z 26010KT Q0998", row.text3));
    EXPECT_EQ(row.text1, "Err");
    EXPECT_EQ(row.text2, "");
    EXPECT_EQ(row.text3, "Err");
    EXPECT_EQ(row.text4, "");
    EXPECT_EQ(row.text5, "");
    EXPECT_EQ(row.text6, "12:20");
    EXPECT_EQ(row.label2, "TL60");
    EXPECT_FALSE(decodeMetar("METAR", row.text3).refreshMiniWindow());
}

TEST(MetarDecoding, ReportWithoutQKeepsTheQnhAndTakesTheLevelFromIt) {
    const struct {
        const char *before; // the report decoded first
        const char *text3, *label2;
    } cases[] = {
        {"EDDT 071220Z 26010KT Q0998", "998", "TL70"},
        {"EDDT 071220Z 26010KT Q1050", "1050", "TL50"},
        // After the error row the level is taken from "Err", that is from 0.
        {"no report", "Err", "TL80"},
        // A QNH above 1052 leaves the level of the report before it.
        {"EDDT 071220Z 26010KT Q1060", "1060", "TL60"},
    };
    for (const auto &c : cases) {
        WeatherRow row;
        row.apply(decodeMetar("EDDT 071150Z 26010KT Q1013", "1013"));
        row.apply(decodeMetar(QString::fromLatin1(c.before), row.text3));
        row.apply(decodeMetar("KJFK 071251Z 02008KT 10SM FEW035 14/12 A3028 RMK AO2", row.text3));
        EXPECT_EQ(row.text3, c.text3) << c.before;
        EXPECT_EQ(row.label2, c.label2) << c.before;
        EXPECT_EQ(row.text1, "020") << c.before;
        EXPECT_EQ(row.text6, "12:51") << c.before;
    }
}
