// Any downloaded body through the status rendering, and any text through the record reads and
// the answers built on them: no crash, no read past the end, and a JSON body never yields a
// record with a shifted field count.
#include "network/answers.h"
#include "network/statusfeed.h"
#include "network/statustext.h"

#include "fuzztext.h"

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

void readEverything(const QString &text, const QString &key) {
    const qsizetype p = recordSearch(text, key);
    require(p >= 0 && p <= text.size() + 1);
    if (p > 0) {
        require(readDestination(text, p).size() <= 4);
        require(readDeparture(text, p).size() <= 4);
        require(readRoute(text, p).size() <= 40);
        require(readRemarks(text, p).size() <= 40);
        require(readCallsign(text, p).size() <= 51);
        require(readName(text, p).size() <= 100);
        require(readFrequency(text, p).size() <= 100);
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

    const QString text = renderStatusText(body);
    if (body.trimmed().startsWith('{')) {
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
    readEverything(text, key);
    readEverything(fuzz::textFrom(data + 1, size - 1, data[0] >> 4), key);
    return 0;
}
