// The console that is killed: the real Console with the desktop's services on an X display,
// driven through its widgets with QTest as a controller would, at random, journalling what it
// did (killrun.h) until the kill comes.
#include "killrun.h"

#include "app/console.h"
#include "console/form1.h"
#include "platform/qtplatform.h"
#include "platform/terminationsignals.h"
#include "strips/boardrecovery.h"
#include "strips/recovery.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <random>

namespace tarvos::killrun {

namespace {

class Journal {
public:
    explicit Journal(const QString &path) : m_file(path) {
        m_ok = m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    bool ok() const { return m_ok; }
    void line(char kind, const QByteArray &text) {
        const QByteArray whole = QByteArray(1, kind) + ' ' + text + '\n';
        m_file.write(whole);
    }

private:
    QFile m_file;
    bool m_ok = false;
};

class JournalledMessages final : public MessageBox {
public:
    explicit JournalledMessages(Journal &journal) : m_journal(journal) {}
    void show(const QString &text, Icon) override { m_journal.line('M', text.toUtf8()); }
    void open(const QString &text, Icon) override { m_journal.line('M', text.toUtf8()); }

private:
    Journal &m_journal;
};

class Driver {
public:
    Driver(Console &console, Journal &journal, unsigned long long seed)
        : m_console(console), m_form(console.form1()), m_journal(journal), m_random(seed),
          m_id(static_cast<int>(seed % 100000) * 100) {}

    QByteArray board() const {
        return recoveryDocument(m_console.recovery().snapshot()).toBase64();
    }
    void journalBoard() { m_journal.line('B', QByteArray::number(monotonicMs()) + ' ' + board()); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    void click(QWidget *widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
    }
    void type(QWidget *field, const QString &text) {
        click(field);
        QTest::keyClicks(field, text);
    }
    int rowWhere(bool filled) {
        std::vector<int> rows;
        for (int r = 0; r < Form1::kRows; ++r) {
            if (m_form.Text7[r]->text().isEmpty() != filled)
                rows.push_back(r);
        }
        return rows.empty() ? -1 : rows[static_cast<std::size_t>(pick(int(rows.size())))];
    }
    // "a" in the row's Squawk field; the code it gave is journalled.
    QString squawk(int r) {
        m_form.Text10[r]->clear();
        type(m_form.Text10[r], QStringLiteral("a"));
        const QString code = m_form.Text10[r]->text();
        m_journal.line('A', code.toUtf8());
        return code;
    }
    void remove(int r) {
        const QString callsign = m_form.Text7[r]->text();
        click(m_form.del[r]);
        if (!callsign.isEmpty())
            m_journal.line('L', callsign.toUtf8());
    }

    // The first "a" after the start goes into a row without a squawk ("Lö" makes one).
    void firstSquawk() {
        int r = -1;
        for (int i = 0; i < Form1::kRows && r < 0; ++i) {
            if (m_form.Text10[i]->text().isEmpty())
                r = i;
        }
        if (r < 0) {
            r = Form1::kRows - 1;
            remove(r);
        }
        m_journal.line('F', squawk(r).toUtf8());
        journalBoard();
    }

    void step() {
        const int what = pick(100);
        if (what < 30) {
            const int r = rowWhere(false);
            if (r < 0)
                return;
            type(m_form.Text7[r], QStringLiteral("dlh") + QString::number(++m_id));
            type(m_form.Text8[r], QStringLiteral("EDDF"));
            type(m_form.Text9[r], QStringLiteral("b5l"));
            squawk(r);
        } else if (what < 45) {
            if (const int r = rowWhere(true); r >= 0)
                remove(r);
        } else if (what < 55) {
            click(m_form.first[1 + pick(Form1::kRows - 1)]);
        } else if (what < 65) {
            click(m_form.fa[pick(Form1::kRows)]);
        } else if (what < 85) {
            // Remarks typed on, key by key, with the console's event loop running in between.
            const int r = pick(Form1::kRows);
            click(m_form.Text11[r]);
            for (int i = 0, n = 5 + pick(20); i < n; ++i) {
                QTest::keyClick(m_form.Text11[r], char('a' + pick(26)));
                journalBoard();
                QTest::qWait(30 + pick(60));
            }
        } else if (what < 88) {
            click(m_form.Command19); // "A"
        } else if (what < 95) {
            click(m_form.Command8); // "DEP"
        } else if (what < 97) {
            QTest::mouseDClick(m_form.Label8, Qt::LeftButton); // one strip
        } else {
            if (const int r = rowWhere(true); r >= 0 && m_form.Text10[r]->text().isEmpty())
                squawk(r);
        }
    }

private:
    Console &m_console;
    Form1 &m_form;
    Journal &m_journal;
    std::mt19937_64 m_random;
    int m_id;
};

} // namespace

int runChild(int argc, char **argv, const char *dataDir, const char *journalPath,
             unsigned long long seed) {
    TerminationSignals::catchEarly();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvos"));
    Journal journal(QString::fromLocal8Bit(journalPath));
    if (!journal.ok())
        return 2;
    QtPlatform desktop;
    JournalledMessages messages(journal);
    Platform platform = desktop.platform;
    platform.messages = &messages;
    Console console(platform, QString::fromLocal8Bit(dataDir));
    console.startup();
    Form1 &form = console.form1();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 3;
    Driver driver(console, journal, seed);
    journal.line('R', driver.board());
    driver.journalBoard();
    driver.firstSquawk();
    // SIGTERM ends it as it ends the program: the console shuts down.
    TerminationSignals termination;
    bool ended = false;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [&] {
        console.shutdown();
        ended = true;
    });
    std::printf("ready\n");
    std::fflush(stdout);
    while (!ended) {
        driver.step();
        driver.journalBoard();
        QTest::qWait(10 + driver.pick(120));
    }
    return 0;
}

} // namespace tarvos::killrun
