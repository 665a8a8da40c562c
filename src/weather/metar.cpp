#include "weather/metar.h"

#include "console/numbers.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tarvos {

namespace {

// One group of a report and where it stands, so that "the rest of the report" can be handed on
// exactly as it was written.
struct Group {
    QString text;
    qsizetype start = 0;
};

QList<Group> groupsOf(const QString &text) {
    static const QRegularExpression group(QStringLiteral("\\S+"));
    QList<Group> groups;
    for (auto it = group.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        groups.append(Group{m.captured(), m.capturedStart()});
    }
    return groups;
}

// The words that may follow the day-time group before the observation: a correction ("COR",
// or Canada's "CCA", "CCB"... for the first, second... correction), "AUTO", and "RTD", a
// routine report sent late (Japan, Mexico).
bool isHeadWord(const QString &group) {
    static const QRegularExpression correction(QStringLiteral("^CC[A-Z]$"));
    return group == QLatin1String("COR") || group == QLatin1String("AUTO") ||
           group == QLatin1String("RTD") || correction.match(group).hasMatch();
}

bool isTrendOrRemark(const QString &group) {
    return group == QLatin1String("RMK") || group == QLatin1String("TEMPO") ||
           group == QLatin1String("BECMG");
}

// Knots from a speed in its unit, rounded half up, written as reports write a speed.
QString knots(const QString &digits, const QString &unit) {
    double value = digits.toDouble();
    if (unit == QLatin1String("MPS"))
        value *= 1.94384;
    else if (unit == QLatin1String("KMH"))
        value *= 0.539957;
    const int rounded = static_cast<int>(std::floor(value + 0.5));
    return QStringLiteral("%1").arg(rounded, 2, 10, QLatin1Char('0'));
}

// Reads the wind group (at `groups[i]`, if it is one) and the pressure; `groups` start after
// the day-time group. `text` is what the groups' positions refer to.
void readBody(MetarReport &report, const QString &text, const QList<Group> &groups) {
    qsizetype i = 0;
    while (i < groups.size() && isHeadWord(groups[i].text))
        ++i;

    static const QRegularExpression wind(
        QStringLiteral("^(\\d{3}|VRB|///)(\\d{2,3}|//)(?:G(\\d{2,3}|//))?(KT|MPS|KMH)$"));
    const QRegularExpressionMatch w =
        i < groups.size() ? wind.match(groups[i].text) : QRegularExpressionMatch();
    report.windMissing = true;
    report.direction = report.speed = QString::fromLatin1(kNoWind);
    if (w.hasMatch()) {
        const QString direction = w.captured(1);
        const QString speed = w.captured(2);
        if (!direction.contains(u'/') && !speed.contains(u'/')) {
            report.windMissing = false;
            report.direction = direction;
            report.speed = knots(speed, w.captured(4));
            if (w.hasCaptured(3) && !w.captured(3).contains(u'/'))
                report.gust = knots(w.captured(3), w.captured(4));
        }
        ++i;
    }
    report.afterWind = i < groups.size() ? text.mid(groups[i].start) : QString();

    // The first whole pressure group of the observation itself: a Q inside a station code, a
    // squall "SQ" or a remark never starts one. A QNH written with tenths counts in whole
    // hectopascals, and one run together with the temperature ("30/26Q1007") still counts.
    static const QRegularExpression qGroup(
        QStringLiteral("^(?:M?\\d\\d/M?\\d\\d)?Q(\\d{4})(?:\\.\\d+|/\\S*)?$"));
    static const QRegularExpression aGroup(QStringLiteral("^A(\\d{4})$"));
    std::optional<int> inches;
    for (; i < groups.size() && !isTrendOrRemark(groups[i].text); ++i) {
        if (const auto q = qGroup.match(groups[i].text); q.hasMatch()) {
            report.qnh = q.captured(1).toInt();
            return;
        }
        if (const auto a = aGroup.match(groups[i].text); a.hasMatch() && !inches)
            inches = a.captured(1).toInt();
    }
    if (inches)
        report.qnh = static_cast<int>(std::floor(*inches * 0.338639 + 0.5));
}

// The report's own line, without the blanks around it and without a bulletin's end mark: a
// text of several lines (two reports copied at once) is read as its first report.
QString reportLine(const QString &text) {
    QString t = text.trimmed();
    const qsizetype lineEnd = t.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        t.truncate(lineEnd);
    t = t.trimmed();
    while (t.endsWith(u'='))
        t = t.chopped(1).trimmed();
    return t;
}

} // namespace

