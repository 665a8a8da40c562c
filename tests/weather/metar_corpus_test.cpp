// Fourteen thousand reports from stations all over the world, with the weather centre's own
// decoding beside each: the reader must agree with the centre on the wind and the pressure of
// every report of the usual forms.
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

TEST(MetarCorpus, WindAndPressureAgreeWithTheCentresDecoding) {
    const QList<Report> reports = loadCorpus();
    ASSERT_GT(reports.size(), 14000);
    int decoded = 0, winds = 0, pressures = 0;
    QStringList disagreements;
    for (const Report &r : reports) {
        const std::optional<MetarReport> m = readMetar(r.raw);
        if (!m)
            continue;
        ++decoded;
        const auto direction = number(r.direction), speed = number(r.speed);
        if (direction && speed && !m->windMissing) {
            ++winds;
            // The centre gives a variable wind as 0 degrees.
            if (m->directionDegrees() != *direction || leadingInt(m->speed) != *speed)
                disagreements << r.raw;
        }
        // The centre gives every pressure in inches, a QNH converted from hectopascals.
        if (const auto inches = number(r.altimeter); inches && *inches > 0) {
            ++pressures;
            if (!m->qnh || std::abs(*m->qnh - *inches * 33.8639) > 1.0)
                disagreements << r.raw;
        }
    }
    EXPECT_GT(decoded, 14000);
    EXPECT_GT(winds, 12000);
    EXPECT_GT(pressures, 12000);
    // Every report agrees, also those with a QNH in tenths or run together with the temperature.
    EXPECT_EQ(disagreements.size(), 0) << disagreements.join(u'\n').toStdString();
}

TEST(MetarCorpus, TheWholeFileAsOneClipboardText) {
    QFile file(QStringLiteral(TARVOS_TEST_DATA "/metars-awc.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString all = QString::fromLatin1(file.readAll());
    // The first line names the columns: no report.
    const MetarDecoding d = decodeMetar(all);
    EXPECT_FALSE(d.decoded);
    EXPECT_EQ(d.clipboardText.size(), all.size() - 7);
    // From the first report on, it decodes as that report alone.
    const MetarDecoding first = decodeMetar(all.mid(all.indexOf(QLatin1Char('\n')) + 1));
    EXPECT_TRUE(first.decoded);
    EXPECT_EQ(first.text1, "270");
    EXPECT_EQ(first.text2, "05");
    EXPECT_EQ(first.text3, "1019");
}
