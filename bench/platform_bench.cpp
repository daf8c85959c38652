// How fast the file boundary is: code page conversion, field-book loading, database writes
// (bulk_insert_bench.cpp). Run: build/bench/bench_platform

#include <benchmark/benchmark.h>

#include "apa/ApaReader.h"
#include "platform/CodePage.h"

namespace {

// A field book of n sightings, as a day's work with a few thousand lines gives.
QStringList FieldBook(int n) {
    QStringList lines{QStringLiteral("A,01,")};
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("C,%1,境界杭%1,1.500,123.4530,89.5930,45.678").arg(i);
    return lines;
}

void EncodeDecode(benchmark::State& state) {
    const QString text = FieldBook(static_cast<int>(state.range(0))).join(QStringLiteral("\r\n"));
    for (auto _ : state) {
        const QByteArray bytes = platform::cp932::Encode(text);
        benchmark::DoNotOptimize(platform::cp932::Decode(bytes));
    }
    state.SetBytesProcessed(state.iterations() * platform::cp932::ByteLength(text));
}
BENCHMARK(EncodeDecode)->Arg(1000)->Arg(20000);

void NormalizeFieldBook(benchmark::State& state) {
    const QStringList lines = FieldBook(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(apa::NormalizeApaLines(lines));
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(NormalizeFieldBook)->Arg(20000);

}  // namespace

BENCHMARK_MAIN();
