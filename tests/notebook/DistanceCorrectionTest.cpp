// Horizontal distances reduced to sea level and to the plane, and the sheet they fill.

#include <gtest/gtest.h>

#include "notebook/DistanceCorrection.h"
#include "notebook/NotebookDatabase.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

using notebook::CorrectionInputRow;
using notebook::CorrectionSheetRow;
using notebook::ElevationSource;
using notebook::ReductionRow;

ReductionRow Station(const QString& name, const QString& elevation) {
    ReductionRow row;
    row.station = name;
    row.stationElevation = elevation;
    return row;
}

ReductionRow Target(const QString& name, const QString& entered = {},
                    const QString& computed = {}) {
    ReductionRow row;
    row.target = name;
    row.elevation = entered;
    row.computedElevation = computed;
    return row;
}

notebook::CorrectionConditions Conditions(ElevationSource source, double k = 1.0, bool scale = true,
                                          std::optional<double> unknown = std::nullopt) {
    notebook::CorrectionConditions conditions;
    conditions.elevationSource = source;
    conditions.scaleFactor = k;
    conditions.scaleCorrection = scale;
    conditions.elevationWhenUnknown = unknown;
    return conditions;
}

// A sight with its distance from both faces, the first face and the second.
CorrectionInputRow Input(const QString& station, const QString& target, const QString& both,
                         const QString& first = QStringLiteral("*"),
                         const QString& second = QStringLiteral("*")) {
    CorrectionInputRow row;
    row.station = station;
    row.target = target;
    row.verticalAngle = QStringLiteral("1-02-03");
    row.verticalComponent = QStringLiteral("18.062");
    row.heightDifference = QStringLiteral("17.962");
    row.slopeDistance = QStringLiteral("1000.163");
    row.horizontalDistance = first;
    row.horizontalDistance2 = second;
    row.horizontalDistanceBoth = both;
    return row;
}

// FLD7 to FLD13: S, H, −c, S0, −d, k, S0 − d.
QStringList Results(const CorrectionSheetRow& row) {
    return {row.horizontalDistance, row.elevation,    row.seaLevel, row.reducedDistance, row.scale,
            row.scaleFactor,        row.planeDistance};
}

QStringList Texts(std::initializer_list<const char16_t*> texts) {
    QStringList list;
    for (const char16_t* text : texts) list.append(QString::fromUtf16(text));
    return list;
}

