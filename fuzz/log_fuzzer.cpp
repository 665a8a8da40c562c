// Any bytes as log.txt: the list of today's strips, the greeting's count of a callsign typed
// as "such...", and the log line of a strip made of the file's first lines; and, when the first
// byte is odd, the bytes as a sequence of edits of the ground-info rows.
#include "clientlink/groundinfo.h"
#include "console/textcodec.h"
#include "network/answers.h"
#include "strips/striplog.h"

#include "fuzztext.h"

#include <QDateTime>

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

void logFile(const QStringList &lines, std::uint8_t day) {
    const QDate today = QDate(2026, 1, 1).addDays(day * 3);
    const QStringList todays = todaysLogLines(lines, today);
    require(todays.size() <= lines.size());
    for (const QString &line : todays)
        require(line.contains(logDateText(today)));

    const Greeting greeting = getaircraft(lines.value(0), lines);
    require(greeting.count >= 0 && greeting.count <= lines.size());

    const StripFields row{lines.value(0), lines.value(1), lines.value(2), lines.value(3),
                          lines.value(4)};
    const StripFields normal = normalisedStrip(row);
    require(normal.callsign.size() <= kLogCallsignWidth && normal.dest.size() <= kLogDestWidth &&
            normal.via.size() <= kLogViaWidth && normal.squawk.size() <= kLogSquawkWidth &&
            normal.remarks.size() <= kLogRemarksWidth);
    require(normalisedStrip(normal) == normal);
    const QString line =
        logLine(row, QDateTime(today, QTime(14, 5, 9)), lines.value(5), lines.value(6));
    require(todaysLogLines({line}, today).size() == 1);
    require(groundInfoEntry(row).size() <= 7);
}

void groundRows(const std::uint8_t *data, std::size_t size) {
    GroundInfo rows;
    // Ten rows: a few dozen edits reach every state that a longer sequence reaches.
    size = std::min<std::size_t>(size, 128);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int row = data[i + 1] % GroundInfo::kRows;
        switch (data[i] % 6) {
        case 0:
            rows.setCallsign(
                row, QString::fromLatin1(reinterpret_cast<const char *>(data + i), data[i] % 4));
            break;
        case 1:
            rows.setCheck(row, (data[i] >> 3) % 3, data[i] & 0x80);
            break;
        case 2:
            rows.clearrow(row);
            break;
        case 3: {
            rows.topit();
            bool gap = false;
            for (int r = 0; r < GroundInfo::kRows; ++r) {
                const GroundRow &g = rows.row(r);
                gap = gap || g.callsign.isEmpty();
                require(!gap || g.callsign.isEmpty());
            }
            break;
        }
        case 4: {
            const int at =
                rows.enter(QStringLiteral("DLH%1").arg(data[i + 1]), data[i] >> 7 ? 2 : 1);
            require(at == -1 || (rows.row(at).checks[0] && !rows.row(at).callsign.isEmpty()));
            break;
        }
        default:
            rows.clearAll();
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        groundRows(data + 1, size - 1);
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1),
                           static_cast<qsizetype>(size - 1));
    logFile(splitDataLines(decodeDataText(bytes)), data[0] >> 1);
    return 0;
}
