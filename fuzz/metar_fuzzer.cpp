// Any clipboard text through the METAR decoding and on into the runway choice: no crash, no
// read past the end, and the decoding keeps its promises whatever the text.
#include "console/numbers.h"
#include "weather/metar.h"
#include "weather/runway.h"

#include "fuzztext.h"

using namespace tarvos;
using tarvos::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const QString metar = fuzz::textFrom(data + 1, size - 1, data[0]);
    const QString previous = data[0] & 0x80 ? QStringLiteral("Err") : QStringLiteral("1013");
    const MetarDecoding d = decodeMetar(metar, previous);

    require(d.clipboardText == metar.mid(7));
    require(d.metartail == d.clipboardText);
    require(d.decoded == (metar.size() >= 12 && metar.at(11) == u'Z'));
    require(d.text1.size() <= 3 && d.text2.size() <= 2);
    if (!d.decoded) {
        require(d.text1 == QLatin1String("Err") && d.text2.isEmpty());
        require(d.text3 == QStringLiteral("Err") && d.text4 == QString() && d.text5 == QString());
        require(!d.text6 && !d.label2);
        return 0;
    }
    require(d.text6 && d.text6->size() <= 5 && !d.text4 && !d.text5);
    require(d.text3.has_value() == metar.contains(QLatin1Char('Q')));
    if (d.text3)
        require(d.text3->size() <= 4);
    require(d.label2 == transitionLevel(leadingInt(d.text3.value_or(previous))));

    // The wind just decoded chooses from a table made of the report itself.
    const RunwayChoice choice =
        chooseRunways(metar.split(QLatin1Char('\n')), mid1(metar, 1, 4), d.text1);
    require(choice.text4.has_value() == choice.text5.has_value());
    if (choice.text4)
        require(choice.text4->size() <= 3 && choice.text5->size() <= 3);
    return 0;
}