std::optional<QString> transitionLevel(int qnh) {
    // A number below zero reads as zero, as a text without digits always did.
    return chooseLevel(defaultTlTable(), QStringLiteral("ED"), std::max(qnh, 0)).caption;
}

QString MetarReport::qnhFourDigits() const {
    return qnh ? QStringLiteral("%1").arg(*qnh, 4, 10, QLatin1Char('0')) : QString();
}

int MetarReport::directionDegrees() const {
    return windMissing ? 0 : leadingInt(direction);
}

std::optional<MetarReport> readMetar(const QString &raw) {
    const QString text = reportLine(raw);
    static const QRegularExpression head(QStringLiteral(
        "^(?:(?:METAR|SPECI)\\s+)?(?:COR\\s+)?([A-Z0-9]{4})\\s+\\d\\d(\\d\\d)(\\d\\d)Z(?=\\s|$)"));
    const QRegularExpressionMatch m = head.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    MetarReport report;
    report.station = m.captured(1);
    report.hour = m.captured(2);
    report.minute = m.captured(3);
    report.tail = text.mid(m.capturedStart(2));
    const QList<Group> groups = groupsOf(report.tail);
    for (const Group &g : groups.mid(1)) {
        if (g.text == QLatin1String("NIL"))
            return std::nullopt; // "no report": the station sent nothing this time
        if (!isHeadWord(g.text))
            break;
    }
    readBody(report, report.tail, groups.mid(1));
    return report;
}

std::optional<MetarReport> readMetarTail(const QString &tail) {
    const QString text = reportLine(tail);
    static const QRegularExpression hourMinute(QStringLiteral("^(\\d\\d)(\\d\\d)Z$"));
    const QList<Group> groups = groupsOf(text);
    const QRegularExpressionMatch m =
        groups.isEmpty() ? QRegularExpressionMatch() : hourMinute.match(groups[0].text);
    if (!m.hasMatch())
        return std::nullopt;
    MetarReport report;
    report.hour = m.captured(1);
    report.minute = m.captured(2);
    report.tail = text;
    readBody(report, text, groups.mid(1));
    return report;
}

QString noPressureToolTip() {
    return QStringLiteral("The report gives no QNH");
}

MetarDecoding decodeMetar(const QString &metar, const TlTable &tl) {
    MetarDecoding result;
    const std::optional<MetarReport> report = readMetar(metar);
    if (!report) {
        // A text that is no report is cut as the clipboard always cut it: the station and the
        // day off, whatever stands there.
        result.clipboardText = mid1(metar, 8);
        result.metartail = result.clipboardText;
        result.text1 = QStringLiteral("Err");
        result.text2 = QString();
        result.text3 = QStringLiteral("Err");
        result.text4 = QString();
        result.text5 = QString();
        return result;
    }

    result.decoded = true;
    result.clipboardText = report->tail;
    result.metartail = report->tail;
    result.text6 = report->time();
    result.text1 = report->direction;
    result.text2 = report->speed;
    // The level of the report's own station; never another country's.
    const LevelChoice level = chooseLevel(tl, report->station, report->qnh.value_or(0));
    result.label2ToolTip =
        level.known ? levelToolTip(level.altitude) : noLevelText(report->station);
    result.label2Description = level.known ? QString() : result.label2ToolTip;
    if (report->qnh) {
        result.text3 = QString::number(*report->qnh);
        result.label2 = level.caption;
    } else {
        // Never the last airport's pressure: an empty field and no level.
        result.pressureMissing = true;
        result.label2 = QString();
    }
    return result;
}

} // namespace tarvos
