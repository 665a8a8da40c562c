// Fourteen thousand reports from stations all over the world, with the weather centre's own
// decoding beside each: the positional decoding must survive every one of them and agree with
// the centre on the wind of every report that has the usual layout.
#include "weather/metar.h"

#include "console/numbers.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

#include <cmath>

using namespace tarvos;

namespace {

struct Report {
    QString raw;
    QString direction; // degrees, "VRB" or empty
    QString speed;     // knots
    QString altimeter; // inches of mercury
};

QList<Report> loadCorpus() {
    QFile file(QStringLiteral(TARVOS_TEST_DATA "/metars-awc.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Report> reports;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) { // line 1 names the columns
        const QStringList cols = QString::fromLatin1(lines[i]).split(QLatin1Char('\t'));
        if (cols.size() >= 7)
            reports.append(Report{cols[0], cols[3], cols[4], cols[6]});
    }
    return reports;
}

std::optional<double> number(const QString &text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

TEST(MetarCorpus, EveryReportDecodesAndTheUsualLayoutGivesTheCentresWind) {
    const QList<Report> reports = loadCorpus();
    ASSERT_GT(reports.size(), 14000);

    // Station, day-time group, then direction and speed in knots, with or without a gust. A
    // gust in metres per second is left out: the centre gives its speed converted to knots.
    const QRegularExpression usual(QStringLiteral("^[A-Z0-9]{4} \\d{6}Z \\d{5}(G\\d{2,3})?KT"));
    int compared = 0, undecodedByCentre = 0, decoded = 0;
    for (const Report &r : reports) {
        const MetarDecoding d = decodeMetar(r.raw, QStringLiteral("1013"));
        EXPECT_EQ(d.metartail, r.raw.mid(7));
        decoded += d.decoded ? 1 : 0;
        if (!usual.match(r.raw).hasMatch())
            continue;
        SCOPED_TRACE(r.raw.toStdString());
        ASSERT_TRUE(d.decoded);
        const auto direction = number(r.direction), speed = number(r.speed);
        if (!direction || !speed) {
            ++undecodedByCentre; // "VRB" for a 000 direction, or no decoding at all
            continue;
        }
        ++compared;
        EXPECT_EQ(leadingInt(d.text1), *direction);
        EXPECT_EQ(leadingInt(d.text2), *speed);
    }
    EXPECT_GT(compared, 5000);
    EXPECT_LE(undecodedByCentre, 5);
    EXPECT_GT(decoded, 14000);
}

TEST(MetarCorpus, QnhGroupAgreesWithTheCentresAltimeter) {
    // Where the first Q of a report opens a four-digit QNH group, the QNH field holds that
    // pressure, which the centre gives in inches.
    const QRegularExpression group(QStringLiteral("^[^Q]* Q\\d{4}"));
    int compared = 0;
    for (const Report &r : loadCorpus()) {
        const auto inches = number(r.altimeter);
        if (!inches || !group.match(r.raw).hasMatch())
            continue;
        const MetarDecoding d = decodeMetar(r.raw, QString());
        if (!d.decoded)
            continue;
        ++compared;
        ASSERT_TRUE(d.text3.has_value()) << r.raw.toStdString();
        EXPECT_NEAR(leadingInt(*d.text3), *inches * 33.8639, 1.0) << r.raw.toStdString();
    }
    EXPECT_GT(compared, 5000);
}

TEST(MetarCorpus, TheWholeFileAsOneClipboardText) {
    QFile file(QStringLiteral(TARVOS_TEST_DATA "/metars-awc.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString all = QString::fromLatin1(file.readAll());
    // The first line names the columns, so character 12 is no "Z".
    const MetarDecoding d = decodeMetar(all, QStringLiteral("1013"));
    EXPECT_FALSE(d.decoded);
    EXPECT_EQ(d.clipboardText.size(), all.size() - 7);
    // From the first report on, it decodes as that report.
    const MetarDecoding first = decodeMetar(all.mid(all.indexOf(QLatin1Char('\n')) + 1), "1013");
    EXPECT_TRUE(first.decoded);
    EXPECT_EQ(first.text1, "270");
    EXPECT_EQ(first.text2, "05");
}
