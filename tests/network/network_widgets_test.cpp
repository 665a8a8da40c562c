// The console's network flows against the fake transfer (one test per flow), and against the
// recorded network over real HTTP on 127.0.0.1 with a stalled answer.

#include "app/console.h"
#include "console/form1.h"
#include "fakes/consolefixture.h"
#include "fakes/testfiles.h"
#include "netsimserver.h"
#include "network/networkcontroller.h"
#include "platform/qthttptransfer.h"
#include "platform/worker.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

const QString kRecorded = QStringLiteral(TARVOS_NETSIM_RECORDED);

class NetworkTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        writeFile(dataPath("network.txt"), "status=http://status.test/whazzup\n"
                                           "update=http://update.test/upd.txt\n"
                                           "ipecho=http://echo.test/\n");
        start();
        fake.transfer.setBody(status, fileBytes(kRecorded + "/whazzup.txt"));
        // The airline table in place, so that its creation does not empty a three-letter word.
        form().Text7[6]->setText("dlh");
        form().Text7[6]->clear();
        fake.messages.shown.clear();
    }
    QString listing() const { return console->form1().Text20->text(); }

    const QUrl status{QStringLiteral("http://status.test/whazzup")};
    const QUrl update{QStringLiteral("http://update.test/upd.txt")};
    const QUrl echo{QStringLiteral("http://echo.test/")};
};

TEST_F(NetworkTest, ControllerListFollowsControlFileAndToggles) {
    Form1 &f = form();
    // The first press makes control.txt and says so in the panel.
    f.Command3->click();
    EXPECT_EQ(f.Text21->text(), "The file control.txt has been created. If you do not control "
                                "in Berlin, please edit this file.");
    EXPECT_EQ(fileBytes(dataPath("control.txt")).count("\r\n"), 13);
    f.Command3->click();
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 6480) << "the second press hides the panel";
    f.Command3->click();
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 0);
    EXPECT_EQ(f.Text21->text(), "EDDT_GND - Jana Krause - 121.950\r\n"
                                "EDDT_TWR - Hans Meier EDDT - 118.700\r\n"
                                "EDBB_APP - Tom Becker - 119.625\r\n"
                                "EDBB_1_APP - Ute Lang - 126.425\r\n");
    EXPECT_EQ(console->state().controllerlistshown, 0);
    EXPECT_EQ(console->state().ilspanelshown, 0);
    EXPECT_FALSE(f.Timer4->isActive());
    f.Command3->click();

    struct Case {
        const char *what;
        QByteArray body; // empty: the download fails
        QString panel;
        bool hides;
    } cases[] = {
        {"nobody online", "!CLIENTS\nDLH1:1:x:PILOT::\n", "There are not controllers activ !",
         true},
        {"no answer", {}, "no answer from status.test (time-out)", false},
        // A page or an error object is no empty network.
        {"an HTML error page", "<html><body>502</body></html>", "The status feed could not be read",
         false},
        {"a JSON error object", "{\"error\": \"Too Many Requests\"}",
         "The status feed could not be read", false},
    };
    for (const Case &c : cases) {
        if (c.body.isEmpty())
            fake.transfer.setFailure(status, QStringLiteral("time-out"));
        else
            fake.transfer.setBody(status, c.body);
        f.Command3->click();
        EXPECT_EQ(f.Text21->text(), c.panel) << c.what;
        EXPECT_EQ(f.Timer4->isActive(), c.hides) << c.what;
        f.Command3->click();
    }
}

