// The command words of the callsign field from any text typed or pasted into any row, and the
// ATC client's shortcut file from any bytes: the interpretation must hold its own rules.
#include "clientlink/commandwords.h"

#include "fuzztext.h"

#include <QBuffer>

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

void checkWord(const QString &text, int row) {
    using Action = CommandStep::Action;
    const CommandWord word = interpretCommand(text, row);
    require(word.test >= 0 && word.test <= 25);
    require(word.recognised() != word.steps.empty());
    const CommandWord again = interpretCommand(text, row);
    require(again.test == word.test && again.steps == word.steps);

    int empties = 0;
    bool labels = false;
    for (const CommandStep &step : word.steps) {
        describe(step);
        switch (step.action) {
        case Action::EmptyField:
        case Action::ClearRow:
            ++empties;
            break;
        case Action::SetRemarks:
            require(step.number >= 0 && row + step.number <= 6);
            break;
        case Action::SetLabel5:
        case Action::SetLabel7:
            labels = true;
            require(text.endsWith(QLatin1Char('!')) && step.text.size() <= text.size() - 4);
            require(text.contains(step.text));
            break;
        case Action::LookUpAtcShortcut:
            require(step.text.size() == text.size() - 1 && text.startsWith(step.text));
            break;
        case Action::SetWindowHeight:
            require(step.number >= 2475 && step.number <= 4965 && (step.number - 2475) % 415 == 0);
            break;
        case Action::ListTraffic:
            require(text.size() == 7);
            break;
        default:
            break;
        }
    }
    // A word empties its field once at most; the label words and an unknown shortcut keep it.
    require(empties <= 1);
    if (labels)
        require(empties == 0);
    // The emptied field is no word, so the run that the emptying causes does nothing.
    require(!interpretCommand(QString(), row).recognised());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const QString text = fuzz::textFrom(data + 1, size - 1, mode);
    checkWord(text, mode % 7);

    // The same bytes as an ATC client shortcut file, searched for the text's first characters.
    QByteArray file(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    const QString key = text.left(mode % 5);
    if (const std::optional<QString> found = findAtcShortcut(buffer, key))
        require(found->size() <= file.size());
    return 0;
}
