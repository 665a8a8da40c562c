// Real reports as weather services wrote them (the Aviation Weather Center's files of 2014, 2022
// and 2025, every continent), and texts that are no report: each gives the fields the controller
// would read off the report himself.
#include "weather/metar.h"

#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

#include <optional>

using namespace tarvos;

namespace {

// A report and what the controller reads off it: "time direction speed gust QNH level", where
// "-" is an empty field (no gust; no pressure, so no QNH and no level) and "keep" a level caption
// that stays as it was.
struct Shape {
    QString text;
    const char *fields;
};

// The German levels for every airport, so that each shape shows a level.
TlTable germanLevelsEverywhere() {
    TlTable table;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        for (const TlLine &l : defaultTlTable())
            table.append({QString(QChar(letter)), l.altitude, l.lowest, l.highest, l.caption});
    }
    return table;
}

} // namespace

TEST(MetarShapes, RealReportsReadByTheirGroups) {
    const Shape shapes[] = {
        // Germany, AUTO
        {"EDDB 231120Z AUTO 16009KT CAVOK 18/13 Q1016 NOSIG", "11:20 160 09 - 1016 TL60"},
        // METAR word
        {"METAR EDDF 272220Z AUTO 18011KT 9999 SCT038 09/05 Q0998 NOSIG",
         "22:20 180 11 - 998 TL70"},
        // SPECI word, COR, inches
        {"SPECI KJFK 231051Z COR 02008KT 10SM FEW035 BKN047 BKN140 OVC210 14/12 A3028 RMK AO2 "
         "SLP253 T01390117",
         "10:51 020 08 - 1025 TL60"},
        // COR before the station, as the international order has it
        {"METAR COR EGKB 180750Z 25014G25KT 220V280 9999 -DZ BKN010 12/10 Q1010",
         "07:50 250 14 25 1010 TL70"},
        // Canada's correction group
        {"CYQD 180700Z CCA 14005KT 15SM OVC018 M17/M19 A3009 RMK SC8 SLP215",
         "07:00 140 05 - 1019 TL60"},
        // A routine report sent late
        {"RJAW 180700Z RTD 34014KT 9999 FEW020 BKN030 BKN080 20/11 Q1018 RMK 1CU020 5CU030 "
         "6AC080 A3009",
         "07:00 340 14 - 1018 TL60"},
        {"MMPB 180700Z RTD 31003KT 7SM BKN230 08/06 A3037 RMK 8/008", "07:00 310 03 - 1028 TL60"},
        // Scotland
        {"EGPD 180750Z 16003KT CAVOK 04/03 Q0991 NOSIG", "07:50 160 03 - 991 TL70"},
        // Netherlands, trend
        {"EHRD 180755Z AUTO 24013KT 9999 OVC006 11/11 Q1008 TEMPO 3000 FEW006 BKN012",
         "07:55 240 13 - 1008 TL70"},
        // NIL remark
        {"NVVV 180700Z 03002KT 9999 SCT020 29/25 Q1010 RMK NIL", "07:00 030 02 - 1010 TL70"},
        // US calm, COR
        {"KTLH 231053Z COR 00000KT 10SM CLR 04/02 A3015 RMK AO2 SLP208 T00390017",
         "10:53 000 00 - 1021 TL60"},
        // VRB
        {"DIAP 180757Z VRB02KT 6000 BKN011 27/26 Q1011 NOSIG", "07:57 VRB 02 - 1011 TL70"},
        // Q in the station, VRB gust
        {"KQFS 180756Z AUTO VRB06G12KT 9999 CLR 00/M19 A3048 RMK AO2 SLPNO T00021195",
         "07:56 VRB 06 12 1032 TL60"},
        // Bosnia: Q in the station
        {"LQSA 180730Z VRB02KT 4000 BR OVC010 06/06 Q1018 NOSIG", "07:30 VRB 02 - 1018 TL60"},
        // England, gust
        {"EGKB 180750Z 25014G25KT 220V280 9999 -DZ BKN010 12/10 Q1010",
         "07:50 250 14 25 1010 TL70"},
        // Japan, altimeter in a remark
        {"RJNT 180751Z 26008KT 230V290 3200 -SHSN SCT005 BKN010 BKN020 00/M01 Q1023 RMK 3CU005 "
         "5CU010 6CU020 A3023",
         "07:51 260 08 - 1023 TL60"},
        // Switzerland, calm
        {"LSGS 180750Z 00000KT 9999 -RA OVC080 03/02 Q1023", "07:50 000 00 - 1023 TL60"},
        // Ukraine, m/s
        {"UKON 180738Z 36004MPS 330V040 3700 BR OVC007 05/04 Q1013 NOSIG",
         "07:38 360 08 - 1013 TL60"},
        // Russia, m/s gust, trend wind
        {"UWGG 180730Z 22004G10MPS 9999 -RA OVC014 02/01 Q1004 TEMPO 22006G13MPS 18290040 RMK "
         "QFE746",
         "07:30 220 08 19 1004 TL70"},
        // Siberia, m/s
        {"UNNT 180730Z 24003MPS CAVOK M11/M14 Q1037 25810155 16490245 NOSIG RMK QFE767/1023",
         "07:30 240 06 - 1037 TL60"},
        // Greece, wind missing
        {"LGKC 180750Z /////KT 9999 FEW020 SCT080 13/12 Q1017", "07:50 /// /// - 1017 TL60"},
        // Algeria, direction missing
        {"DAUT 180700Z ///05KT CAVOK 07/04 Q1024", "07:00 /// /// - 1024 TL60"},
        // Brazil, three-digit speed
        {"SPQT 180731Z 040009KT 1000 +SHRA BKN005 FEW025CB OVC100 24/23 Q1010",
         "07:31 040 09 - 1010 TL70"},
        // Greenland, low QNH
        {"BGKK 180750Z AUTO VRB02KT 9999NDV FEW029/// BKN055/// M05/M08 Q0978",
         "07:50 VRB 02 - 978 TL80"},
        // US altimeter
        {"KADW 180758Z 27005KT 10SM BKN048 02/M06 A3008 RMK AO2A SLP191 T00221056",
         "07:58 270 05 - 1019 TL60"},
        // no pressure group
        {"KEHA 180748Z AUTO 33005KT M01/M04 RMK AO1 PK WND 12 000 T10061038", "07:48 330 05 - - -"},
        // Peru, speed in three digits
        {"SPQT 180731Z 040009KT 1000 +SHRA BKN005 FEW025CB OVC100 24/23 Q1010",
         "07:31 040 09 - 1010 TL70"},
        // Malaysia, Q////
        {"WMAU 180700Z 03006KT 9999 FEW017CB SCT140 BKN280 31/26 Q//// QFF1008",
         "07:00 030 06 - - -"},
        // no wind group
        {"KMYP 180757Z AUTO OVC002 M09/M11 A3007 RMK AO2 PWINO", "07:57 /// /// - 1018 TL60"},
        // QNH only in a remark
        {"KQWM 180755Z 30010KT 9999 CLR 16/08 A3031 RMK SLP263 QNH1026",
         "07:55 300 10 - 1026 TL60"},
        // Caribbean, Q in a remark
        {"TUPJ 231100Z 05006KT 10SM VCSH SCT019 27/25 A2993 RMK Q1013 VIS16KM",
         "11:00 050 06 - 1014 TL60"},
        // Guatemala, Q and A
        {"MSLP 180750Z VRB01KT CAVOK 21/17 Q1013 A2991", "07:50 VRB 01 - 1013 TL60"},
        // Pakistan, hPa and inches
        {"OPLA 180725Z 12003KT 0800 FG NSC 10/09 Q1021/A30.15 BECMG 1000 BR",
         "07:25 120 03 - 1021 TL60"},
        // Australia, trend winds
        {"YBBN 180755Z 23021KT 9000 TSRA FEW008 BKN045CB BKN100 28/19 Q1008 FM0900 35010KT 9999 "
         "-SHRA SCT050 TEMPO 0755/0930 VRB20G50KT 1000 +TSRAGR BKN015 SCT050CB",
         "07:55 230 21 - 1008 TL70"},
        // bulletin end mark, line end
        {"EGPD 180750Z 16003KT CAVOK 04/03 Q0991 NOSIG=\r\n", "07:50 160 03 - 991 TL70"},
        // blank and line end in front
        {" \r\nLQSA 180730Z VRB02KT 4000 BR OVC010 06/06 Q1018 NOSIG", "07:30 VRB 02 - 1018 TL60"},
        // two reports: the first
        {"KEHA 180748Z AUTO 33005KT M01/M04 RMK AO1 PK WND 12 000 T10061038\nEGPD 180750Z 16003KT "
         "CAVOK 04/03 Q0991 NOSIG",
         "07:48 330 05 - - -"},
    };
    for (const Shape &s : shapes) {
        SCOPED_TRACE(s.text.toStdString());
        const QStringList f = QString::fromLatin1(s.fields).split(u' ');
        ASSERT_EQ(f.size(), 6);
        const auto field = [&](int i) { return f[i] == "-" ? QString() : f[i]; };
        const MetarDecoding d = decodeMetar(s.text, germanLevelsEverywhere());
        ASSERT_TRUE(d.decoded);
        EXPECT_EQ(d.text6, f[0]);
        EXPECT_EQ(d.text1, f[1]);
        EXPECT_EQ(d.text2, f[2]);
        EXPECT_EQ(readMetar(s.text)->gust.value_or(""), field(3));
        EXPECT_EQ(d.text3, field(4));
        EXPECT_EQ(d.pressureMissing, field(4).isEmpty());
        EXPECT_EQ(d.label2, f[5] == "keep" ? std::nullopt : std::optional(field(5)));
        // The clipboard holds the report from the hour on, without the METAR word or end mark.
        const QString line = s.text.trimmed().split(QRegularExpression("[\r\n]")).first();
        const qsizetype hour = line.indexOf(QRegularExpression(" \\d{6}Z")) + 3;
        EXPECT_EQ(d.clipboardText, line.mid(hour).remove(QRegularExpression("=$")));
    }
}

TEST(MetarShapes, TextsThatAreNoReportGiveTheErrorRow) {
    const QString texts[] = {
        "NCMH 180700Z AUTO NIL",
        "eddt 071220z 26010kt cavok 05/02 q1013 nosig",
        "RKSW 2210Z 30007KT 2400 -SN BR A2997",
        "MGTU 272200Z32004KT CAVOK 33/23",
        "UTO8 M M M 143/-16/-18/3508/M/ SOG 07 2014 99MM",
        "Hello world, this is no weather",
        "EDDT 071220",
        "",
        QString(1 << 20, u'Z'),
        QString::fromUtf16(u"\U0001F600 071220Z 26010KT"),
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.left(60).toStdString());
        const MetarDecoding d = decodeMetar(text);
        EXPECT_FALSE(d.decoded);
        EXPECT_EQ(d.text1, "Err");
        EXPECT_EQ(d.text3, "Err");
        EXPECT_EQ(d.clipboardText, text.mid(7));
        EXPECT_FALSE(d.text6.has_value());
    }
}