TEST_F(NetworkTest, FlightPlanOfALeftCallsignField) {
    Form1 &f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    struct Case {
        const char *callsign;
        bool autoDest;
        const char *dest, *plan, *departure;
    } cases[] = {
        {"dlh123", true, "EDDM", "MARUN Y210 ERNAS T204 ROKIL\r\nPBN/A1B1C1D1 DOF/261208 RMK/TCAS",
         "EDDT"},
        // The key is found where it first occurs: DLH12 inside DLH123's record.
        {"Lufthansa DLH12", true, "EDDM",
         "MARUN Y210 ERNAS T204 ROKIL\r\nPBN/A1B1C1D1 DOF/261208 RMK/TCAS", "EDDT"},
        {"XYZ99", true, "", "nothing found", "----"},
        // A controller has no flight plan: the reads run into the empty fields.
        {"EDDT_TWR", true, "", "\r\n", "::::"},
        {"dlh123", false, "KEEP", "", ""},
    };
    for (const Case &c : cases) {
        f.Check2->setChecked(c.autoDest);
        f.Text8[1]->setText("KEEP");
        f.Text16->setText(QString());
        f.Text17->clear();
        f.Text7[1]->setText(c.callsign);
        emit f.Text7[1]->focusLeft();
        EXPECT_EQ(f.Text8[1]->text(), c.dest) << c.callsign;
        EXPECT_EQ(f.Text16->text(), c.plan) << c.callsign;
        EXPECT_EQ(f.Text17->text(), c.departure) << c.callsign;
    }
    f.Check2->setChecked(true);
    f.Text7[1]->setText("dlh123");
    emit f.Text7[1]->focusLeft();
    EXPECT_TRUE(f.Text9[1]->hasFocus()) << "the focus goes on to the via field";
    // A download that fails, or a feed that cannot be read, empties the strip's Dest like an
    // absent record and says why in the plan field.
    fake.transfer.setFailure(status, QStringLiteral("refused"));
    emit f.Text7[1]->focusLeft();
    EXPECT_EQ(f.Text16->text(), "no answer from status.test (refused)");
    EXPECT_EQ(f.Text8[1]->text(), "");
    fake.transfer.setBody(status, "<!DOCTYPE html><html><body>Maintenance</body></html>");
    emit f.Text7[1]->focusLeft();
    EXPECT_EQ(f.Text16->text(), "The status feed could not be read");
    EXPECT_EQ(f.Text17->text(), "----");
    EXPECT_EQ(f.Text8[1]->text(), "");
}

TEST_F(NetworkTest, FlightPlanAnswerGoesIntoItsOwnStripWhereverItStands) {
    Form1 &f = form();
    f.Check2->setChecked(true);
    fake.transfer.held.insert(status); // the feed answers later
    f.Text7[0]->setText("BER4711");
    f.Text8[0]->setText("LEPA");
    f.Text7[4]->setText("DLH123");
    emit f.Text7[4]->focusLeft();
    EXPECT_EQ(f.Text8[4]->text(), "wait");
    f.first[4]->click(); // "1.": DLH123's strip goes to the top, BER4711's to row 4
    f.Text7[5]->setText("EZY9");
    emit f.Text7[5]->focusLeft();
    f.del[5]->click(); // "Lö" while EZY9's plan is fetched
    f.Text7[6]->setText("DLH12");
    emit f.Text7[6]->focusLeft();
    f.Text7[6]->setText("DLH1"); // retyped during the wait
    fake.transfer.release();
    EXPECT_EQ(f.Text7[0]->text(), "DLH123");
    EXPECT_EQ(f.Text8[0]->text(), "EDDM");
    EXPECT_EQ(f.Text7[4]->text(), "BER4711");
    EXPECT_EQ(f.Text8[4]->text(), "LEPA");
    EXPECT_EQ(f.Text8[5]->text(), "") << "a deleted strip is not refilled";
    EXPECT_EQ(f.Text8[6]->text(), "") << "no answer for another callsign, and no \"wait\" left";
}

// The feed is read on a thread of its own; the one thread of the pool is held busy until the
// strips have moved.
class WorkerTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        pool.setMaxThreadCount(1);
        fake.platform.worker = &worker;
        writeFile(dataPath("network.txt"), "status=http://status.test/whazzup\n");
        start();
        fake.transfer.setBody(
            status, fileBytes(QStringLiteral(TARVOS_TEST_DATA "/vatsim-v3-2021-01-03.json")));
    }
    void TearDown() override { pool.waitForDone(); }
    const QUrl status{QStringLiteral("http://status.test/whazzup")};
    QThreadPool pool;
    ThreadPoolWorker worker{&pool};
};

TEST_F(WorkerTest, StripsMoveWhileTheFeedIsRead) {
    Form1 &f = form();
    f.Check2->setChecked(true);
    QSemaphore gate;
    pool.start([&gate] { gate.acquire(); });
    f.Text7[0]->setText("BGH5530");
    f.Text8[0]->setText("EDDF");
    f.Text7[4]->setText("DLH126");
    emit f.Text7[4]->focusLeft();
    EXPECT_EQ(f.Text8[4]->text(), "wait") << "the body is in, its reading waits for the worker";
    f.first[4]->click(); // DLH126 to the top, BGH5530 to row 4
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Text16->text() != "get the info ..."; }, 20000));
    EXPECT_EQ(f.Text7[0]->text(), "DLH126");
    EXPECT_EQ(f.Text8[0]->text(), "EDDB");
    EXPECT_EQ(f.Text7[4]->text(), "BGH5530");
    EXPECT_EQ(f.Text8[4]->text(), "EDDF");
}

