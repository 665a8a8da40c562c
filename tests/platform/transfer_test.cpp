// The transfer over real HTTP against the recorded network on 127.0.0.1: bodies, HTTP errors,
// a stalled server, a huge body, a redirect loop, compression, reuse within 15 s and abort.
#include "platform/qthttptransfer.h"
#include "platform/reusinghttptransfer.h"

#include "fakes/fakehttptransfer.h"
#include "fakes/fetchnow.h"
#include "fakes/qtprint.h"
#include "fakes/testfiles.h"
#include "netsimserver.h"
#include "network/statusfeed.h"
#include "network/statustext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

using namespace tarvos;
using namespace std::chrono_literals;
using tarvos::testing::fetchInto;
using tarvos::testing::fetchNow;
using tarvos::testing::fileBytes;
using tarvos::testing::writeFile;

namespace {

class Transfer : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir.path() + "/upd.txt", "V7.5\r\n");
        writeFile(dir.path() + "/feed.json",
                  fileBytes(TARVOS_TEST_DATA "/ivao-whazzup-v2-2023-01-04.json"));
        ASSERT_NE(server.start(), 0);
    }
    QTemporaryDir dir;
    NetsimServer server{dir.path()};
};

TEST_F(Transfer, BodyOfASuccessfulDownload) {
    QtHttpTransfer transfer;
    const FetchResult r = fetchNow(transfer, server.url("/upd.txt"));
    EXPECT_TRUE(r.ok) << qPrintable(r.reason);
    EXPECT_EQ(r.body, "V7.5\r\n");
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(server.lastUserAgent(), "Tarvos/7.4");
    EXPECT_EQ(transfer.runningDownloads(), 0);
}

TEST_F(Transfer, FailuresComeBackWithAnEmptyBodyAndAReason) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    server.setStatus("/upd.txt", 500);

    struct Row {
        QUrl url;
        QString reason;
    } rows[] = {
        {server.url("/missing.txt"), "no answer from 127.0.0.1 (HTTP 404)"},
        {server.url("/upd.txt"), "no answer from 127.0.0.1 (HTTP 500)"},
        {server.url("/feed.json?netsim-status=503"), "no answer from 127.0.0.1 (HTTP 503)"},
        {server.url("/redirect-loop"), "no answer from 127.0.0.1 (too many redirects)"},
        {QUrl(QString("http://127.0.0.1:%1/x").arg(closedPort)),
         "no answer from 127.0.0.1 (refused)"},
        {QUrl(), "no address configured"},
        {QUrl("ftp://127.0.0.1/upd.txt"), "not a web address: ftp://127.0.0.1/upd.txt"},
        {QUrl("not a url at all"), "not a web address: not a url at all"},
        {QUrl("http://"), "not a web address: http://"},
    };
    QtHttpTransfer transfer;
    for (const Row &row : rows) {
        const FetchResult r = fetchNow(transfer, row.url);
        EXPECT_FALSE(r.ok) << qPrintable(row.url.toString());
        EXPECT_TRUE(r.body.isEmpty()) << qPrintable(row.url.toString());
        EXPECT_EQ(r.reason, row.reason);
    }
    EXPECT_LE(server.requests("/redirect-loop"), 1 + QtHttpTransfer::kMaxRedirects);
}

