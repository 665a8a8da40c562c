// The transfer over real HTTP against a recorded network that runs as a program of its own
// (scripts/windows.sh starts the Linux one and names it in TARVOS_NETSIM_URL): bodies, HTTP
// errors, a stalled server, a huge body, a redirect loop and a compressed status feed.
#include "platform/qthttptransfer.h"

#include "fakes/fetchnow.h"
#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <gtest/gtest.h>

using namespace tarvos;
using namespace std::chrono_literals;
using tarvos::testing::fetchNow;

namespace {

class RemoteTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        if (base.isEmpty())
            GTEST_SKIP() << "TARVOS_NETSIM_URL names no recorded network";
    }
    QUrl url(const QString &pathAndQuery) const { return QUrl(base + pathAndQuery); }
    const QString base = qEnvironmentVariable("TARVOS_NETSIM_URL");
};

TEST_F(RemoteTransfer, BodiesAndFailures) {
    const struct {
        QString path;
        bool ok;
        QByteArray body;
        QString reason;
    } rows[] = {
        {"/upd.txt", true, tarvos::testing::fileBytes(TARVOS_NETSIM_RECORDED "/upd.txt"), ""},
        {"/missing.txt", false, "", "no answer from 127.0.0.1 (HTTP 404)"},
        {"/upd.txt?netsim-status=503", false, "", "no answer from 127.0.0.1 (HTTP 503)"},
        {"/redirect-loop", false, "", "no answer from 127.0.0.1 (too many redirects)"},
        {"/huge?mb=40", false, "", "no answer from 127.0.0.1 (too large)"},
    };
    QtHttpTransfer transfer;
    for (const auto &row : rows) {
        const FetchResult r = fetchNow(transfer, url(row.path));
        EXPECT_EQ(r.ok, row.ok) << qPrintable(row.path);
        EXPECT_EQ(r.body, row.body) << qPrintable(row.path);
        EXPECT_EQ(r.reason, row.reason) << qPrintable(row.path);
    }
}

TEST_F(RemoteTransfer, StalledServerTimesOut) {
    QtHttpTransfer transfer(300ms);
    const FetchResult r = fetchNow(transfer, url("/upd.txt?netsim-delay=5000"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, "no answer from 127.0.0.1 (time-out)");
}

TEST_F(RemoteTransfer, CompressedStatusFeedArrivesWhole) {
    QtHttpTransfer transfer;
    const FetchResult r = fetchNow(transfer, url("/v2/tracker/whazzup"));
    ASSERT_TRUE(r.ok) << qPrintable(r.reason);
    EXPECT_EQ(r.body,
              tarvos::testing::fileBytes(TARVOS_TEST_DATA "/ivao-whazzup-v2-2023-01-04.json"));
}

} // namespace
