// The console killed at random moments: a child process runs the real console on a data folder
// under X and drives it through its widgets (killrun_child.cpp); this run kills it with SIGKILL
// after a random time, checks what it left on the disk, starts it again and checks what the new
// console shows. Repeated as often as asked, from a seed that is printed and can be given.
//   tarvos_killrun [--kills N] [--seed S] [--dir DIR]
// Exit status 0 when every check held, 1 when one failed, 77 without an X display.
#include "killrun.h"

#include "console/form1.h"
#include "strips/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

using namespace tarvos;
using namespace tarvos::killrun;

namespace {

const QString kStartSquawk = QStringLiteral("4001");

struct Journal {
    std::optional<BoardSnapshot> restored;
    QString first;
    QStringList assigned, deleted, messages;
    struct State {
        long long at;
        BoardSnapshot board;
    };
    std::vector<State> boards;
};

std::optional<BoardSnapshot> board(const QByteArray &base64) {
    return readRecoveryDocument(QByteArray::fromBase64(base64));
}

Journal readJournal(const QString &path) {
    Journal j;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return j;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        if (raw.size() < 2)
            continue;
        const QByteArray text = raw.mid(2);
        switch (raw[0]) {
        case 'R':
            j.restored = board(text);
            break;
        case 'F':
            j.first = QString::fromUtf8(text);
            break;
        case 'A':
            j.assigned << QString::fromUtf8(text);
            break;
        case 'L':
            j.deleted << QString::fromUtf8(text);
            break;
        case 'M':
            j.messages << QString::fromUtf8(text);
            break;
        case 'B': {
            const qsizetype blank = text.indexOf(' ');
            if (const auto b = board(text.mid(blank + 1)))
                j.boards.push_back({text.left(blank).toLongLong(), *b});
            break;
        }
        }
    }
    return j;
}

class Run {
public:
    Run(QString dir, QString side, unsigned long long seed)
        : m_dir(std::move(dir)), m_side(std::move(side)), m_random(seed), m_seed(seed) {}

