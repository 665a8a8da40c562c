// The transfer over real HTTP against a recorded network that runs as a program of its own
// (scripts/windows.sh starts the Linux one and names it in TARVOS_NETSIM_URL): bodies, HTTP
// errors, a stalled server, a huge body, a redirect loop and a compressed status feed.
#include "platform/qthttptransfer.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

using namespace tarvos;
using namespace std::chrono_literals;

namespace {

class CoreApplication : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "remote_transfer_tests";
        static char *argv[] = {name, nullptr};
        m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication *m_app = nullptr;
};
const auto *const kApp = ::testing::AddGlobalTestEnvironment(new CoreApplication);

QCoro::Task<> fetchInto(HttpTransfer &transfer, QUrl url, std::optional<FetchResult> &out) {
    out = co_await transfer.fetch(std::move(url));
}

FetchResult fetchNow(HttpTransfer &transfer, const QUrl &url) {
    std::optional<FetchResult> result;
    QCoro::Task<> task = fetchInto(transfer, url, result);
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 30000))
        return FetchResult{false, {}, QStringLiteral("test gave up waiting"), 0, false};
    return *result;
}

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