TEST_F(NetworkTest, FlightPlanAnswerLeavesTheFocusWhereTheControllerIs) {
    Form1 &f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    f.Check2->setChecked(true);
    fake.transfer.held.insert(status);
    // The controller waits in the Dest field the lookup left him in: the focus goes on to via.
    f.Text7[1]->setText("DLH123");
    f.Text8[1]->setFocus();
    emit f.Text7[1]->focusLeft();
    fake.transfer.release();
    EXPECT_TRUE(f.Text9[1]->hasFocus());
    // The controller has gone on typing elsewhere: the focus stays there.
    f.Text7[2]->setText("DLH123");
    f.Text8[2]->setFocus();
    emit f.Text7[2]->focusLeft();
    f.Text11[5]->setFocus();
    QTest::keyClicks(f.Text11[5], "AB");
    fake.transfer.release();
    EXPECT_EQ(f.Text8[2]->text(), "EDDM");
    EXPECT_TRUE(f.Text11[5]->hasFocus());
    QTest::keyClicks(f.Text11[5], "C9");
    EXPECT_EQ(f.Text11[5]->text(), "ABC9");
}

TEST_F(NetworkTest, NothingIsSwallowedWhileTheFeedDownloads) {
    Form1 &f = form();
    writeFile(dataPath("control.txt"), "EDDT_TWR\r\n");
    fake.transfer.setBody(echo, "203.0.113.7\n");
    fake.transfer.setBody(update, "V7.5");
    fake.transfer.held.insert(status);
    f.Command3->click();
    f.Command3->click(); // a double press while the list downloads stays one list
    EXPECT_EQ(f.Text21->text(), "get data ...");
    f.Text7[2]->setText("ip?");
    EXPECT_EQ(f.Text11[2]->text(), "203.0.113.7");
    f.Command4->click();
    EXPECT_EQ(f.Text22->text(), "Yes, the update V7.5 is available !");
    f.Text7[3]->setText("depeddt");
    EXPECT_EQ(fake.transfer.waiting(), 2);
    fake.transfer.release();
    EXPECT_EQ(f.Text21->text(), "EDDT_TWR - Hans Meier EDDT - 118.700\r\n");
    EXPECT_EQ(listing(), "DLH123 EDDT\r\nDLH12: EDDT\r\nBER471 EDDT\r\n");
    f.Command3->click();
    EXPECT_EQ(Form1::topTwipsOf(f.Text21), 6480) << "the next press hides the list";
}

TEST_F(NetworkTest, UpdateBanner) {
    Form1 &f = form();
    struct Case {
        QByteArray body; // empty: no answer
        const char *banner;
    } cases[] = {
        {"V7.4 final", "No, there is no new version !"},
        {"V7.3", "Yes, the update V7.3 is available !"},
        {"v7.5", "Yes, the update v7.5 is available !"},
        {{}, "The update server did not answer !"},
        {"<!DOCTYPE html>\n<html><body>Not here</body></html>",
         "The update server did not answer !"},
    };
    for (const Case &c : cases) {
        if (c.body.isEmpty())
            fake.transfer.setFailure(update, QStringLiteral("HTTP 404"));
        else
            fake.transfer.setBody(update, c.body);
        f.Timer5->stop();
        f.Command4->click();
        EXPECT_EQ(f.Text22->text(), c.banner);
        EXPECT_EQ(Form1::topTwipsOf(f.Text22), 315);
        EXPECT_TRUE(f.Timer5->isActive());
    }
    // The next controller list downloads the status file again, untouched by the version text.
    f.Command3->click();
    f.Command3->click();
    f.Command3->click();
    EXPECT_TRUE(f.Text21->text().startsWith("EDDT_GND - "));
}