    QString path(const QString &name) const { return QDir(m_dir).filePath(name); }
    QByteArray bytes(const QString &name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void fail(int round, const QString &what) {
        ++m_failures;
        std::printf("round %d: FAILED: %s\n", round, qPrintable(what));
        std::fflush(stdout);
    }

    void prepare() {
        QFile network(path(QStringLiteral("network.txt")));
        if (network.open(QIODevice::WriteOnly))
            network.write("status=http://127.0.0.1:9/whazzup\nupdate=http://127.0.0.1:9/upd\n"
                          "ipecho=http://127.0.0.1:9/ip\n"
                          "metar-network=http://127.0.0.1:9/{code}.TXT\n"
                          "metar-noaa=http://127.0.0.1:9/metar?ids={code}\n"
                          "airports=http://127.0.0.1:9/\n");
        network.close();
        // Near the top of the sequence, so that the wrap past 7776 comes early.
        QFile squawk(path(QStringLiteral("squawk.txt")));
        if (squawk.open(QIODevice::WriteOnly))
            squawk.write((kStartSquawk + QStringLiteral("\r\n7701\r\nEDDT\r\n 1 \r\n")).toLatin1());
        m_fixed.insert(QStringLiteral("network.txt"), bytes(QStringLiteral("network.txt")));
    }

    // One start, a random time of driving, the kill; the checks of the start against the kill
    // before it, and of the files against the journal.
    // The last start ends normally (SIGTERM, as a session's end): the recovery file goes.
    bool round(int n, bool last) {
        const QString journalPath = QDir(m_side).filePath(QStringLiteral("journal-%1").arg(n));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), m_dir, journalPath,
                     QString::number(m_seed * 1000 + static_cast<unsigned>(n))});
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("ready\n") && clock.elapsed() < 120000 &&
               child.state() != QProcess::NotRunning) {
            child.waitForReadyRead(200);
            out += child.readAllStandardOutput();
        }
        const bool ready = out.contains("ready\n");
        if (!ready)
            fail(n, QStringLiteral("the console did not start (exit %1)").arg(child.exitCode()));
        const Journal started = readJournal(journalPath);
        if (ready && n > 0)
            checkStart(n, started);
        if (ready)
            QThread::msleep(std::uniform_int_distribution<unsigned>(300, 3000)(m_random));
        if (last) {
            child.terminate();
            if (!child.waitForFinished(30000) || child.exitCode() != 0)
                fail(n, QStringLiteral("SIGTERM did not end the console normally"));
            if (QFile::exists(path(QStringLiteral("recovery.tarvos"))))
                fail(n, QStringLiteral("a normal end left the recovery file"));
            checkFiles(n, readJournal(journalPath));
            return ready;
        }
        const long long killedAt = monotonicMs();
        if (child.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            child.waitForFinished(30000);
        } else if (ready) {
            fail(n, QStringLiteral("the console ended by itself (exit %1)").arg(child.exitCode()));
        }
        const Journal j = readJournal(journalPath);
        checkFiles(n, j);
        m_killedAt = killedAt;
        m_boards = j.boards;
        m_assigned.unite(QSet<QString>(j.assigned.begin(), j.assigned.end()));
        m_codes += int(j.assigned.size());
        m_strips += int(j.deleted.size());
        return ready;
    }

    void checkStart(int n, const Journal &j) {
        // The board as it stood at some moment of the last two seconds before the kill.
        const BoardSnapshot restored = j.restored.value_or(BoardSnapshot{});
        bool found = false;
        for (std::size_t i = 0; i < m_boards.size() && !found; ++i) {
            const bool lasted = i + 1 == m_boards.size() || m_boards[i + 1].at > m_killedAt - 2000;
            found = lasted && m_boards[i].board == restored;
        }
        if (!j.restored || !found) {
            // How old the board is, if it was one at all.
            long long age = -1;
            for (std::size_t i = 0; i < m_boards.size(); ++i) {
                if (m_boards[i].board == restored)
                    age = m_killedAt - (i + 1 < m_boards.size() ? m_boards[i + 1].at : m_killedAt);
            }
            fail(n, QStringLiteral("the restored board is none of the last two seconds (%1; "
                                   "messages: %2)")
                        .arg(age < 0 ? QStringLiteral("no board of the journal")
                                     : QStringLiteral("it ended %1 ms before the kill").arg(age),
                             j.messages.join(QStringLiteral(" | "))));
        }
        const bool pristine = restored.isPristine(Form1::kShortHeight);
        const QString message = QStringLiteral(
            "The strips of the last session, which ended unexpectedly, have been restored.");
        if (j.messages.count(message) != (pristine ? 0 : 1))
            fail(
                n,
                QStringLiteral("the restoration was told %1 times").arg(j.messages.count(message)));
        for (const QString &m : j.messages) {
            if (m.contains(QStringLiteral("could not be restored")))
                fail(n, QStringLiteral("message: ") + m);
        }
        // The sequence goes on behind the last code handed out.
        if (j.first != m_nextSquawk || m_assigned.contains(j.first))
            fail(n, QStringLiteral("the first squawk %1 (squawk.txt said %2) was %3 before")
                        .arg(j.first, m_nextSquawk,
                             m_assigned.contains(j.first) ? QString() : QStringLiteral("not")));
        if (!m_nextSquawk.isEmpty())
            ++m_freshStarts;
    }

    void checkFiles(int n, const Journal &j) {
        const QByteArray squawk = bytes(QStringLiteral("squawk.txt"));
        static const QRegularExpression whole(
            QStringLiteral("\\A%1\\r\\n([0-7]{4})\\r\\nEDDT\\r\\n -?\\d+ \\r\\n\\z")
                .arg(kStartSquawk));
        const QRegularExpressionMatch m = whole.match(QString::fromLatin1(squawk));
        if (!m.hasMatch())
            fail(n,
                 QStringLiteral("squawk.txt is not whole: ") + QString::fromLatin1(squawk.toHex()));
        m_nextSquawk = m.captured(1);

        const QByteArray log = bytes(QStringLiteral("log.txt"));
        if (!log.startsWith(m_log))
            fail(n, QStringLiteral("log.txt lost lines"));
        if (!log.isEmpty() && !log.endsWith("\r\n"))
            fail(n, QStringLiteral("log.txt ends in a torn line"));
        static const QRegularExpression line(
            QStringLiteral("\\A.+  \\d\\d\\.\\d\\d\\.\\d{4}  \\d\\d:\\d\\d:\\d\\d  .*\\z"));
        QHash<QString, int> seen;
        const QStringList lines = QString::fromLatin1(log).split(QStringLiteral("\r\n"));
        for (int i = 0; i + 1 < lines.size(); ++i) {
            if (!line.match(lines[i]).hasMatch())
                fail(n, QStringLiteral("log.txt line %1 is torn: %2").arg(i + 1).arg(lines[i]));
            if (++seen[lines[i]] == 2)
                fail(n, QStringLiteral("log.txt line %1 is doubled").arg(i + 1));
        }
        for (const QString &callsign : j.deleted) {
            // The log's callsign column: 20 characters, filled with dots.
            const QString start =
                callsign.toUpper().left(20).leftJustified(20, u'.') + QStringLiteral("  ");
            const auto count = std::count_if(lines.begin(), lines.end(),
                                             [&](const QString &l) { return l.startsWith(start); });
            if (count != 1)
                fail(n, QStringLiteral("%1 is %2 times in log.txt").arg(callsign).arg(count));
        }
        m_log = log;

        // Every other file is whole: present once created, never empty, the console's tables
        // as they were created, the recovery file readable.
        const QDir dir(m_dir);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
            const QByteArray b = bytes(name);
            if (name == QLatin1String("recovery.lock"))
                continue;
            if (b.isEmpty())
                fail(n, name + QStringLiteral(" is empty"));
            if (name == QLatin1String("recovery.tarvos")) {
                if (!readRecoveryDocument(b))
                    fail(n, QStringLiteral("recovery.tarvos cannot be read"));
            } else if (name == QLatin1String("recovery.bad")) {
                fail(n, QStringLiteral("recovery.bad exists"));
            } else if (name != QLatin1String("squawk.txt") && name != QLatin1String("log.txt")) {
                if (!m_fixed.contains(name))
                    m_fixed.insert(name, b);
                else if (m_fixed.value(name) != b)
                    fail(n, name + QStringLiteral(" changed"));
                if (!b.endsWith('\n'))
                    fail(n, name + QStringLiteral(" ends in a torn line"));
            }
        }
        for (auto it = m_fixed.cbegin(); it != m_fixed.cend(); ++it) {
            if (!dir.exists(it.key()))
                fail(n, it.key() + QStringLiteral(" is lost"));
        }
    }

    int failures() const { return m_failures; }
    int codes() const { return m_codes; }
    int strips() const { return m_strips; }
    int freshStarts() const { return m_freshStarts; }

