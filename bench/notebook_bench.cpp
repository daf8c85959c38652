// The notebook reduction of a generated 20,000-station field book (two sets of six
// directions, zenith angles and two distance readings each), beside a bare sqlite3 loop
// that inserts the same rows into the same tables: that loop is the limit, and the
// reduction aims at twice it.
// Run: TMPDIR=/dev/shm build/bench/bench_notebook   (files go to $TMPDIR)

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QTemporaryDir>
#include <QVariant>
#include <vector>

#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "platform/Database.h"

namespace {

constexpr int kStations = 20000;
constexpr int kDirections = 6;

QString Packed(qint64 seconds) {
    seconds = (seconds % 1296000 + 1296000) % 1296000;
    return QString::number(seconds / 3600) + u'.' + QString::number(seconds / 60 % 60).rightJustified(2, u'0') +
           QString::number(seconds % 60).rightJustified(2, u'0');
}

const QStringList& FieldBook() {
    static const QStringList lines = [] {
        QStringList made{QStringLiteral("A,01,"), QStringLiteral("B,HEAD,TC1800,123456,YAMADA,26/12/07,,,,"),
                         QStringLiteral("C,1,2,15,1013,0,1,")};
        struct Row {
            QChar face;
            int set;
            qint64 offset;
        };
        const Row rows[] = {{u'r', 1, 0}, {u'l', 1, 648000}, {u'l', 2, 972000}, {u'r', 2, 324000}};
        for (int st = 0; st < kStations; ++st) {
            made << QStringLiteral("D,S%1,,1.500,0,2121006,09:30,10:05,").arg(st) << QStringLiteral("E,0,");
            for (const Row& row : rows)
                for (int t = 0; t < kDirections; ++t) {
                    const qint64 h = (st * 7919 + t * 201731) % 1296000 + row.offset + (st + t) % 5 - 2;
                    const qint64 zenith = 300000 + (st * 31 + t * 977) % 40000;
                    const qint64 v = row.face == u'l' ? 1296000 - zenith + 3 : zenith;
                    const double d = 100 + t * 10 + (st % 1000) * 0.001;
                    made << QStringLiteral("F,T%1,,1.600,%2%3%4,%5,%6,%7,%8,,,000,")
                                .arg(t + 1)
                                .arg(row.face)
                                .arg(row.set)
                                .arg(t + 1, 3, 10, QChar(u'0'))
                                .arg(Packed(h), Packed(v), QString::number(d, 'f', 3), QString::number(d + 0.002, 'f', 3));
                }
        }
        made << QStringLiteral("Z,");
        return made;
    }();
    return lines;
}

// Every row the reduction writes, kept as the text of its fields.
struct RowsKept : notebook::NotebookOutput {
    std::vector<std::vector<QString>> data, headers, reduction, correction;
    void Line(const QString&) override {}
    void Data(const notebook::DataRow& row) override {
        data.emplace_back(row.fields.begin(), row.fields.end());
        data.back()[0] = QString::number(row.id);
    }
    void Header(const notebook::HeaderRow& row) override {
        headers.emplace_back(row.fields.begin(), row.fields.end());
        headers.back()[0] = QString::number(row.id);
    }
    void Reduction(const notebook::ReductionRow& r) override {
        reduction.push_back({QString::number(*r.type), r.station, r.instrumentHeight, r.stationElevation, r.elevation,
                             r.target, r.verticalAngle, r.slopeDistance, r.horizontalDistance, r.targetHeight,
                             r.heightDifference, r.computedElevation,
                             r.lookUpCode ? QString::number(*r.lookUpCode) : QString(), r.direction, r.memo,
                             r.direction2});
    }
    void CorrectionInput(const notebook::CorrectionInputRow& c) override {
        correction.push_back({c.station, c.target, c.verticalAngle, c.verticalComponent, c.heightDifference,
                              c.slopeDistance, c.horizontalDistance, c.verticalComponent2, c.heightDifference2,
                              c.horizontalDistance2, c.horizontalDistanceBoth});
    }
};

struct NullOutput : notebook::NotebookOutput {
    void Line(const QString&) override {}
    void Data(const notebook::DataRow&) override {}
    void Header(const notebook::HeaderRow&) override {}
    void Reduction(const notebook::ReductionRow&) override {}
    void CorrectionInput(const notebook::CorrectionInputRow&) override {}
};

void ReduceOnly(benchmark::State& state) {
    const QStringList& lines = FieldBook();
    for (auto _ : state) {
        NullOutput out;
        benchmark::DoNotOptimize(notebook::ReduceFieldBook(lines, {}, out).lines);
    }
}
BENCHMARK(ReduceOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BuildNotebook(benchmark::State& state) {
    const QStringList& lines = FieldBook();
    QTemporaryDir dir;
    for (auto _ : state) benchmark::DoNotOptimize(notebook::BuildObservationNotebook(lines, {}, dir.path()));
}
BENCHMARK(BuildNotebook)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same rows by prepared inserts of all their columns, texts bound as UTF-8, empty ones
// as Null: what SQLite itself needs for the database's part of the run.
void InsertRows(sqlite3* db, const QString& table, const QStringList& columns,
                const std::vector<std::vector<QString>>& rows) {
    QStringList quoted, marks;
    for (const QString& c : columns) {
        quoted << u'"' + c + u'"';
        marks << QStringLiteral("?");
    }
    const QByteArray sql = (QStringLiteral("INSERT INTO \"") + table + QStringLiteral("\" (") + quoted.join(u',') +
                            QStringLiteral(") VALUES (") + marks.join(u',') + u')')
                               .toUtf8();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (row[i].isEmpty()) {
                sqlite3_bind_null(stmt, static_cast<int>(i + 1));
                continue;
            }
            const QByteArray text = row[i].toUtf8();
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}

QStringList Numbered(const QString& prefix, int count) {
    QStringList names{QStringLiteral("ID")};
    for (int i = 1; i <= count; ++i) names << prefix + QString::number(i);
    return names;
}

void BareInsertOfTheSameRows(benchmark::State& state) {
    RowsKept rows;
    notebook::ReduceFieldBook(FieldBook(), {}, rows);
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = notebook::CreateNotebookDatabase(dir.path());
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        InsertRows(db, QStringLiteral("DATA"), Numbered(QStringLiteral("FLD"), 22), rows.data);
        InsertRows(db, QStringLiteral("HEDDER"), Numbered(QStringLiteral("FLD"), 16), rows.headers);
        InsertRows(db, QStringLiteral("テーブル4"),
                   {QStringLiteral("TYPE"), QStringLiteral("KIKAITEN"), QStringLiteral("IH"), QStringLiteral("KIKAIH"),
                    QStringLiteral("H"), QStringLiteral("SIJUNTEN"), QStringLiteral("VANG"), QStringLiteral("SOKUDIS"),
                    QStringLiteral("CULCDIS"), QStringLiteral("FH"), QStringLiteral("DH"), QStringLiteral("CULCH"),
                    QStringLiteral("READH"), QStringLiteral("HANG"), QStringLiteral("メモ"), QStringLiteral("HANG2")},
                   rows.reduction);
        InsertRows(db, QStringLiteral("KYORIHOSEI_"),
                   {QStringLiteral("FLD1"), QStringLiteral("FLD2"), QStringLiteral("FLD3"), QStringLiteral("FLD4"),
                    QStringLiteral("FLD5"), QStringLiteral("FLD6"), QStringLiteral("FLD7"), QStringLiteral("FLD-4"),
                    QStringLiteral("FLD-5"), QStringLiteral("FLD-7"), QStringLiteral("FLD+7")},
                   rows.correction);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
    state.counters["rows"] = static_cast<double>(rows.data.size() + rows.headers.size() + rows.reduction.size() +
                                                 rows.correction.size());
}
BENCHMARK(BareInsertOfTheSameRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