TEST_F(NetworkTest, TrafficListingAndItsSecondPress) {
    Form1 &f = form();
    f.Text7[3]->setText("depeddt");
    EXPECT_EQ(f.Text7[3]->text(), "") << "the word is consumed";
    EXPECT_EQ(listing(), "DLH123 EDDT\r\nDLH12: EDDT\r\nBER471 EDDT\r\n")
        << "IVN001, whose next field is IVAN, is not listed";
    EXPECT_TRUE(f.Text20->isVisible() || !f.isVisible());
    EXPECT_EQ(Form1::topTwipsOf(f.Text20), 1680);
    f.Command42->click();
    EXPECT_EQ(listing(), "nix da") << "the code is enclosed twice now";
    emit f.Text20->clicked();
    EXPECT_TRUE(f.Text20->isHidden());
    // A feed that cannot be read is no empty airport; the code stays for another try.
    fake.transfer.setBody(status, "{\"error\": \"Too Many Requests\"}");
    f.Text7[3]->setText("depeddb");
    EXPECT_EQ(listing(), "The status feed could not be read");
    EXPECT_EQ(console->state().depsearchcode, "EDDB");
}

TEST_F(NetworkTest, GreetingCountsTheStripLog) {
    Form1 &f = form();
    f.Text7[0]->setText("suchdlh123.");
    EXPECT_EQ(f.Text11[0]->text(), "DLH123 = 0") << "no log yet";
    writeFile(dataPath("log.txt"), "07.12.2026  14:05:09  DLH123 EDDF\r\n"
                                   "07.12.2026  15:00:00  DLH1234 EDDM\r\n"
                                   "07.12.2026  16:00:00  dlh123 EDDK\r\n");
    f.Text7[0]->setText("suchdlh123.");
    EXPECT_EQ(f.Text11[0]->text(), "DLH123 = 2");
    EXPECT_EQ(fake.clipboard.text(),
              "I've controlled you 2 times, since Nov-2002, with your current callsign !!!");
    EXPECT_EQ(f.Text7[0]->text(), "");
}

TEST_F(NetworkTest, IpEcho) {
    Form1 &f = form();
    fake.transfer.setBody(echo, "203.0.113.7\n");
    f.Text7[2]->setText("ip?");
    EXPECT_EQ(f.Text11[2]->text(), "203.0.113.7");
    EXPECT_EQ(fake.clipboard.text(), "Meine IP-Adresse lautet = 203.0.113.7");
    fake.clipboard.setText("kept");
    fake.transfer.setFailure(echo, QStringLiteral("time-out"));
    f.Text7[2]->setText("ip?");
    EXPECT_EQ(f.Text11[2]->text(), "IP echo service did not answer");
    EXPECT_EQ(fake.clipboard.text(), "kept");
}

// The console with the desktop's own transfer against the recorded network.
class RecordedNetworkTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        ASSERT_NE(server.start(), 0);
        fake.platform.transfer = &http;
        writeNetworkTxt("/v2/tracker/whazzup", "/upd.txt");
        start();
    }
    void writeNetworkTxt(const QString &status, const QString &update) {
        writeFile(dataPath("network.txt"),
                  QStringLiteral("status=%1\nupdate=%2\n")
                      .arg(server.url(status).toString(), server.url(update).toString())
                      .toUtf8());
    }
    NetsimServer server{kRecorded};
    QtHttpTransfer http;
};

TEST_F(RecordedNetworkTest, ControllerListFromTodaysFeedWhileTheWindowGoesOn) {
    Form1 &f = form();
    writeFile(dataPath("control.txt"), "EDDT_TWR\r\nEDDF_TWR\r\nEDDM_APP\r\n");
    server.setDelay(QStringLiteral("/v2/tracker/whazzup"), std::chrono::milliseconds(8000));
    f.Command3->click();
    EXPECT_EQ(f.Text21->text(), "get data ...");
    EXPECT_EQ(http.runningDownloads(), 1);
    // While the answer stalls, the window handles events: a queued call comes back at once.
    QElapsedTimer clock;
    clock.start();
    qint64 worst = 0;
    // Measured while the server is silent (8 s), not while the answer is read afterwards.
    while (http.runningDownloads() > 0 && clock.elapsed() < 7000) {
        QElapsedTimer round;
        round.start();
        bool back = false;
        QMetaObject::invokeMethod(
            &f, [&] { back = true; }, Qt::QueuedConnection);
        EXPECT_TRUE(QTest::qWaitFor([&] { return back; }, 1000));
        worst = std::max(worst, round.elapsed());
        QTest::qWait(20);
    }
    EXPECT_LT(worst, 50) << "event round trip while the download stalls, ms";
    std::printf("worst event round trip while the download stalled: %lld ms\n",
                static_cast<long long>(worst));
    ASSERT_TRUE(QTest::qWaitFor([&] { return http.runningDownloads() == 0; }, 10000));
    EXPECT_TRUE(f.Text21->text().contains(" - ")) << qPrintable(f.Text21->text());
    EXPECT_NE(f.Text21->text(), "get data ...");
}

