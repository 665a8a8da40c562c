#include "strips/striplog.h"

namespace tarvos {

namespace {

const QString kTwoBlanks = QStringLiteral("  ");

// The first `width` characters of a text, filled up with dots to exactly `width`.
QString dotted(const QString &text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char('.'));
}

QString placeholderOrCut(const QString &text, int width) {
    return text.isEmpty() ? QString(width, QLatin1Char('.')) : text.left(width);
}

} // namespace

QString logDateText(const QDate &date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString logTimeText(const QTime &time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString trimBlanks(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString callsignTail(const QString &callsign) {
    return trimBlanks(callsign.right(7));
}

StripFields normalisedStrip(const StripFields &row) {
    return StripFields{placeholderOrCut(row.callsign, kLogCallsignWidth),
                       placeholderOrCut(row.dest, kLogDestWidth),
                       placeholderOrCut(row.via, kLogViaWidth),
                       placeholderOrCut(row.squawk, kLogSquawkWidth),
                       placeholderOrCut(row.remarks, kLogRemarksWidth)};
}

bool isArrival(const StripFields &row) {
    return row.remarks.startsWith(QStringLiteral("Landung")) ||
           row.squawk == QStringLiteral("----");
}

QString logRunway(const StripFields &row, const QString &takeoffRunway,
                  const QString &landingRunway) {
    return isArrival(row) ? landingRunway : takeoffRunway;
}

QString logLine(const StripFields &row, const QDateTime &now, const QString &takeoffRunway,
                const QString &landingRunway) {
    // The arrival test reads the row as it stands after the normalisation, as the log always did:
    // a squawk of "-----" is cut to "----" first.
    const StripFields n = normalisedStrip(row);
    // Upper-casing can lengthen a text ("ß" becomes "SS"), so the callsign is cut after it.
    return dotted(n.callsign.toUpper(), kLogCallsignWidth) + kTwoBlanks +
           dotted(n.dest, kLogDestWidth) + kTwoBlanks + dotted(n.via, kLogViaWidth) + kTwoBlanks +
           dotted(n.squawk, kLogSquawkWidth) + kTwoBlanks + dotted(n.remarks, kLogRemarksWidth) +
           kTwoBlanks + logDateText(now.date()) + kTwoBlanks + logTimeText(now.time()) +
           kTwoBlanks + logRunway(n, takeoffRunway, landingRunway);
}

QString groundInfoEntry(const StripFields &row) {
    if (row.remarks.startsWith(QStringLiteral("Landung")))
        return QString();
    return callsignTail(row.callsign);
}

QStringList todaysLogLines(const QStringList &logLines, const QDate &today) {
    const QString date = logDateText(today);
    QStringList result;
    for (const QString &line : logLines) {
        if (line.contains(date))
            result << line;
    }
    return result;
}

QString aircraftCountText(qsizetype count) {
    return QString::number(count) + QStringLiteral(" Flugzeuge");
}

} // namespace tarvos
