// The event loop while a download stalls: the recorded network holds its answer back for 8 s
// and each iteration measures one event's round trip (posted, then handled) meanwhile. The
// download is awaited, never waited for, so the round trip stays that of an idle loop.
#include "netsimserver.h"
#include "platform/qthttptransfer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>

using namespace tarvos;

namespace {

QCoro::Task<> fetchInto(HttpTransfer &transfer, QUrl url, std::optional<FetchResult> &out) {
    out = co_await transfer.fetch(std::move(url));
}

void BM_EventRoundTripDuringStall(benchmark::State &state) {
    QTemporaryDir dir;
    NetsimServer server(dir.path());
    if (server.start() == 0)
        std::abort();
    QtHttpTransfer transfer;
    std::optional<FetchResult> result;
    QCoro::Task<> task =
        fetchInto(transfer, server.url(QStringLiteral("/stall?netsim-delay=8000")), result);
    for (auto _ : state) {
        bool handled = false;
        QTimer::singleShot(0, [&handled] { handled = true; });
        while (!handled)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (transfer.runningDownloads() == 0 || result)
        state.SkipWithError("the download did not stall");
    transfer.abort();
}

} // namespace

BENCHMARK(BM_EventRoundTripDuringStall)->Unit(benchmark::kMicrosecond)->Repetitions(5);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
