#include "weather/tlfile.h"

#include <gtest/gtest.h>
#include <tuple>

#include "fakes/qtprint.h"

using namespace tarvos;

TEST(TransitionLevelFile, TheLongestCodeAndItsFirstRowThatHoldsTheQnh) {
    const TlTable table = readTlTable({
        "TL|E|5000|0|1099|E-wide",
        "TL|EG|6000|0|1012|TL80",
        "TL|EG|6000|1012|1099|never: the first row that holds wins",
        "TL|EGLL|6000|1013|1040|TL70",
        "TL|EGLL|6000|1041|1050|TL60",
        "TL||5000|0|1099|no code",
        "TL|LE|6000|high|1099|no number",
        "#TL|LE|6000|0|1099|comment",
    });
    const struct {
        const char *station;
        int qnh;
        bool known;
        int altitude;
        std::optional<QString> caption;
    } cases[] = {
        {"EGLL", 1013, true, 6000, "TL70"},       // the airport before its country
        {"EGLL", 1050, true, 6000, "TL60"},       // an upper bound holds
        {"EGLL", 1010, true, 6000, std::nullopt}, // the airport's rows, none holds: kept
        {"EGKK", 1012, true, 6000, "TL80"},       // a bound in two rows: the first
        {"EDDH", 1020, true, 5000, "E-wide"},     // the shortest code still begins it
        {"LEMD", 1013, false, 0, ""},             // no row, and no broken one used
    };
    for (const auto &c : cases) {
        const LevelChoice level = chooseLevel(table, c.station, c.qnh);
        EXPECT_EQ(std::tuple(level.known, level.altitude, level.caption),
                  std::tuple(c.known, c.altitude, c.caption))
            << c.station << " " << c.qnh;
    }
}
