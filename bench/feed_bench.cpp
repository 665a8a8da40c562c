// The network status on the user-interface thread: rendering a downloaded JSON feed into records,
// and the reads of one press (controller list, flight plan, traffic listing) over the status
// text of a busy evening, about 4,000 clients. Each has to stay far below what a user notices.
#include "network/answers.h"
#include "network/statusfeed.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace tarvos;

namespace {

QByteArray capture() {
    static const QByteArray bytes = [] {
        QFile file(TARVOS_TEST_DATA "/ivao-whazzup-v2-2023-01-04.json");
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        return file.readAll();
    }();
    return bytes;
}

// The capture's 799 clients five times over: 3,995 clients.
QByteArray busyFeed() {
    static const QByteArray bytes = [] {
        QJsonObject root = QJsonDocument::fromJson(capture()).object();
        QJsonObject clients = root.value("clients").toObject();
        for (const char *kind : {"atcs", "pilots", "observers"}) {
            const QJsonArray once = clients.value(kind).toArray();
            QJsonArray many;
            for (int n = 0; n < 5; ++n) {
                for (const QJsonValue &client : once)
                    many.append(client);
            }
            clients.insert(kind, many);
        }
        root.insert("clients", clients);
        return QJsonDocument(root).toJson(QJsonDocument::Compact);
    }();
    return bytes;
}

const QString &busyText() {
    static const QString text = renderStatusText(busyFeed());
    return text;
}

void BM_RenderCapture(benchmark::State &state) {
    const QByteArray body = capture();
    for (auto _ : state)
        benchmark::DoNotOptimize(renderStatusText(body));
    state.SetBytesProcessed(state.iterations() * body.size());
}

void BM_RenderBusyFeed(benchmark::State &state) {
    const QByteArray body = busyFeed();
    for (auto _ : state)
        benchmark::DoNotOptimize(renderStatusText(body));
    state.SetBytesProcessed(state.iterations() * body.size());
}

// The 13 Berlin positions; all but one are offline, so most searches run through the whole text.
void BM_ControllerList(benchmark::State &state) {
    const QStringList control = controlFileDefaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(controllerPanel(busyText(), control, false, QString()));
}

// Leaving a callsign field: `getwhat` and `getstrip` search the text once each. A callsign
// near the end of the first copy, and one that is not online.
void BM_FlightPlanFound(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(getwhat(busyText(), QStringLiteral("NDF6022")));
    benchmark::DoNotOptimize(getstrip(busyText(), QStringLiteral("NDF6022")));
}
void BM_FlightPlanNotFound(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(getwhat(busyText(), QStringLiteral("XYZ9999")));
    benchmark::DoNotOptimize(getstrip(busyText(), QStringLiteral("XYZ9999")));
}

void BM_TrafficListing(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(trafficListing(busyText(), QStringLiteral("EDDB")));
}

} // namespace

BENCHMARK(BM_RenderCapture)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(BM_RenderBusyFeed)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_ControllerList)->Unit(benchmark::kMillisecond)->Repetitions(9);
BENCHMARK(BM_FlightPlanFound)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_FlightPlanNotFound)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_TrafficListing)->Unit(benchmark::kMillisecond)->Repetitions(9);

BENCHMARK_MAIN();
