// Any downloaded body through the status rendering (IVAO's JSON, VATSIM's v3 JSON, the record
// layout), and any text through the record reads and the answers built on them: no crash, no read
// past the end, and a JSON body never yields a record with a shifted field count.
#include "network/answers.h"
#include "network/statusfeed.h"
#include "network/statustext.h"

#include "fuzztext.h"

#include <optional>

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

// A field read whole: one field of one record, however long (a name or frequency of a body that
// is no status feed can run to thousands of characters; the scan limits of the old file bound
// only the fixed-width reads).
bool oneField(const QString &field, const QString &text) {
    return field.size() <= text.size() && !field.contains(u':') && !field.contains(u'\n') &&
           !field.contains(u'\r');
}

// Every line of a JSON body's records carries all the fields, and the text ends with its line.
void requireWholeRecords(const QString &text) {
    qsizetype separators = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            require(separators == kRecordFields - 1);
            separators = 0;
        } else if (c == u':') {
            ++separators;
        }
    }
    require(separators == 0 && (text.isEmpty() || text.endsWith(u'\n')));
}

void readEverything(const QString &text, const QString &key) {
    const qsizetype p = recordSearch(text, key);
    require(p >= 0 && p <= text.size() + 1);
    if (p > 0) {
        require(readDestination(text, p).size() <= 4);
        require(readDeparture(text, p).size() <= 4);
        require(readRoute(text, p).size() <= 40);
        require(readRemarks(text, p).size() <= 40);
        require(readCallsign(text, p).size() <= 51);
        require(oneField(readName(text, p), text));
        require(oneField(readFrequency(text, p), text));
    }
    require(getwhat(text, key).found == (p > 0));
    require(getstrip(text, key).has_value() == (p > 0));
    const TrafficListing listing = trafficListing(text, key.left(8));
    require(!listing.text.isEmpty());
    getcontroller(text, key);
}

} // namespace

// The first byte chooses the key's length and its text mode; the key follows, then the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const QString key = fuzz::textFrom(data + 1, keyLength, data[0] >> 4);
    const QByteArray body(reinterpret_cast<const char *>(data + 1 + keyLength),
                          static_cast<qsizetype>(size - 1 - keyLength));

    const std::optional<StatusRecords> records = statusRecordsOf(body);
    const QString text = records ? records->online : QString();
    require(text == renderStatusText(body));
    // A JSON body as the reader knows one: "{" after JSON's own blanks (space, tab, CR, LF). A
    // form feed or vertical tab in front makes no JSON; such a body may still be the old record
    // file, whose lines are not ours to count.
    qsizetype start = 0;
    while (start < body.size() && QByteArrayView(" \t\r\n").contains(body.at(start)))
        ++start;
    if (start < body.size() && body.at(start) == '{' && records) {
        requireWholeRecords(text);
        requireWholeRecords(records->prefiled);
        const QString &plan = flightPlanText(text, records->prefiled, key);
        require(&plan == &text || recordSearch(text, key) == 0);
        readEverything(records->prefiled, key);
    }
    readEverything(text, key);
    readEverything(fuzz::textFrom(data + 1, size - 1, data[0] >> 4), key);
    return 0;
}
