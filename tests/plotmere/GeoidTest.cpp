// The geoid table from a generated national-layout grid: heights that encode their row and
// column (an exactly bilinear field), holes of 999, and look-ups on nodes, grid lines, cells,
// next to holes and at the edges; a file replaced on disk is seen by the next call, and a
// grid file whose header or count is wrong is refused with the table left as it was.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "plotmere/geodesy/GeoidGrid.h"
#include "plotmere/geodesy/clsGeoid.h"

namespace {

using namespace plotmere;

double Field(double row, double column) { return 10 + 0.01 * row + 0.001 * column + 0.0001 * row * column; }

// Holes: the south-west corner, as in the national model, and one node inside.
bool Hole(int row, int column) { return (row == 0 && column == 0) || (row == 600 && column == 400); }

QByteArray GridFile(const QByteArray& header, int values = (kLastRow + 1) * (kLastColumn + 1)) {
    QByteArray text = header + "\r\n";
    text.reserve(22 * 1024 * 1024);
    char field[16];
    int written = 0;
    for (int row = 0; row <= kLastRow && written < values; ++row) {
        for (int column = 0; column <= kLastColumn && written < values; ++column, ++written) {
            std::snprintf(field, sizeof field, "%9.4f", Hole(row, column) ? 999.0 : Field(row, column));
            text += field;
            if (column % 28 == 27 || column == kLastColumn) text += "\r\n";
        }
    }
    return text;
}

const QByteArray kHeader = "  20.00000 120.00000 0.016667 0.025000 1801 1201 1  ver2.2";

// Packed dd·10000 + mm·100 + ss.sss of a number of minutes beyond a whole degree.
double Packed(double degrees, double minutes) {
    const double whole = std::floor(minutes);
    return (degrees + std::floor(whole / 60)) * 10000 + std::fmod(whole, 60) * 100 + (minutes - whole) * 60;
}
// Of a grid position; rows and columns may be fractional.
double PackedLat(double row) { return Packed(20, row); }
double PackedLon(double column) { return Packed(120, column * 1.5); }

class GeoidTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new QTemporaryDir;
        QFile file(folder_->filePath(QStringLiteral("grid.asc")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GridFile(kHeader));
        file.close();
        ASSERT_EQ(ImportGeoidGrid(file.fileName(), folder_->filePath(QStringLiteral("GeoidTbl.mdb"))), QString());
    }
    static void TearDownTestSuite() { delete folder_; }
    float At(double row, double column) {
        return geoid_.CalcGeoHt(PackedLat(row), PackedLon(column), folder_->path(), QString(), QString());
    }

    static QTemporaryDir* folder_;
    clsGeoid geoid_;
};

QTemporaryDir* GeoidTest::folder_ = nullptr;

TEST_F(GeoidTest, NodesLinesAndCells) {
    EXPECT_NEAR(At(100, 200), Field(100, 200), 1e-4);  // a node is its own value
    EXPECT_NEAR(At(kLastRow, kLastColumn), Field(kLastRow, kLastColumn), 1e-4);  // the north-east node is inside
    EXPECT_NEAR(At(100, 200.5), Field(100, 200.5), 1e-4);  // on a row line
    EXPECT_NEAR(At(100.25, 200), Field(100.25, 200), 1e-4);  // on a column line
    EXPECT_NEAR(At(100.25, 200.5), Field(100.25, 200.5), 1e-4);  // inside a cell
    EXPECT_NEAR(At(kLastRow - 0.5, 3.2), Field(kLastRow - 0.5, 3.2), 1e-4);  // far north: the exact 1′ spacing
}

TEST_F(GeoidTest, HolesAndTheEdges) {
    EXPECT_EQ(At(0, 0), kNoHeight);            // the south-west corner has none
    EXPECT_EQ(At(600.5, 399.5), kNoHeight);    // a cell next to a hole
    EXPECT_EQ(At(600, 399.5), kNoHeight);      // a row line to the hole
    EXPECT_NEAR(At(601, 400), Field(601, 400), 1e-4);  // the node beside it has its value
    EXPECT_EQ(geoid_.CalcGeoHt(195959.9, 1300000, folder_->path(), {}, {}), kNoHeight);  // just south of 20°N
    EXPECT_EQ(geoid_.CalcGeoHt(300000, 1195959.9, folder_->path(), {}, {}), kNoHeight);  // just west of 120°E
    EXPECT_EQ(geoid_.CalcGeoHt(500000.1, 1300000, folder_->path(), {}, {}), kNoHeight);  // north of 50°N
    EXPECT_EQ(geoid_.CalcGeoHt(300000, 1300000, QStringLiteral("/nowhere"), {}, {}), kNoHeight);
}

// The table held open between calls gives way to a file put in its place.
TEST_F(GeoidTest, AReplacedFileIsSeen) {
    const QString table = folder_->filePath(QStringLiteral("GeoidTbl.mdb"));
    const QString other = folder_->filePath(QStringLiteral("other"));
    QDir().mkpath(other);
    ASSERT_TRUE(QFile::copy(table, other + QStringLiteral("/GeoidTbl.mdb")));
    EXPECT_NEAR(geoid_.CalcGeoHt(PackedLat(10), PackedLon(10), other, {}, {}), Field(10, 10), 1e-4);
    const QString changed = folder_->filePath(QStringLiteral("changed.mdb"));
    ASSERT_TRUE(QFile::copy(table, changed));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(changed).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE H SET H = 1.5 WHERE ID = 100010", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(::rename(QFile::encodeName(changed).constData(), QFile::encodeName(other + QStringLiteral("/GeoidTbl.mdb")).constData()), 0);
    EXPECT_NEAR(geoid_.CalcGeoHt(PackedLat(10), PackedLon(10), other, {}, {}), 1.5, 1e-6);
}

TEST_F(GeoidTest, BadGridFilesAreRefused) {
    const QString database = folder_->filePath(QStringLiteral("GeoidTbl.mdb"));
    const QString bad = folder_->filePath(QStringLiteral("bad.asc"));
    const auto importing = [&](const QByteArray& bytes) {
        QFile file(bad);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return ImportGeoidGrid(bad, database);
    };
    EXPECT_FALSE(importing("  20.00000 120.00000 0.016667 0.025000 1801 1202 1  ver2.2\r\n1.0\r\n").isEmpty());
    EXPECT_FALSE(importing("not a header\r\n").isEmpty());
    EXPECT_TRUE(importing(GridFile(kHeader, 1000)).contains(QStringLiteral("1000")));
    EXPECT_NEAR(At(100, 200), Field(100, 200), 1e-4);  // the table is as it was
}

}  // namespace
