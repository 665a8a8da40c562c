#include "network/answers.h"

#include "network/statustext.h"

#include <QRegularExpression>

namespace tarvos {

QStringList controlFileDefaults() {
    return {QStringLiteral("EDDT_GND"), QStringLiteral("EDDT_TWR"),   QStringLiteral("EDDI_GND"),
            QStringLiteral("EDDI_TWR"), QStringLiteral("EDDB_GND"),   QStringLiteral("EDDB_TWR"),
            QStringLiteral("EDBB_APP"), QStringLiteral("EDBB_DEP"),   QStringLiteral("EDBB_1_APP"),
            QStringLiteral("EDBB_CTR"), QStringLiteral("EDBB_1_CTR"), QStringLiteral("EDDP_APP"),
            QStringLiteral("EDBB_OBS")};
}

namespace {

// A station record's ATIS lines stand from its 36th field on. Controllers write other positions'
// callsigns there ("MENTORING ... ON BIKF_TWR"), and a match there is no station of that name.
constexpr qsizetype kAtisField = 35;

// The first place of `line` in a record's own fields before its ATIS lines (1-based, 0 for none).
qsizetype stationSearch(const QString &text, const QString &line) {
    for (qsizetype p = recordSearch(text, line); p != 0; p = recordSearch(text, line, p + 1)) {
        const qsizetype start = p == 1 ? 0 : text.lastIndexOf(u'\n', p - 2) + 1;
        if (QStringView(text).mid(start, p - 1 - start).count(u':') < kAtisField)
            return p;
    }
    return 0;
}

} // namespace

QString getcontroller(const QString &statusText, const QString &controlLine) {
    if (controlLine.isEmpty())
        return {};
    const qsizetype p = stationSearch(statusText, controlLine);
    if (p == 0)
        return {};
    return readCallsign(statusText, p) + QLatin1String(" - ") + readName(statusText, p) +
           QLatin1String(" - ") + readFrequency(statusText, p) + QLatin1String("\r\n");
}

ControllerPanel controllerPanel(const QString &statusText, const QStringList &controlLines,
                                bool controlFileCreated, const QString &downloadFailure) {
    if (controlFileCreated)
        return {QLatin1String(kControlFileCreated), false};
    if (!downloadFailure.isEmpty())
        return {downloadFailure, false};
    QString text;
    for (const QString &line : controlLines)
        text += getcontroller(statusText, line);
    if (text.isEmpty())
        return {QLatin1String(kNoControllers), true};
    return {text, false};
}

QString lookupkey(const QString &callsignField) {
    const qsizetype space = callsignField.indexOf(u' ');
    const bool splits = space >= 0 && space < callsignField.size() - 1;
    return (splits ? callsignField.mid(space + 1) : callsignField).toUpper();
}

WhatAnswer getwhat(const QString &statusText, const QString &key) {
    WhatAnswer answer;
    const qsizetype p = recordSearch(statusText, key);
    if (p == 0) {
        answer.planText = QLatin1String(kNothingFound);
        answer.departure = QLatin1String(kNoDeparture);
        return answer;
    }
    answer.found = true;
    answer.destination = readDestination(statusText, p);
    answer.emptyDestAndRemarks =
        answer.destination.startsWith(u':') || answer.destination.startsWith(u'1');
    return answer;
}

const QString &flightPlanText(const QString &online, const QString &prefiled, const QString &key) {
    if (recordSearch(online, key) == 0 && recordSearch(prefiled, key) != 0)
        return prefiled;
    return online;
}

std::optional<StripAnswer> getstrip(const QString &statusText, const QString &key) {
    const qsizetype p = recordSearch(statusText, key);
    if (p == 0)
        return std::nullopt;
    return StripAnswer{readRoute(statusText, p) + QLatin1String("\r\n") +
                           readRemarks(statusText, p),
                       readDeparture(statusText, p)};
}

QString greetingKey(const QString &callsignField) {
    if (callsignField.size() < 5)
        return {};
    return callsignField.mid(4, callsignField.size() - 5).toUpper();
}

Greeting getaircraft(const QString &callsignField, const QStringList &logLines) {
    Greeting g;
    g.key = greetingKey(callsignField);
    for (const QString &line : logLines) {
        if (!line.isEmpty() && line.contains(g.key))
            ++g.count;
    }
    const QString count = QLatin1Char(' ') + QString::number(g.count);
    g.remarks = g.key + QLatin1String(" =") + count;
    g.clipboard = QLatin1String("I've controlled you") + count +
                  QLatin1String(" times, since Nov-2002, with your current callsign !!!");
    return g;
}

bool looksLikeVersion(const QString &versionText) {
    // "V7.5", "V7.4 final": a V (a small one is announced as it comes) and a digit.
    static const QRegularExpression version(QStringLiteral("^[Vv][0-9]"));
    return version.match(versionText).hasMatch();
}

QString getupd(const QString &versionText, bool downloadOk) {
    if (!downloadOk || !looksLikeVersion(versionText))
        return QLatin1String(kNoUpdateServer);
    const QString version = versionText.left(4);
    if (version != QLatin1String(kOwnVersion))
        return QLatin1String("Yes, the update ") + version + QLatin1String(" is available !");
    return QStringLiteral("No, there is no new version !");
}

TrafficListing trafficListing(const QString &statusText, const QString &depsearchcode) {
    TrafficListing listing;
    const QString shown = depsearchcode;
    listing.depsearchcode = QLatin1Char(':') + depsearchcode + QLatin1Char(':');
    const QString &code = listing.depsearchcode;
    qsizetype pos = 1;
    for (;;) {
        const qsizetype c = recordSearch(statusText, code, pos);
        pos = c + 1;
        if (c == 0)
            break;
        if (textAt(statusText, c + 6, 4) == QLatin1String("IVAN"))
            continue;
        // The record's line starts after the line feed before the match, however far back (a
        // long flight plan puts the code far from its callsign); in the first line of the text
        // the line starts at the text's first character.
        const qsizetype lineStart = statusText.lastIndexOf(u'\n', c - 1) + 2;
        listing.text +=
            textAt(statusText, lineStart, 6) + QLatin1Char(' ') + shown + QLatin1String("\r\n");
    }
    if (listing.text.isEmpty())
        listing.text = QLatin1String(kNixDa);
    return listing;
}

} // namespace tarvos