TEST_F(Transfer, StalledServerTimesOut) {
    server.setDelay("/upd.txt", 5s);
    QtHttpTransfer transfer(300ms);
    QElapsedTimer clock;
    clock.start();
    const FetchResult r = fetchNow(transfer, server.url("/upd.txt"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, "no answer from 127.0.0.1 (time-out)");
    EXPECT_LT(clock.elapsed(), 3000);

    // A slow server that keeps sending is no stalled one: the wait starts anew with every chunk.
    const FetchResult slow = fetchNow(transfer, server.url("/slow?chunks=8&ms=100"));
    EXPECT_TRUE(slow.ok) << qPrintable(slow.reason);
    EXPECT_EQ(slow.body.size(), 8 * 1024);
}

TEST_F(Transfer, BodiesBeyondTheCapFailWithoutBeingKept) {
    QElapsedTimer clock;
    clock.start();
    QtHttpTransfer transfer; // 32 MiB
    const FetchResult huge = fetchNow(transfer, server.url("/huge?mb=100"));
    EXPECT_FALSE(huge.ok);
    EXPECT_TRUE(huge.body.isEmpty());
    EXPECT_EQ(huge.reason, "no answer from 127.0.0.1 (too large)");
    EXPECT_LT(clock.elapsed(), 10000);

    // A compressed answer whose unpacked body grows beyond the cap while it arrives.
    QtHttpTransfer small(10s, 512 * 1024);
    const FetchResult unpacked = fetchNow(small, server.url("/feed.json"));
    EXPECT_FALSE(unpacked.ok);
    EXPECT_EQ(unpacked.reason, "no answer from 127.0.0.1 (too large)");
    // Within the cap the same transfer is fine.
    EXPECT_TRUE(fetchNow(small, server.url("/upd.txt")).ok);
}

TEST_F(Transfer, CompressedFeedArrivesWholeAndRenders) {
    QtHttpTransfer transfer;
    const FetchResult r = fetchNow(transfer, server.url("/feed.json"));
    ASSERT_TRUE(r.ok) << qPrintable(r.reason);
    EXPECT_EQ(server.compressedAnswers(), 1);
    EXPECT_EQ(r.body, fileBytes(dir.path() + "/feed.json"));
    const QString text = renderStatusText(r.body);
    EXPECT_GT(recordSearch(text, "EDDB_TWR"), 0);
}

TEST_F(Transfer, RecentBodyOfTheSameUrlIsReused) {
    QtHttpTransfer transfer;
    std::chrono::milliseconds now = 1000s;
    ReusingHttpTransfer reusing(transfer, [&now] { return now; });
    const QUrl url = server.url("/upd.txt");
    EXPECT_FALSE(fetchNow(reusing, url).reused);
    now += 14s;
    const FetchResult second = fetchNow(reusing, url);
    EXPECT_TRUE(second.reused);
    EXPECT_EQ(second.body, "V7.5\r\n");
    EXPECT_EQ(server.requests("/upd.txt"), 1);
    EXPECT_FALSE(fetchNow(reusing, server.url("/upd.txt?other")).reused); // another URL
    now += 1s; // 15 s after the first download
    EXPECT_FALSE(fetchNow(reusing, url).reused);
    EXPECT_EQ(server.requests("/upd.txt"), 3);
}

TEST(ReusingTransfer, FailuresAreNotReused) {
    tarvos::testing::FakeHttpTransfer fake;
    std::chrono::milliseconds now = 0s;
    ReusingHttpTransfer reusing(fake, [&now] { return now; });
    const QUrl url("http://feed.test/whazzup");
    fake.setFailure(url, "time-out");
    EXPECT_FALSE(QCoro::waitFor(reusing.fetch(url)).ok);
    fake.setBody(url, "body");
    EXPECT_EQ(QCoro::waitFor(reusing.fetch(url)).body, "body");
    EXPECT_EQ(fake.requested.size(), 2);
}

TEST_F(Transfer, DifferentUrlsSideBySideAndOneDownloadForTwoWaiters) {
    server.setDelay("/upd.txt", 600ms);
    server.setDelay("/feed.json", 600ms);
    QtHttpTransfer transfer;
    ReusingHttpTransfer reusing(transfer);
    std::optional<FetchResult> update, feed, sameUpdate;
    QElapsedTimer clock;
    clock.start();
    QCoro::Task<> a = fetchInto(reusing, server.url("/upd.txt"), update);
    QCoro::Task<> b = fetchInto(reusing, server.url("/feed.json"), feed);
    QCoro::Task<> c = fetchInto(reusing, server.url("/upd.txt"), sameUpdate);
    EXPECT_EQ(transfer.runningDownloads(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return update && feed && sameUpdate; }, 10000));
    EXPECT_LT(clock.elapsed(), 1100) << "the two downloads ran side by side";
    EXPECT_TRUE(feed->ok) << qPrintable(feed->reason);
    EXPECT_EQ(update->body, "V7.5\r\n");
    EXPECT_EQ(sameUpdate->body, "V7.5\r\n");
    EXPECT_EQ(server.requests("/upd.txt"), 1) << "the second waiter joined the download";
}