TEST_F(RecordedNetworkTest, ClosingDuringADownloadEndsCleanly) {
    Form1 &f = form();
    server.setDelay(QStringLiteral("/v2/tracker/whazzup"), std::chrono::milliseconds(5000));
    server.setDelay(QStringLiteral("/upd.txt"), std::chrono::milliseconds(5000));
    f.Check2->setChecked(true);
    f.Text7[0]->setText("DLH123");
    emit f.Text7[0]->focusLeft();
    f.Command4->click(); // a second download side by side
    ASSERT_EQ(http.runningDownloads(), 2);
    int shutdowns = 0;
    QObject::connect(console.get(), &Console::shutDown, [&] { ++shutdowns; });
    console->shutdown();
    EXPECT_EQ(http.runningDownloads(), 0) << "shutdown ends every download";
    EXPECT_EQ(f.Text8[0]->text(), "") << "no \"wait\" is left in the strip";
    console->shutdown();
    EXPECT_EQ(shutdowns, 1);
    EXPECT_TRUE(QFile::exists(dataPath("squawk.txt")));
    EXPECT_FALSE(QFile::exists(dataPath("log.txt")));
    console.reset();
    QTest::qWait(50);
}

// A VATSIM controller's console against the recorded v3 feed over HTTP, read on a worker thread.
class VatsimNetworkTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        ASSERT_NE(server.start(), 0);
        fake.platform.transfer = &http;
        fake.platform.worker = &worker;
        writeFile(dataPath("network.txt"),
                  "network=vatsim\nstatus=" +
                      server.url("/v3/vatsim-data.json").toString().toUtf8() + "\n");
        start();
    }
    void TearDown() override { QThreadPool::globalInstance()->waitForDone(); }
    NetsimServer server{kRecorded};
    QtHttpTransfer http;
    ThreadPoolWorker worker;
};

TEST_F(VatsimNetworkTest, ControllersAndAFlightPlanFromTheV3Feed) {
    Form1 &f = form();
    EXPECT_EQ(f.Check3->accessibleName(), "METAR from VATSIM");
    EXPECT_EQ(f.Check3->toolTip(), "with hook: METAR from VATSIM / without hook: METAR from NOAA");
    writeFile(dataPath("control.txt"), "EDDM_N_APP\r\nEDBB_S_APP\r\nEDBB_APP\r\n");
    f.Command3->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Text21->text() != "get data ..."; }, 20000));
    EXPECT_EQ(f.Text21->text(), "EDDM_N_APP - 1378091 - 123.900\r\n"
                                "EDBB_S_APP - 1007320 - 126.420\r\n")
        << "in control.txt's order, as the feed names them";

    f.Check2->setChecked(true);
    f.Text7[2]->setText("dlh126");
    emit f.Text7[2]->focusLeft();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Text8[2]->text() != "wait"; }, 20000));
    EXPECT_EQ(f.Text8[2]->text(), "EDDB");
    EXPECT_EQ(f.Text17->text(), "EDDF");
}

TEST_F(RecordedNetworkTest, PagesSentInsteadOfAnswersAreNoAnswers) {
    Form1 &f = form();
    writeFile(dataPath("control.txt"), "EDDB_TWR\r\n");
    const struct {
        const char *status;
        const char *update;
    } servers[] = {{"/maintenance.html", "/maintenance.html"},
                   {"/v2/tracker/whazzup-throttled", "/v2/tracker/whazzup-throttled"}};
    for (const auto &at : servers) {
        writeNetworkTxt(at.status, at.update);
        f.Command3->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.Text21->text() != "get data ..."; }, 10000));
        EXPECT_EQ(f.Text21->text(), "The status feed could not be read") << at.status;
        f.Command3->click();
        f.Command4->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return http.runningDownloads() == 0; }, 10000));
        EXPECT_EQ(f.Text22->text(), "The update server did not answer !") << at.update;
    }
}

} // namespace
