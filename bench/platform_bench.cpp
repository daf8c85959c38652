// How fast the file boundary is: code page conversion, field-book loading, database writes.
// Run: build/bench/bench_platform

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "apa/ApaReader.h"
#include "platform/CodePage.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

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

void InsertRows(benchmark::State& state) {
    QTemporaryDir dir;
    auto db = platform::Database::Create(dir.filePath(QStringLiteral("bench.mdb")));
    platform::TableDef t{QStringLiteral("COORD"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"))
        .Field(QStringLiteral("Name"), platform::FieldType::Text, 50)
        .Field(QStringLiteral("X"), platform::FieldType::Double)
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"));
    db->CreateTable(t);
    for (auto _ : state) {
        db->BeginTrans();
        auto rs = db->OpenRecordset(QStringLiteral("COORD"));
        for (int i = 0; i < state.range(0); ++i) {
            rs->AddNew();
            rs->SetField(QStringLiteral("Name"), QStringLiteral("T%1").arg(i));
            rs->SetField(QStringLiteral("X"), i * 1.5);
            rs->Update();
        }
        db->CommitTrans();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(InsertRows)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
