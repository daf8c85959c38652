#include <QFile>
#include <cmath>
#include <cstdlib>
#include <sqlite3.h>
#include <vector>

#include "plotmere/geodesy/GeoidGrid.h"

// The grid file is read whole and parsed as numbers separated by white space: the layout
// puts 28 values on a line and starts every row on a new line, but counting the values
// is what makes a file whole.

namespace plotmere {
namespace {

constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;  // the national file is about 20 MB

// The next number from `at`; NaN for a field that is no number; false at the end.
bool NextNumber(const char*& at, const char* end, double& value) {
    while (at < end && (*at == ' ' || *at == '\t' || *at == '\r' || *at == '\n')) ++at;
    if (at >= end) return false;
    char* stop = nullptr;
    value = std::strtod(at, &stop);
    if (stop == at || (stop < end && !(*stop == ' ' || *stop == '\t' || *stop == '\r' || *stop == '\n'))) {
        value = NAN;
        return true;
    }
    at = stop;
    return true;
}

QString HeaderFault(const QByteArray& header) {
    const QList<QByteArray> f = header.simplified().split(' ');
    if (f.size() < 6) return QStringLiteral("見出しの行に南端・西端・間隔・行数・列数がありません。");
    bool ok[6];
    const double south = f[0].toDouble(&ok[0]), west = f[1].toDouble(&ok[1]), dLat = f[2].toDouble(&ok[2]),
                 dLon = f[3].toDouble(&ok[3]);
    const int rows = f[4].toInt(&ok[4]), columns = f[5].toInt(&ok[5]);
    for (bool b : ok)
        if (!b) return QStringLiteral("見出しの行が読めません: ") + QString::fromLatin1(header.trimmed());
    if (south != kGridSouth || west != kGridWest || std::fabs(dLat - kRowStep) > 1e-5 || std::fabs(dLon - kColumnStep) > 1e-9 ||
        rows != kLastRow + 1 || columns != kLastColumn + 1)
        return QStringLiteral("全国のジオイド格子（20°N 120°E から 1′×1.5′、1801 行 1201 列）ではありません: ") +
               QString::fromLatin1(header.trimmed());
    return {};
}

QString Store(const std::vector<float>& heights, const QString& database) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("データベースを開けません: ") + database;
    }
    sqlite3_stmt* insert = nullptr;
    const auto fail = [&](const char* what) {
        const QString told = QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(insert);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return told;
    };
    if (sqlite3_exec(db, "BEGIN; DROP TABLE IF EXISTS H; CREATE TABLE H (ID INTEGER PRIMARY KEY, H REAL NOT NULL);",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail("create");
    if (sqlite3_prepare_v2(db, "INSERT INTO H (ID, H) VALUES (?, ?)", -1, &insert, nullptr) != SQLITE_OK) return fail("prepare");
    for (size_t i = 0; i < heights.size(); ++i) {
        if (heights[i] == kNoHeight) continue;
        const int row = static_cast<int>(i / (kLastColumn + 1));
        const int column = static_cast<int>(i % (kLastColumn + 1));
        sqlite3_bind_int(insert, 1, NodeId(row, column));
        sqlite3_bind_double(insert, 2, heights[i]);
        if (sqlite3_step(insert) != SQLITE_DONE) return fail("insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    insert = nullptr;
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) return fail("commit");
    sqlite3_close(db);
    return {};
}

}  // namespace

QString ImportGeoidGrid(const QString& asciiFile, const QString& database) {
    QFile file(asciiFile);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("格子ファイルを読めません: ") + asciiFile;
    if (file.size() > kMaxFileBytes) return QStringLiteral("格子ファイルが大きすぎます: ") + asciiFile;
    const QByteArray bytes = file.readAll();
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QByteArray header = bytes.left(lineEnd < 0 ? bytes.size() : lineEnd);
    if (const QString fault = HeaderFault(header); !fault.isEmpty()) return fault;
    const size_t expected = static_cast<size_t>(kLastRow + 1) * (kLastColumn + 1);
    std::vector<float> heights;
    heights.reserve(expected);
    const char* at = bytes.constData() + header.size();
    const char* end = bytes.constData() + bytes.size();
    double value = 0;
    while (NextNumber(at, end, value)) {
        if (!std::isfinite(value))
            return QStringLiteral("数でない値があります（") + QString::number(heights.size() + 1) + QStringLiteral(" 番目）。");
        if (heights.size() == expected)
            return QStringLiteral("値が多すぎます（") + QString::number(expected) + QStringLiteral(" 個のはず）。");
        heights.push_back(static_cast<float>(value));
    }
    if (heights.size() != expected)
        return QStringLiteral("値が ") + QString::number(heights.size()) + QStringLiteral(" 個です（") +
               QString::number(expected) + QStringLiteral(" 個のはず）。");
    return Store(heights, database);
}

}  // namespace plotmere
