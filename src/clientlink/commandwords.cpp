#include "clientlink/commandwords.h"

#include "console/servers.h"
#include "console/textcodec.h"

#include <algorithm>
#include <array>

namespace tarvos {

namespace {

using Action = CommandStep::Action;
using Steps = std::vector<CommandStep>;

CommandStep step(Action action, const QString &text = QString(), int number = 0) {
    return CommandStep{action, text, number};
}
CommandStep step(Action action, int number) {
    return CommandStep{action, QString(), number};
}

bool wraps(const QString &text, QLatin1String prefix, QLatin1String suffix) {
    return text.startsWith(prefix) && text.endsWith(suffix);
}

// The line between a word and its closing "!": `skip` characters of word and separator are
// dropped. "freq!" and the like have nothing there and give an empty line.
QString between(const QString &text, qsizetype skip) {
    return text.mid(skip, std::max<qsizetype>(0, text.size() - skip - 1));
}

// Words that put a line into a label of the top panel and rebuild the tower ATIS. The field
// keeps its text, so that the controller sees what he set.
Steps labelLine(Action label, const QString &line) {
    return {step(label, line), step(Action::TowerAtis), step(Action::CommandDone)};
}

// The usual shape of a word: empty the field, act, confirm.
Steps simple(CommandStep act) {
    return {step(Action::EmptyField), std::move(act), step(Action::CommandDone)};
}

struct VoiceWord {
    QLatin1String word;
    const QString *host;
};
const std::array<VoiceWord, 5> kVoiceWords{{
    {QLatin1String("rwde"), &servers::kVoiceRogerWilcoDe},
    {QLatin1String("rwbe"), &servers::kVoiceRogerWilcoBe},
    {QLatin1String("tsbe"), &servers::kVoiceTeamSpeakBe},
    {QLatin1String("rwts"), &servers::kVoiceTeamSpeakMain},
    {QLatin1String("tsbr"), &servers::kVoiceTeamSpeakBr},
}};

const QString *voiceHostOf(const QString &text) {
    for (const VoiceWord &v : kVoiceWords) {
        if (text == v.word)
            return v.host;
    }
    return nullptr;
}

// "111" .. "777": so many strip rows visible.
int stripRowsWord(const QString &text) {
    if (text.size() != 3 || text[0] < QLatin1Char('1') || text[0] > QLatin1Char('7') ||
        text[1] != text[0] || text[2] != text[0])
        return 0;
    return text[0].unicode() - '0';
}

// The lowest row that still has two rows below it for the rest of the help.
constexpr int kLastFullHelpRow = 4;

Steps help(int row) {
    if (row > kLastFullHelpRow)
        return {step(Action::SetRemarks, helpLine(0), 0), step(Action::EmptyField)};
    return {step(Action::SetRemarks, helpLine(0), 0), step(Action::SetRemarks, helpLine(1), 1),
            step(Action::SetRemarks, helpLine(2), 2), step(Action::CommandDone),
            step(Action::EmptyField)};
}

struct Rule {
    int test;
    bool (*matches)(const QString &text);
    Steps (*steps)(const QString &text, int row);
};

// The tests in the order they are tried; the first that matches decides. (Test 0, the airline
// translation at three characters, belongs to the strip board and runs before these.) A word
// that empties the field ends the run for the later tests too; those that keep their text
// (3 to 6, and a shortcut that is not in the file) match no later test.
const std::array<Rule, 25> kRules{{
    {1, [](const QString &t) { return t == QLatin1String("atis"); },
     [](const QString &, int) { return simple(step(Action::TowerAtis)); }},
    {2, [](const QString &t) { return t == QLatin1String("alpha"); },
     [](const QString &, int) { return simple(step(Action::LetterReset)); }},
    {3, [](const QString &t) { return wraps(t, QLatin1String("freq"), QLatin1String("!")); },
     [](const QString &t, int) { return labelLine(Action::SetLabel5, between(t, 5)); }},
    {4, [](const QString &t) { return wraps(t, QLatin1String("rem"), QLatin1String("!")); },
     [](const QString &t, int) { return labelLine(Action::SetLabel7, between(t, 4)); }},
    {5, [](const QString &t) { return wraps(t, QLatin1String("atc"), QLatin1String("!")); },
     [](const QString &t, int) { return labelLine(Action::SetLabel5, between(t, 4)); }},
    {6, [](const QString &t) { return wraps(t, QLatin1String("con"), QLatin1String("!")); },
     [](const QString &t, int) { return labelLine(Action::SetLabel7, between(t, 4)); }},
    {7, [](const QString &t) { return t == QLatin1String("clr") || t == QLatin1String("clear"); },
     [](const QString &, int) {
         return Steps{step(Action::ClearRow), step(Action::CommandDone)};
     }},
    {8,
     [](const QString &t) {
         return t.size() > 2 && wraps(t, QLatin1String("."), QLatin1String("."));
     },
     [](const QString &t, int) {
         return Steps{step(Action::LookUpAtcShortcut, t.chopped(1)), step(Action::CommandDone)};
     }},
    {9, [](const QString &t) { return t == QLatin1String(".."); },
     [](const QString &, int) {
         return Steps{step(Action::HideShortcutDisplay), step(Action::EmptyField),
                      step(Action::CommandDone)};
     }},
    {10, [](const QString &t) { return t == QStringLiteral(u"prüf"); },
     [](const QString &, int) { return simple(step(Action::SetFlightPlanLabels, 1)); }},
    {11, [](const QString &t) { return t == QLatin1String("wech"); },
     [](const QString &, int) { return simple(step(Action::SetFlightPlanLabels, 0)); }},
    {12, [](const QString &t) { return t == QLatin1String("imm"); },
     [](const QString &, int) { return simple(step(Action::SetDepContactMode, 1)); }},
    {13, [](const QString &t) { return t == QLatin1String("adv"); },
     [](const QString &, int) { return simple(step(Action::SetDepContactMode, 0)); }},
    {14, [](const QString &t) { return voiceHostOf(t) != nullptr; },
     [](const QString &t, int) { return simple(step(Action::SetVoiceHost, *voiceHostOf(t))); }},
    {15, [](const QString &t) { return wraps(t, QLatin1String("rw:"), QLatin1String("org")); },
     [](const QString &t, int) {
         return Steps{step(Action::SetVoiceHost, t.mid(3)), step(Action::EmptyField),
                      step(Action::CommandDone)};
     }},
    {16, [](const QString &t) { return t == QLatin1String("???"); },
     [](const QString &, int row) { return help(row); }},
    {17, [](const QString &t) { return wraps(t, QLatin1String("such"), QLatin1String(".")); },
     [](const QString &, int) {
         // The count reads row 0's callsign, so it runs before the field is emptied.
         return Steps{step(Action::CommandDone), step(Action::CountInStripLog),
                      step(Action::EmptyField)};
     }},
    {18, [](const QString &t) { return stripRowsWord(t) != 0; },
     [](const QString &t, int) {
         return simple(step(Action::SetWindowHeight, 2475 + 415 * (stripRowsWord(t) - 1)));
     }},
    {19, [](const QString &t) { return t == QLatin1String("autosid"); },
     [](const QString &, int) { return simple(step(Action::SetAutoSid, 1)); }},
    {20, [](const QString &t) { return t == QLatin1String("nosid"); },
     [](const QString &, int) { return simple(step(Action::SetAutoSid, 0)); }},
    {21, [](const QString &t) { return t.size() == 7 && t.startsWith(QLatin1String("dep")); },
     [](const QString &t, int) {
         return Steps{step(Action::EmptyField), step(Action::CommandDone),
                      step(Action::ListTraffic, t.right(4).toUpper())};
     }},
    {22, [](const QString &t) { return t == QLatin1String("sid"); },
     [](const QString &, int) { return simple(step(Action::ShowChart)); }},
    {23, [](const QString &t) { return t == QLatin1String("ip?"); },
     [](const QString &, int) { return simple(step(Action::EchoIpAddress)); }},
    {24, [](const QString &t) { return t == QLatin1String("eins"); },
     [](const QString &, int) {
         // The mode is set while the field still holds the word.
         return Steps{step(Action::SetGroundCheckMode, 1), step(Action::EmptyField),
                      step(Action::CommandDone)};
     }},
    {25, [](const QString &t) { return t == QLatin1String("zwei"); },
     [](const QString &, int) { return simple(step(Action::SetGroundCheckMode, 2)); }},
}};

} // namespace

CommandWord interpretCommand(const QString &text, int row) {
    for (const Rule &rule : kRules) {
        if (rule.matches(text))
            return CommandWord{rule.test, rule.steps(text, row)};
    }
    return {};
}

QString describe(const CommandStep &step) {
    static const std::array<const char *, 20> names{
        "EmptyField",          "CommandDone",         "SetLabel5",         "SetLabel7",
        "TowerAtis",           "LetterReset",         "ClearRow",          "LookUpAtcShortcut",
        "HideShortcutDisplay", "SetFlightPlanLabels", "SetDepContactMode", "SetVoiceHost",
        "SetRemarks",          "CountInStripLog",     "SetWindowHeight",   "SetAutoSid",
        "ListTraffic",         "ShowChart",           "EchoIpAddress",     "SetGroundCheckMode"};
    const auto index = static_cast<std::size_t>(step.action);
    QString out = QLatin1String(index < names.size() ? names[index] : "?");
    switch (step.action) {
    case Action::SetFlightPlanLabels:
    case Action::SetDepContactMode:
    case Action::SetRemarks:
    case Action::SetWindowHeight:
    case Action::SetAutoSid:
    case Action::SetGroundCheckMode:
        out += QLatin1Char(' ') + QString::number(step.number);
        break;
    default:
        break;
    }
    switch (step.action) {
    case Action::SetLabel5:
    case Action::SetLabel7:
    case Action::LookUpAtcShortcut:
    case Action::SetVoiceHost:
    case Action::SetRemarks:
    case Action::ListTraffic:
        out += QLatin1String(" \"") + step.text + QLatin1Char('"');
        break;
    default:
        break;
    }
    return out;
}

QString helpLine(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("clr, imm/adv,eins/zwei,atc/con,ip?,sid");
    case 1:
        return QStringLiteral("autosid/nosid,rwde/rwts/rwbe/tsbe/tsbr");
    default:
        // The free voice-server word with a placeholder host under the network's domain, and
        // the strip-log search word.
        return QLatin1String("rw:xx.xx.") + servers::kNetworkDomain + QLatin1String(" / suchxxx.");
    }
}

QString ipEchoSentence(const QString &reply) {
    return QStringLiteral("Meine IP-Adresse lautet = ") + reply;
}

QString ipEchoFailedText() {
    return QStringLiteral("IP echo service did not answer");
}

std::optional<QString> findAtcShortcut(QIODevice &file, const QString &key) {
    // The text starts 12 characters after the shortcut: at 1-based position n + 12, n being
    // the typed length with the closing ".".
    const qsizetype textIndex = key.size() + 1 + 11;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        if (bytes.isEmpty())
            break; // a read error; atEnd() would not become true
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = decodeDataText(bytes);
        if (line.startsWith(key))
            return line.mid(textIndex);
    }
    return std::nullopt;
}

QString atcShortcutFileUnreadableText(const QString &path) {
    return QStringLiteral("ATC client shortcut file cannot be opened: ") + path;
}

} // namespace tarvos