private:
    QString m_dir, m_side;
    std::mt19937_64 m_random;
    unsigned long long m_seed;
    int m_failures = 0, m_codes = 0, m_strips = 0, m_freshStarts = 0;
    QHash<QString, QByteArray> m_fixed;
    QByteArray m_log;
    QSet<QString> m_assigned;
    QString m_nextSquawk;
    long long m_killedAt = 0;
    std::vector<Journal::State> m_boards;
};

} // namespace

int main(int argc, char **argv) {
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
        return runChild(1, argv, argv[2], argv[3], std::strtoull(argv[4], nullptr, 10));
    QCoreApplication app(argc, argv);
    int kills = 300;
    unsigned long long seed = std::random_device{}();
    QString dirArg;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--kills"))
            kills = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toULongLong();
        else if (args[i] == QLatin1String("--dir"))
            dirArg = args[i + 1];
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("tarvos_killrun: no X display\n");
        return 77;
    }
    QTemporaryDir side, data;
    const QString dir = dirArg.isEmpty() ? data.path() : QDir(dirArg).absolutePath();
    QDir().mkpath(dir);
    std::printf("seed %llu, %d kills, data folder %s\n", seed, kills, qPrintable(dir));
    std::fflush(stdout);
    Run run(dir, side.path(), seed);
    run.prepare();
    QElapsedTimer clock;
    clock.start();
    int started = 0;
    // One start more than kills: it checks the last kill and ends normally.
    for (int n = 0; n <= kills; ++n)
        started += run.round(n, n == kills) ? 1 : 0;
    std::printf("kills: %d, starts: %d, codes handed out: %d, strips deleted: %d, starts "
                "checked against the sequence: %d, failures: %d, time: %.0f s, seed %llu\n",
                kills, started, run.codes(), run.strips(), run.freshStarts(), run.failures(),
                clock.elapsed() / 1000.0, seed);
    return run.failures() == 0 ? 0 : 1;
}