TEST(DistanceCorrectionTest, SeaLevelThenScaleFactorRoundedHalfAwayFromZero) {
    const struct {
        const char16_t* elevation;
        const char16_t* distance;
        double k;
        QStringList results;
    } cases[] = {
        {u"100.000", u"1000.000", 1.0,
         Texts(
             {u"1000.000", u"100.000", u"-0.016", u"999.984", u"0.000", u"1.000000", u"999.984"})},
        {u"100.000", u"1000.000", 0.9999,
         Texts(
             {u"1000.000", u"100.000", u"-0.016", u"999.984", u"-0.100", u"0.999900", u"999.884"})},
        // c is exactly 0.0025
        {u"15.925", u"1000.000", 1.0,
         Texts({u"1000.000", u"15.925", u"-0.003", u"999.997", u"0.000", u"1.000000", u"999.997"})},
        // below sea level the distance grows
        {u"-50.000", u"637.000", 1.0,
         Texts({u"637.000", u"-50.000", u"0.005", u"637.005", u"0.000", u"1.000000", u"637.005"})},
    };
    for (const auto& c : cases) {
        const QString elevation = QString::fromUtf16(c.elevation);
        const auto sheet = notebook::ComputeCorrectionSheet(
            {Input(QStringLiteral("A"), QStringLiteral("B"), QString::fromUtf16(c.distance))},
            {Station(QStringLiteral("A"), elevation), Target(QStringLiteral("B"))},
            Conditions(ElevationSource::Registered, c.k));
        ASSERT_EQ(sheet.size(), 1u);
        EXPECT_EQ(Results(sheet[0]), c.results) << elevation.toStdString() << " k " << c.k;
    }
    // Without the correction to the plane the scale factor the user keeps is not applied.
    const auto sheet = notebook::ComputeCorrectionSheet(
        {Input(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1000.000"))},
        {Station(QStringLiteral("A"), QStringLiteral("100.000")), Target(QStringLiteral("B"))},
        Conditions(ElevationSource::Registered, 0.9999, false));
    EXPECT_EQ(Results(sheet.at(0)), cases[0].results);
}

TEST(DistanceCorrectionTest, DistanceComesFromBothFacesElseTheFirstElseTheSecond) {
    const QString a = QStringLiteral("A");
    const QString b = QStringLiteral("B");
    const auto sheet = notebook::ComputeCorrectionSheet(
        {Input(a, b, QStringLiteral("300.000"), QStringLiteral("301.000"),
               QStringLiteral("302.000")),
         Input(a, b, QStringLiteral("*"), QStringLiteral("500.000"), QStringLiteral("502.000")),
         Input(a, b, QStringLiteral("*"), QStringLiteral("*"), QStringLiteral("400.000")),
         Input(a, b, QStringLiteral("*"))},
        {Station(a, QStringLiteral("0")), Target(b)}, {});
    ASSERT_EQ(sheet.size(), 4u);
    EXPECT_EQ((QStringList{sheet[0].planeDistance, sheet[1].planeDistance, sheet[2].horizontalDistance,
                           sheet[2].planeDistance}),
              Texts({u"300.000", u"500.000", u"400.000", u"400.000"}));

    const CorrectionSheetRow& none = sheet[3];  // passed through as it came
    EXPECT_EQ((QStringList{none.station, none.target, none.verticalAngle, none.verticalComponent,
                           none.heightDifference, none.slopeDistance}),
              Texts({u"A", u"B", u"1-02-03", u"18.062", u"17.962", u"1000.163"}));
    EXPECT_EQ(Results(none), Texts({u"*", u"", u"", u"", u"", u"", u""}));
}

TEST(DistanceCorrectionTest, ElevationIsTheStationsOrTheMeanWithTheTargets) {
    const std::vector<ReductionRow> reduction = {
        Station(QStringLiteral("A"), QStringLiteral("100.000")),
        Target(QStringLiteral("B"), {}, QStringLiteral("110.000")),
        Target(QStringLiteral("C"), QStringLiteral("120.000"), QStringLiteral("110.000")),
        Target(QStringLiteral("D")),
        Station(QStringLiteral("E"), QStringLiteral("*")),
        Target(QStringLiteral("F"), {}, QStringLiteral("50.000")),
    };
    const std::vector<CorrectionInputRow> input = {
        Input(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("10.000")),
        Input(QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("10.000")),
        Input(QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("10.000")),
        Input(QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("10.000")),
        Input(QStringLiteral("A"), QStringLiteral("F"),
              QStringLiteral("10.000")),  // not A's target
    };
    const struct {
        notebook::CorrectionConditions conditions;
        QStringList elevations;
    } cases[] = {
        {Conditions(ElevationSource::Registered), Texts({u"100.000", u"100.000", u"100.000", u"", u""})},
        // A station without a registered elevation takes the one the user gave for such.
        {Conditions(ElevationSource::Registered, 1.0, true, 30.0), Texts({u"100.000", u"100.000", u"100.000", u"30.000", u""})},
        {Conditions(ElevationSource::Computed, 1.0, true, 30.0), Texts({u"105.000", u"110.000", u"100.000", u"50.000", u""})},
    };
    for (const auto& c : cases) {
        QStringList elevations;
        for (const CorrectionSheetRow& row : notebook::ComputeCorrectionSheet(input, reduction, c.conditions))
            elevations.append(row.elevation);
        EXPECT_EQ(elevations, c.elevations) << elevations.join(u'|').toStdString();
    }
}

TEST(DistanceCorrectionTest, AStationObservedTwiceGivesEachSightItsOwnOccurrence) {
    const QString a = QStringLiteral("A");
    const QString b = QStringLiteral("B");
    const auto sheet = notebook::ComputeCorrectionSheet(
        {Input(a, b, QStringLiteral("10.000")), Input(a, b, QStringLiteral("10.000")),
         Input(a, b, QStringLiteral("10.000"))},
        {Station(a, QStringLiteral("10.000")), Target(b), Station(a, QStringLiteral("20.000")),
         Target(b)},
        {});
    ASSERT_EQ(sheet.size(), 3u);
    // The third sight: no occurrence follows, the first again.
    EXPECT_EQ((QStringList{sheet[0].elevation, sheet[1].elevation, sheet[2].elevation}),
              Texts({u"10.000", u"20.000", u"10.000"}));
}

class DistanceCorrectionFileTest : public testing::Test {
  protected:
    void SetUp() override {
        path_ = notebook::CreateNotebookDatabase(test::NewFolder(QStringLiteral("hosei")));
        db_ = platform::Database::Open(path_);
        db_->Execute(QStringLiteral("INSERT INTO テーブル4 (KIKAITEN, KIKAIH) VALUES (?, ?)"),
                     {QStringLiteral("基準点１"), QStringLiteral("100.000")});
        db_->Execute(QStringLiteral("INSERT INTO テーブル4 (SIJUNTEN) VALUES (?)"),
                     {QStringLiteral("O'Neil \"1\"")});
        db_->Execute(
            QStringLiteral("INSERT INTO KYORIHOSEI_ (FLD1, FLD2, \"FLD+7\") VALUES (?, ?, ?)"),
            {QStringLiteral("基準点１"), QStringLiteral("O'Neil \"1\""),
             QStringLiteral("1000.000")});
        db_->Execute(QStringLiteral("INSERT INTO KYORIHOSEI (FLD1) VALUES (?)"),
                     {QStringLiteral("old")});
    }
    QStringList SheetColumn(const QString& field) {
        QStringList texts;
        auto rows = db_->OpenRecordset(QStringLiteral("SELECT * FROM KYORIHOSEI ORDER BY ID"));
        for (; !rows->Eof(); rows->MoveNext()) texts.append(rows->Field(field).toString());
        return texts;
    }
    QString path_;
    std::shared_ptr<platform::Database> db_;
};

TEST_F(DistanceCorrectionFileTest, TheSheetIsReplacedByTheCorrectedDistances) {
    ASSERT_TRUE(notebook::RunDistanceCorrection(path_, Conditions(ElevationSource::Registered, 0.9999)));
    EXPECT_EQ(SheetColumn(u"FLD1"_qs) + SheetColumn(u"FLD2"_qs) + SheetColumn(u"FLD9"_qs) + SheetColumn(u"FLD13"_qs),
              Texts({u"基準点１", u"O'Neil \"1\"", u"-0.016", u"999.884"}));
}

TEST_F(DistanceCorrectionFileTest, ASheetThatCannotBeWrittenLeavesTheOldOne) {
    db_->Execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON KYORIHOSEI "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_FALSE(notebook::RunDistanceCorrection(path_, {}));
    EXPECT_EQ(SheetColumn(QStringLiteral("FLD1")), QStringList{QStringLiteral("old")});
}

}  // namespace