TEST_F(Transfer, AbortEndsEveryRunningDownloadAtOnce) {
    server.setDelay("/upd.txt", 10s);
    server.setDelay("/feed.json", 10s);
    auto transfer = std::make_unique<QtHttpTransfer>();
    auto reusing = std::make_unique<ReusingHttpTransfer>(*transfer);
    std::optional<FetchResult> result, joined, other;
    QCoro::Task<> task = fetchInto(*reusing, server.url("/upd.txt"), result);
    QCoro::Task<> waiter = fetchInto(*reusing, server.url("/upd.txt"), joined);
    QCoro::Task<> third = fetchInto(*reusing, server.url("/feed.json"), other);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return server.requests("/upd.txt") == 1 && server.requests("/feed.json") == 1; },
        5000));
    reusing->abort();
    ASSERT_TRUE(result && joined && other) << "every fetch has ended when abort() returns";
    EXPECT_EQ(result->reason, "no answer from 127.0.0.1 (aborted)");
    EXPECT_TRUE(result->aborted);
    EXPECT_TRUE(joined->aborted);
    EXPECT_TRUE(other->aborted);
    EXPECT_EQ(transfer->runningDownloads(), 0);
    reusing.reset();

    // Destroying the transfer mid-download (the console closing) ends the fetch too.
    result.reset();
    QCoro::Task<> second = fetchInto(*transfer, server.url("/upd.txt"), result);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests("/upd.txt") == 2; }, 5000));
    transfer.reset();
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->ok);
}

TEST(RecordedNetwork, ServesBothStatusLayouts) {
    NetsimServer server(TARVOS_NETSIM_RECORDED);
    ASSERT_NE(server.start(), 0);
    QtHttpTransfer transfer;
    const QString json =
        renderStatusText(fetchNow(transfer, server.url("/v2/tracker/whazzup")).body);
    EXPECT_EQ(json.count(u'\n'), 799);
    const QString old = renderStatusText(fetchNow(transfer, server.url("/whazzup.txt")).body);
    const qsizetype p = recordSearch(old, "DLH123");
    ASSERT_GT(p, 0);
    EXPECT_EQ(readDestination(old, p), "EDDM");
    EXPECT_EQ(readName(old, recordSearch(old, "EDDT_TWR")), "Hans Meier EDDT");
    // Station files date their reports by the server's clock, at the last :20 or :50.
    const struct {
        QDateTime now;
        const char *dateLine, *report;
    } clocks[] = {
        {QDateTime(QDate(2026, 12, 8), QTime(10, 49, 59), Qt::UTC), "2026/12/08 10:20", "081020Z"},
        {QDateTime(QDate(2026, 12, 8), QTime(10, 50), Qt::UTC), "2026/12/08 10:50", "081050Z"},
        {QDateTime(QDate(2027, 1, 1), QTime(0, 5), Qt::UTC), "2026/12/31 23:50", "312350Z"},
    };
    for (const auto &c : clocks) {
        server.setNow(c.now);
        EXPECT_EQ(fetchNow(transfer, server.url("/data/observations/metar/stations/EDDB.TXT")).body,
                  QByteArray(c.dateLine) + "\nEDDB " + c.report +
                      " AUTO 16009KT CAVOK 18/13 Q1016 NOSIG\n");
    }
    const FetchResult metar = fetchNow(transfer, server.url("/api/data/metar?ids=EDDT&format=raw"));
    EXPECT_TRUE(metar.body.startsWith("EDDT 180750Z")) << "Tegel's last report keeps its date";
    EXPECT_EQ(fetchNow(transfer, server.url("/ip")).body, "127.0.0.1");
}

} // namespace
