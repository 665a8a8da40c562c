// Reports as the weather services send them, and texts that are no report at all: the
// decoding reads fixed positions, so each shape gives what stands at those positions.
#include "weather/metar.h"

#include <QString>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

#include <optional>

using namespace tarvos;

namespace {

struct Shape {
    const char *name;
    QString text;
    bool decoded;
    QString time, direction, speed;
    std::optional<QString> qnh;   // nullopt: the QNH field keeps "1013"
    std::optional<QString> level; // nullopt: the caption stays as it was
};

QString big(const QString &head, qsizetype size, QChar fill, const QString &end) {
    return head + QString(size, fill) + end;
}

QString bytes(std::initializer_list<int> codes) {
    QString s;
    for (int c : codes)
        s += QChar(static_cast<char16_t>(c));
    return s;
}

const QString err = QStringLiteral("Err");

} // namespace

TEST(MetarShapes, RealWorldTexts) {
    const Shape shapes[] = {
        {"CAVOK", "EGPD 180750Z 16003KT CAVOK 04/03 Q0991 NOSIG", true, "07:50", "160", "03", "991",
         "TL70"},
        {"AUTO before wind", "EHRD 180755Z AUTO 24013KT 9999 OVC006 11/11 Q1008 TEMPO 3000", true,
         "07:55", "AUT", "O ", "1008", "TL70"},
        {"AUTO, no wind, NIL", "NCMH 180700Z AUTO NIL", true, "07:00", "AUT", "O ", std::nullopt,
         "TL60"},
        {"COR before wind", "KTLH 231053Z COR 00000KT 10SM CLR 04/02 A3015 RMK AO2 SLP208", true,
         "10:53", "COR", " 0", std::nullopt, "TL60"},
        {"NIL remark", "NVVV 180700Z 03002KT 9999 SCT020 29/25 Q1010 RMK NIL", true, "07:00", "030",
         "02", "1010", "TL70"},
        {"VRB", "DIAP 180757Z VRB02KT 6000 BKN011 27/26 Q1011 NOSIG", true, "07:57", "VRB", "02",
         "1011", "TL70"},
        {"VRB with gust", "EGXX 180750Z VRB06G12KT 9999 Q1032", true, "07:50", "VRB", "06", "1032",
         "TL60"},
        {"gust", "EGKB 180750Z 25014G25KT 220V280 9999 -DZ BKN010 12/10 Q1010", true, "07:50",
         "250", "14", "1010", "TL70"},
        {"variable sector", "RJNT 180751Z 26008KT 230V290 3200 -SHSN 00/M01 Q1023 RMK A3023", true,
         "07:51", "260", "08", "1023", "TL60"},
        {"calm", "LOWW 180750Z 00000KT CAVOK 01/M01 Q1036 NOSIG", true, "07:50", "000", "00",
         "1036", "TL60"},
        {"metres per second", "UKON 180738Z 36004MPS 330V040 3700 BR OVC007 05/04 Q1013 NOSIG",
         true, "07:38", "360", "04", "1013", "TL60"},
        {"missing wind", "LGKC 180750Z /////KT 9999 FEW020 SCT080 13/12 Q1017", true, "07:50",
         "///", "//", "1017", "TL60"},
        {"three-digit speed", "LFXX 180731Z 270105G130KT 9999 Q0960", true, "07:31", "270", "10",
         "960", "TL80"},
        {"low QNH", "BGKK 180750Z AUTO VRB02KT 9999NDV BKN055/// M05/M08 Q0978", true, "07:50",
         "AUT", "O ", "978", "TL80"},
        {"high QNH", "UNNT 180730Z 20002MPS CAVOK M30/M34 Q1058 NOSIG", true, "07:30", "200", "02",
         "1058", std::nullopt},
        {"US altimeter", "KADW 180758Z 27005KT 10SM BKN048 02/M06 A3008 RMK AO2A SLP191", true,
         "07:58", "270", "05", std::nullopt, "TL60"},
        {"no pressure group", "KEHA 180748Z AUTO 33005KT M01/M04 RMK AO1 T10061038", true, "07:48",
         "AUT", "O ", std::nullopt, "TL60"},
        {"wind only", "K8S0 180740Z 22007KT", true, "07:40", "220", "07", std::nullopt, "TL60"},
        // The first capital Q counts, even in the station code or in a remark.
        {"Q in station", "KQFS 180756Z AUTO VRB06G12KT 9999 CLR 00/M19 A3048 RMK AO2", true,
         "07:56", "AUT", "O ", "FS 1", "TL80"},
        {"QNH remark", "KNKX 180755Z 30010KT 10SM CLR 16/08 A3031 RMK SLP263 QNH1026", true,
         "07:55", "300", "10", "NH10", "TL80"},
        {"Q and A", "TUPJ 231100Z 05006KT 10SM VCSH 27/25 A2993 RMK Q1013 VIS16KM", true, "11:00",
         "050", "06", "1013", "TL60"},
        {"decimal QNH", "OPPS 180700Z 00000KT 1200 HZ FEW250 14/06 Q1020.5", true, "07:00", "000",
         "00", "1020", "TL60"},
        {"QNH with slashes", "EDXX 180750Z AUTO 25010KT //// Q////", true, "07:50", "AUT", "O ",
         "////", "TL80"},
        {"end marker", "EDDT 071220Z 26010KT CAVOK 05/02 Q1013=", true, "12:20", "260", "10",
         "1013", "TL60"},
        {"trailing CR LF", "EDDT 071220Z 26010KT CAVOK 05/02 Q1013 NOSIG\r\n", true, "12:20", "260",
         "10", "1013", "TL60"},
        {"trailing LF, Q at end", "EDDT 071220Z 26010KT Q0\n", true, "12:20", "260", "10", "\n",
         "TL80"},
        {"two reports", "EDDT 071220Z 26010KT Q1013\r\nEDDB 071220Z 25008KT Q0998\r\n", true,
         "12:20", "260", "10", "1013", "TL60"},
        {"QNH from the second report", "KJFK 231051Z 02008KT A3028\nEGLL 231050Z 24010KT Q1015",
         true, "10:51", "020", "08", "1015", "TL60"},
        {"lower-case Z", "eddt 071220z 26010kt cavok 05/02 q1013 nosig", false, "", err, "", err,
         std::nullopt},
        {"lower case, capital Z", "eddt 071220Z 26010kt q1013", true, "12:20", "260", "10",
         std::nullopt, "TL60"},
        {"METAR prefix", "METAR EDDT 071220Z 26010KT Q1013", false, "", err, "", err, std::nullopt},
        {"SPECI prefix", "SPECI KJFK 231051Z 02008KT A3028", false, "", err, "", err, std::nullopt},
        {"leading blank", " EDDT 071220Z 26010KT Q1013", false, "", err, "", err, std::nullopt},
        {"leading line break", "\r\nEDDT 071220Z 26010KT Q1013", false, "", err, "", err,
         std::nullopt},
        {"day and hour only", "RKSW 2210Z 30007KT 2400 -SN BR A2997", false, "", err, "", err,
         std::nullopt},
        {"no report at all", "Hello world, this is no weather", false, "", err, "", err,
         std::nullopt},
        {"station-less remark", "UTO8 M M M 143/-16/-18/3508/M/ SOG 07 2014 99MM", false, "", err,
         "", err, std::nullopt},
        {"empty", "", false, "", err, "", err, std::nullopt},
        {"short", "EDDT 0712", false, "", err, "", err, std::nullopt},
        {"eleven characters", "EDDT 071220", false, "", err, "", err, std::nullopt},
        {"twelve characters", "EDDT 071220Z", true, "12:20", "", "", std::nullopt, "TL60"},
        {"thirteen characters", "EDDT 071220Z ", true, "12:20", "", "", std::nullopt, "TL60"},
        {"wind cut short", "EDDT 071220Z 2601", true, "12:20", "260", "1", std::nullopt, "TL60"},
        {"a megabyte of report", big("EDDT 071220Z 26010KT ", 1 << 20, u'X', " Q1047 NOSIG"), true,
         "12:20", "260", "10", "1047", "TL50"},
        {"a megabyte of text", big("", 1 << 20, u'Z', ""), true, "ZZ:ZZ", "ZZZ", "ZZ", std::nullopt,
         "TL60"},
        {"a megabyte without Z", big("", 1 << 20, u'q', ""), false, "", err, "", err, std::nullopt},
        {"binary bytes", bytes({0, 1, 2, 255, 254, 0, 0, 7, 8, 9, 10, 'Z', 0, 0, 'Q', 0, '0', '9'}),
         true, "\x07\x08:\x09\x0a", QString(QChar(0)) + 'Q' + QChar(0), QString(QChar('0')) + '9',
         bytes({0, '0', '9'}), "TL80"},
        {"binary without Z", bytes({0xfffe, 0xd800, 0, 0xdfff, 1, 2, 3, 4, 5, 6, 7, 0xffff}), false,
         "", err, "", err, std::nullopt},
        {"split surrogate pair", "EDDT 071220Z " + QString::fromUtf16(u"\U0001F600") + "10KT", true,
         "12:20", QString::fromUtf16(u"\U0001F600") + "1", "0K", std::nullopt, "TL60"},
    };
    for (const Shape &s : shapes) {
        SCOPED_TRACE(s.name);
        const MetarDecoding d = decodeMetar(s.text, "1013");
        EXPECT_EQ(d.decoded, s.decoded);
        EXPECT_EQ(d.metartail, s.text.mid(7));
        EXPECT_EQ(d.text1, s.direction);
        EXPECT_EQ(d.text2, s.speed);
        EXPECT_EQ(d.text3, s.qnh);
        EXPECT_EQ(d.label2, s.level);
        if (s.decoded)
            EXPECT_EQ(d.text6, s.time);
        else
            EXPECT_FALSE(d.text6.has_value());
    }
}
