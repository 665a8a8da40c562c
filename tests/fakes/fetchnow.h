#pragma once

// For the tests that download without widgets: one QCoreApplication for the event loop of all
// tests of the executable, and a fetch run to its end while that loop turns, as the console's
// handlers run theirs.

#include "platform/httptransfer.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace tarvos::testing {

class CoreApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tarvos_tests";
        static char *argv[] = {name, nullptr};
        m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication *m_app = nullptr;
};

inline const auto *const kCoreApplication =
    ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

inline QCoro::Task<> fetchInto(HttpTransfer &transfer, QUrl url, std::optional<FetchResult> &out) {
    out = co_await transfer.fetch(std::move(url));
}

inline FetchResult fetchNow(HttpTransfer &transfer, const QUrl &url, int waitMs = 30000) {
    std::optional<FetchResult> result;
    QCoro::Task<> task = fetchInto(transfer, url, result);
    if (!QTest::qWaitFor([&] { return result.has_value(); }, waitMs))
        return FetchResult{false, {}, QStringLiteral("test gave up waiting"), 0, false};
    return *result;
}

} // namespace tarvos::testing
