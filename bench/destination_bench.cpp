// One change of a Dest field against an aerodrome list of 40,000 lines, and against the world's
// aerodromes as the console writes ICAO.txt from OurAirports' airports.csv: the lookup through
// the data directory (which re-reads the file only when it changed) and the rearrangement of the
// name. Every Dest keystroke pays this, so it has to stay well below a frame.
#include "console/datadir.h"
#include "console/opendata.h"
#include "console/textcodec.h"
#include "strips/destination.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tarvos;

namespace {

constexpr int kLines = 40000;

QString codeOf(int n) {
    QString code(4, u'A');
    for (int i = 3; i >= 0; --i) {
        code[i] = QChar(u'A' + n % 26);
        n /= 26;
    }
    return code;
}

// An aerodrome list of the usual shape: code, three blanks, "City | Aerodrome" names made of
// capitalised random words, in the order of the codes.
struct AerodromeList {
    AerodromeList() {
        QRandomGenerator random(2026);
        auto word = [&random] {
            QString w(1, QChar(u'A' + random.bounded(26)));
            const int length = 3 + random.bounded(9);
            for (int i = 0; i < length; ++i)
                w += QChar(u'a' + random.bounded(26));
            return w;
        };
        QStringList lines;
        for (int n = 0; n < kLines; ++n) {
            // Codes spread over the whole code space, as in a world-wide list.
            lines << codeOf(n * 11 + 7) + "   " + word() + " " + word() + " | " + word();
        }
        lastCode = lines.last().left(4);
        QFile file(dir.path() + "/ICAO.txt");
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(encodeWindows1252(lines.join("\r\n") + "\r\n"));
    }
    QTemporaryDir dir;
    QString lastCode;
};

AerodromeList &list() {
    static AerodromeList instance;
    return instance;
}

// ICAO.txt of the world's aerodromes, in UTF-8 with CR LF as the console writes it.
struct WorldList {
    WorldList() {
        const QStringList lines =
            icaoLinesFromAirportsCsv(
                QStringLiteral(TARVOS_TEST_DATA "/ourairports-airports-2020-10-21.csv"))
                .lines;
        QFile file(dir.path() + "/ICAO.txt");
        if (lines.isEmpty() || !file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(lines.join("\r\n").toUtf8() + "\r\n");
    }
    QTemporaryDir dir;
};

WorldList &world() {
    static WorldList instance;
    return instance;
}

void destChangeIn(benchmark::State &state, const QString &folder, const QString &dest) {
    DataDir dir(folder);
    DestinationLookup lookup(dir);
    lookup.lookup(dest); // the first change reads the file and builds the index
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup.remarksAfterDestChange(dest, QStringLiteral("old")));
}

void destChange(benchmark::State &state, const QString &dest) {
    destChangeIn(state, list().dir.path(), dest);
}

void BM_DestChange_FullCode(benchmark::State &state) {
    destChange(state, list().lastCode);
}
void BM_DestChange_OneLetter(benchmark::State &state) {
    destChange(state, QStringLiteral("Q"));
}
void BM_DestChange_CodeNotInList(benchmark::State &state) {
    destChange(state, QStringLiteral("9ZZZ"));
}
// A code whose every pair of letters occurs in the list while the code itself does not: the
// lines of its rarest pair are all searched.
void BM_DestChange_CodeNotInListCommonPairs(benchmark::State &state) {
    destChange(state, QStringLiteral("AAAA"));
}

// The first change after the file changed: read, decode, split and index 40,000 lines.
void BM_DestChange_AfterFileChanged(benchmark::State &state) {
    for (auto _ : state) {
        DataDir dir(list().dir.path());
        DestinationLookup lookup(dir);
        benchmark::DoNotOptimize(lookup.remarksAfterDestChange(list().lastCode, QString()));
    }
}

// Of that, reading, decoding and splitting the file alone.
void BM_ReadList(benchmark::State &state) {
    const DataDir dir(list().dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(dir.read(kAerodromeFileName));
}

// For comparison: a plain scan of every line for a code that is not in the list.
void BM_PlainScan_CodeNotInList(benchmark::State &state) {
    DataDir dir(list().dir.path());
    const QString code = QStringLiteral("9ZZZ");
    for (auto _ : state) {
        const QStringList lines = dir.lines(kAerodromeFileName).lines;
        qsizetype found = -1;
        for (qsizetype n = 0; n < lines.size() && found < 0; ++n) {
            if (lines[n].contains(code))
                found = n;
        }
        benchmark::DoNotOptimize(found);
    }
}

// The world's aerodromes: Málaga (a name beyond ASCII), the last code, one letter, a code that
// is not there, and the first change after the file changed.
void BM_World_DestChange_Malaga(benchmark::State &state) {
    destChangeIn(state, world().dir.path(), QStringLiteral("LEMG"));
}
void BM_World_DestChange_LastCode(benchmark::State &state) {
    destChangeIn(state, world().dir.path(), QStringLiteral("ZYYY"));
}
void BM_World_DestChange_OneLetter(benchmark::State &state) {
    destChangeIn(state, world().dir.path(), QStringLiteral("Q"));
}
void BM_World_DestChange_CodeNotInList(benchmark::State &state) {
    destChangeIn(state, world().dir.path(), QStringLiteral("EDXX"));
}
void BM_World_DestChange_AfterFileChanged(benchmark::State &state) {
    for (auto _ : state) {
        DataDir dir(world().dir.path());
        DestinationLookup lookup(dir);
        benchmark::DoNotOptimize(lookup.remarksAfterDestChange(QStringLiteral("LEMG"), QString()));
    }
}

} // namespace

BENCHMARK(BM_DestChange_FullCode)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DestChange_OneLetter)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DestChange_CodeNotInList)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DestChange_CodeNotInListCommonPairs)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DestChange_AfterFileChanged)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_ReadList)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PlainScan_CodeNotInList)->Unit(benchmark::kMicrosecond)->Repetitions(9);

BENCHMARK(BM_World_DestChange_Malaga)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_World_DestChange_LastCode)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_World_DestChange_OneLetter)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_World_DestChange_CodeNotInList)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_World_DestChange_AfterFileChanged)->Unit(benchmark::kMillisecond)->Repetitions(5);

BENCHMARK_MAIN();
