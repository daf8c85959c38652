// Bulk writes through the database seam beside the same rows written by a bare sqlite3
// prepared-insert loop: 100,000 rows of a notebook-like table in one transaction. The seam
// aims at no more than 1.5 times the bare loop. Run: build/bench/bench_platform
// --benchmark_filter=Insert

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <array>
#include <vector>

#include "platform/Database.h"
#include "platform/Recordset.h"

namespace {

constexpr int kRows = 100000;
const QString kTable = QStringLiteral("観測");

// One sighting of a notebook: names, set and face, heights, angles and distances.
const std::array<QString, 11> kFields = {
    QStringLiteral("測点名"),   QStringLiteral("視準点名"), QStringLiteral("対回"),
    QStringLiteral("望遠鏡"),   QStringLiteral("器械高"),   QStringLiteral("目標高"),
    QStringLiteral("水平角"),   QStringLiteral("鉛直角"),   QStringLiteral("斜距離"),
    QStringLiteral("水平距離"), QStringLiteral("備考")};

struct Sighting {
    QString station;
    QString target;
    qint32 set;
    qint32 face;
    std::array<double, 6> measures;
    QString memo;
    // The same texts as a C program would hold them.
    QByteArray stationUtf8;
    QByteArray targetUtf8;
    QByteArray memoUtf8;
};

const std::vector<Sighting>& Sightings() {
    static const std::vector<Sighting> rows = [] {
        std::vector<Sighting> made;
        made.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            Sighting s{QStringLiteral("ST%1").arg(i / 24),
                       QStringLiteral("境界杭%1").arg(i % 24),
                       i % 3 + 1,
                       i % 2,
                       {1.5, 1.6, 123.4530 + i * 1e-4, 89.5930, 45.678 + i * 1e-3, 45.6},
                       i % 10 == 0 ? QStringLiteral("再観測") : QString(),
                       {},
                       {},
                       {}};
            s.stationUtf8 = s.station.toUtf8();
            s.targetUtf8 = s.target.toUtf8();
            s.memoUtf8 = s.memo.toUtf8();
            made.push_back(std::move(s));
        }
        return made;
    }();
    return rows;
}

// A new database file with the empty notebook table.
QString NewNotebook(const QTemporaryDir& dir, int run) {
    const QString path = dir.filePath(QStringLiteral("notebook%1.mdb").arg(run));
    platform::TableDef table{kTable, {}, {}};
    table.AutoIncrement(QStringLiteral("ID"))
        .Field(kFields[0], platform::FieldType::Text, 16)
        .Field(kFields[1], platform::FieldType::Text, 16)
        .Field(kFields[2], platform::FieldType::Long)
        .Field(kFields[3], platform::FieldType::Long);
    for (int f = 4; f < 10; ++f) table.Field(kFields[f], platform::FieldType::Double);
    table.Field(kFields[10], platform::FieldType::Text, 40)
        .AllowZeroLength()
        .PrimaryIndex(QStringLiteral("ID"), QStringLiteral("ID"));
    platform::Database::Create(path)->CreateTable(table);
    return path;
}

void InsertThroughTheSeam(benchmark::State& state) {
    QTemporaryDir dir;
    const auto& rows = Sightings();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = platform::Database::Open(NewNotebook(dir, run++));
        state.ResumeTiming();
        db->BeginTrans();
        auto rs = db->OpenRecordset(kTable);
        for (const Sighting& s : rows) {
            rs->AddNew();
            rs->SetField(kFields[0], s.station);
            rs->SetField(kFields[1], s.target);
            rs->SetField(kFields[2], s.set);
            rs->SetField(kFields[3], s.face);
            for (int m = 0; m < 6; ++m) rs->SetField(kFields[4 + m], s.measures[m]);
            rs->SetField(kFields[10], s.memo);
            rs->Update();
        }
        db->CommitTrans();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(InsertThroughTheSeam)->Unit(benchmark::kMillisecond)->UseRealTime();

void BindText(sqlite3_stmt* stmt, int index, const QByteArray& text) {
    sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void InsertWithBareSqlite(benchmark::State& state) {
    QTemporaryDir dir;
    const auto& rows = Sightings();
    QStringList columns;
    for (const QString& field : kFields) columns << u'"' + field + u'"';
    const QByteArray insert =
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(kTable, columns.join(QStringLiteral(", ")))
            .toUtf8();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray path = NewNotebook(dir, run++).toUtf8();
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, insert.constData(), -1, &stmt, nullptr);
        for (const Sighting& s : rows) {
            BindText(stmt, 1, s.stationUtf8);
            BindText(stmt, 2, s.targetUtf8);
            sqlite3_bind_int(stmt, 3, s.set);
            sqlite3_bind_int(stmt, 4, s.face);
            for (int m = 0; m < 6; ++m) sqlite3_bind_double(stmt, 5 + m, s.measures[m]);
            BindText(stmt, 11, s.memoUtf8);
            if (sqlite3_step(stmt) != SQLITE_DONE) state.SkipWithError(sqlite3_errmsg(db));
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(InsertWithBareSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
