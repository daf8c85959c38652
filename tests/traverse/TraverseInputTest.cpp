#include <gtest/gtest.h>

#include <QHash>

#include "calcstore/clsCoord.h"
#include "traverse/CalculationInput.h"
#include "traverse/CalculationKinds.h"
#include "traverse/TraverseSelection.h"

using namespace traverse;

namespace {

const double kNoHeight = calcstore::clsCoord::NoHeight();

notebook::ReductionRow Station(const QString& name, const QString& elevation = {}) {
    notebook::ReductionRow row;
    row.station = name;
    row.lookUpCode = -100000;
    row.stationElevation = elevation;
    return row;
}

notebook::ReductionRow Target(const QString& name, const QString& direction, const QString& slope = {},
                              const QString& horizontal = {}, const QString& difference = {},
                              const QString& elevation = {}) {
    notebook::ReductionRow row;
    row.target = name;
    row.direction = direction;
    row.verticalAngle = QStringLiteral("89-59-30");
    row.slopeDistance = slope;
    row.horizontalDistance = horizontal;
    row.heightDifference = difference;
    row.computedElevation = elevation;
    return row;
}

// A closed loop T1 → T2 → N1 → T4 → T1, each station backsighting the one before; from T2
// two side shots, one to a district point (K1), one to a new point (杭1) whose distance is
// only in the correction sheet. T4 was observed without sets: its directions are circle
// readings and its backsight reads 10°.
notebook::TraverseSource ClosedLoop() {
    notebook::TraverseSource s;
    s.reduction = {
        Station(QStringLiteral("T1"), QStringLiteral("45.210")),
        Target(QStringLiteral("T4"), QStringLiteral("0-00-00"), QStringLiteral("106.452"), QStringLiteral("106.450")),
        Target(QStringLiteral("T2"), QStringLiteral("91-23-15"), QStringLiteral("110.063"), QStringLiteral("110.062"),
               QStringLiteral("-0.338"), QStringLiteral("44.872")),
        Station(QStringLiteral("T2")),
        Target(QStringLiteral("T1"), QStringLiteral("0-00-00"), QStringLiteral("110.063")),
        Target(QStringLiteral("N1"), QStringLiteral("88-47-02"), QStringLiteral("106.452"), QStringLiteral("106.451"),
               QStringLiteral("-0.767")),
        Target(QStringLiteral("K1"), QStringLiteral("300-10-20"), QStringLiteral("18.230"), QStringLiteral("18.200")),
        Target(QStringLiteral("杭1"), QStringLiteral("12-34-56")),
        Station(QStringLiteral("N1")),
        Target(QStringLiteral("T2"), QStringLiteral("0-00-00"), QStringLiteral("106.452")),
        Target(QStringLiteral("T4"), QStringLiteral("90-12-54"), QStringLiteral("104.117"), QStringLiteral("104.100"),
               QStringLiteral("-0.107")),
        Station(QStringLiteral("T4")),
        Target(QStringLiteral("N1"), QStringLiteral("10-00-00")),
        Target(QStringLiteral("T1"), QStringLiteral("99-57-29"), QStringLiteral("96.012"), QStringLiteral("96.010"),
               QStringLiteral("1.212")),
    };
    notebook::CorrectionSheetRow sheet;
    sheet.station = QStringLiteral("T2");
    sheet.target = QStringLiteral("杭1");
    sheet.planeDistance = QStringLiteral("23.456");
    s.sheet = {sheet};
    return s;
}

// Grid rows of the loop's foresights and T2's side shots.
const std::vector<int> kChecked = {1, 3, 4, 5, 7, 9};

DistrictMatch District(const QString& name) {
    static const QHash<QString, DistrictMatch> points = {
        {QStringLiteral("T1"), {1, -35012.345, -8123.456, true, 45.210}},
        {QStringLiteral("T2"), {2, -35098.721, -8055.903, true, 44.872}},
        {QStringLiteral("T4"), {4, -35121.558, -7871.640, true, std::nullopt}},
        // Recorded by name and height only: reused, but its position is to be determined.
        {QStringLiteral("K1"), {13, 0, 0, false, 46.702}},
    };
    return points.value(name);
}

struct Built {
    std::vector<TraverseRow> rows;
    CalculationInput input;
};

Built Build(int type, bool zero = true, bool overwrite = true, bool elevations = false) {
    Built b;
    b.rows = TraverseRows(ClosedLoop());
    clsTrb traverse;
    const auto stations = AssembleTraverse(traverse, b.rows, kChecked);
    ResolvePoints(traverse, District, overwrite);
    const TraverseOptions options{zero, type, elevations, overwrite};
    b.input = BuildCalculationInput(traverse, b.rows, stations, options,
                                    {QStringLiteral("閉合"), QStringLiteral("LOOP.APA")});
    return b;
}

QList<qint32> Types(const std::vector<InputValue>& values) {
    QList<qint32> types;
    for (const InputValue& v : values) types << v.type;
    return types;
}

QVariantList Values(const std::vector<InputValue>& values) {
    QVariantList list;
    for (const InputValue& v : values) list << v.value;
    return list;
}

}  // namespace

TEST(TraverseRows, OneRowPerTargetUnderItsStation) {
    const auto rows = TraverseRows(ClosedLoop());
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[4].station, QStringLiteral("T2"));
    EXPECT_EQ(rows[4].target, QStringLiteral("K1"));
    EXPECT_EQ(rows[4].distance, QStringLiteral("18.230"));
    EXPECT_FALSE(rows[4].corrected);
    EXPECT_EQ(GroupFirstRow(rows, 5), 2);
    EXPECT_EQ(GroupFirstRow(rows, 0), 0);
}

// A distance only the correction sheet gives is horizontal: level sight, no height difference.
TEST(TraverseRows, DistanceFromTheCorrectionSheet) {
    const auto rows = TraverseRows(ClosedLoop());
    const TraverseRow& row = rows[5];
    EXPECT_TRUE(row.corrected);
    EXPECT_EQ(row.distance, QStringLiteral("23.456"));
    EXPECT_EQ(row.horizontalDistance, QStringLiteral("23.456"));
    EXPECT_EQ(row.verticalAngle, QStringLiteral("90-00-00"));
    EXPECT_TRUE(row.heightDifference.isEmpty());
}

TEST(TraverseRows, SheetDoesNotReplaceAMeasuredDistanceNorMatchAnotherStation) {
    notebook::TraverseSource source = ClosedLoop();
    source.sheet.front().target = QStringLiteral("K1");  // K1 has its own distance
    notebook::CorrectionSheetRow other;
    other.station = QStringLiteral("T1");
    other.target = QStringLiteral("杭1");
    other.planeDistance = QStringLiteral("5.000");
    source.sheet.push_back(other);
    const auto rows = TraverseRows(source);
    EXPECT_EQ(rows[4].distance, QStringLiteral("18.230"));
    EXPECT_FALSE(rows[5].corrected);
    EXPECT_TRUE(rows[5].distance.isEmpty());
}

// Stations and backsights are always the district's points; a point only sighted is
// reused when its coordinates may be overwritten, and made anew otherwise.
TEST(TraverseAssembly, PointsResolvedOrProvisional) {
    const auto rows = TraverseRows(ClosedLoop());
    for (bool overwrite : {true, false}) {
        clsTrb traverse;
        const auto stations = AssembleTraverse(traverse, rows, {9, 7, 1, 3, 4, 5, 1});
        ResolvePoints(traverse, District, overwrite);
        ASSERT_EQ(traverse.Count(), 4);
        ASSERT_EQ(stations.size(), 4u);
        EXPECT_EQ(stations[1].backsight, 2);
        EXPECT_EQ(stations[1].sights, (std::vector<int>{3, 4, 5}));
        QStringList table;
        for (int i = 1; i <= traverse.TenCount(); ++i)
            table << traverse.TenName(i) + u'=' + QString::number(traverse.TenID(i));
        EXPECT_EQ(table.join(u' '), overwrite ? QStringLiteral("T1=1 T4=4 T2=2 N1=-1 K1=13 杭1=-2")
                                              : QStringLiteral("T1=1 T4=4 T2=2 N1=-1 K1=-2 杭1=-3"));
        EXPECT_EQ(traverse.TenZ(2), kNoHeight);
        EXPECT_EQ(traverse.StHyoukou(1), QStringLiteral("45.210"));
        EXPECT_EQ(traverse.StHyoukou(3), QStringLiteral("44.872"));
    }
}

TEST(TraverseAssembly, SelectionChecks) {
    const auto rows = TraverseRows(ClosedLoop());
    EXPECT_EQ(CheckSelection(rows, {1, 3}), SelectionFault::TooFewRows);
    EXPECT_EQ(CheckSelection(rows, {}), SelectionFault::TooFewRows);
    EXPECT_EQ(CheckSelection(rows, {1, 3, 4}), SelectionFault::None);
    auto blank = rows;
    blank[3].target = QStringLiteral("  ");
    EXPECT_EQ(CheckSelection(blank, {1, 3, 4}), SelectionFault::BlankName);
    blank[3].target = QStringLiteral("N1");
    blank[0].station.clear();
    EXPECT_EQ(CheckSelection(blank, {0, 3, 4}), SelectionFault::BlankName);
}

// The closed traverse: route first (the angles read from each backsight), then side shots.
TEST(CalculationInputs, ClosedTraverse) {
    const Built b = Build(4);
    const CalculationInput& in = b.input;
    EXPECT_EQ(in.calcNo, 7);
    EXPECT_EQ(Types(in.parameters), (QList<qint32>{3, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 2, 2, 2}));
    const QVariantList p = Values(in.parameters);
    EXPECT_EQ(p[0].toInt(), 1);
    EXPECT_EQ(p[1].toDouble(), kNotGiven);
    EXPECT_DOUBLE_EQ(p[2].toDouble(), -35012.345);
    EXPECT_DOUBLE_EQ(p[4].toDouble(), 45.210);
    EXPECT_DOUBLE_EQ(p[5].toDouble(), -35121.558);
    EXPECT_EQ(p[7].toDouble(), kNotGiven);  // T4 has no height in the district
    EXPECT_EQ(p[8].toInt(), 4);
    EXPECT_EQ(p[9].toInt(), 4);
    EXPECT_EQ(p[10].toInt(), 2);
    EXPECT_NEAR(p[11].toDouble(), 110.062 + 106.451 + 104.100 + 96.010, 1e-9);
    EXPECT_NEAR(p[12].toDouble(), 360.204, 1e-9);  // 91-23-15 + 88-47-02 + 90-12-54 + 89-57-29
    EXPECT_NEAR(p[13].toDouble(), -0.338 - 0.767 - 0.107 + 1.212, 1e-9);
    EXPECT_EQ(in.columns, (std::vector<qint32>{5, 5, 2, 2, 2, 2, 2}));
    ASSERT_EQ(in.rows.size(), kChecked.size());
    const QStringList route = {QStringLiteral("1>2"), QStringLiteral("2>-1"), QStringLiteral("-1>4"),
                               QStringLiteral("4>1"), QStringLiteral("2>13"), QStringLiteral("2>-2")};
    for (size_t i = 0; i < in.rows.size(); ++i)
        EXPECT_EQ(in.rows[i][0].toString() + u'>' + in.rows[i][1].toString(), route[static_cast<qsizetype>(i)]);
    EXPECT_NEAR(in.rows[3][2].toDouble(), 89.5729, 1e-9);  // 99-57-29 from a backsight at 10°
    EXPECT_NEAR(in.rows[0][3].toDouble(), 110.062, 1e-9);
    EXPECT_NEAR(in.rows[0][4].toDouble(), -0.338, 1e-9);
    EXPECT_NEAR(in.rows[0][5].toDouble(), 89.5930, 1e-9);
    EXPECT_NEAR(in.rows[0][6].toDouble(), 110.063, 1e-9);
    // The side shot measured only in the correction sheet: level, its distance twice.
    EXPECT_NEAR(in.rows[5][5].toDouble(), 90.0, 1e-9);
    EXPECT_NEAR(in.rows[5][3].toDouble(), 23.456, 1e-9);
    EXPECT_EQ(in.rows[5][4].toDouble(), kNotGiven);
}

// A direction the reduction could not form is not given, and so is every sum it enters;
// a district point without plane coordinates does not count as known.
TEST(CalculationInputs, WhatTheFieldBookLacksIsNotGiven) {
    notebook::TraverseSource source = ClosedLoop();
    source.reduction[10].direction.clear();  // N1 → T4
    const auto rows = TraverseRows(source);
    clsTrb traverse;
    const auto stations = AssembleTraverse(traverse, rows, kChecked);
    ResolvePoints(traverse, District, true);
    const CalculationInput in = BuildCalculationInput(traverse, rows, stations, {true, 4, false, true}, {});
    EXPECT_EQ(in.rows[2][2].toDouble(), kNotGiven);
    EXPECT_EQ(in.parameters[12].value.toDouble(), kNotGiven);
    EXPECT_NEAR(in.parameters[11].value.toDouble(), 110.062 + 106.451 + 104.100 + 96.010, 1e-9);
    EXPECT_EQ(traverse.TenX(5), kNoCoordinate);  // K1
}

TEST(CalculationInputs, BacksightZeroIsAnOption) {
    const Built kept = Build(4, false);
    EXPECT_NEAR(kept.input.rows[3][2].toDouble(), 99.5729, 1e-9);
    EXPECT_NEAR(kept.input.rows[0][2].toDouble(), 91.2315, 1e-9);
}

TEST(CalculationInputs, OpenAndConnectingTraverses) {
    const Built open = Build(2);
    EXPECT_EQ(open.input.calcNo, 5);
    EXPECT_EQ(Types(open.input.parameters), (QList<qint32>{3, 3, 2}));
    EXPECT_EQ(Values(open.input.parameters), (QVariantList{4, 1, kNotGiven}));
    // Station order: the route is the chain from the first station.
    EXPECT_EQ(open.input.rows[2][1].toInt(), 13);
    EXPECT_EQ(open.input.rows[5][0].toInt(), 4);
    EXPECT_EQ(open.input.rows[5][1].toInt(), 1);

    const Built connecting = Build(3);
    EXPECT_EQ(connecting.input.calcNo, 8);
    EXPECT_EQ(Types(connecting.input.parameters),
              (QList<qint32>{3, 3, 2, 3, 3, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 2, 2, 2}));
    const QVariantList p = Values(connecting.input.parameters);
    EXPECT_EQ(p.mid(0, 6), (QVariantList{4, 1, kNotGiven, 4, 1, kNotGiven}));
    EXPECT_DOUBLE_EQ(p[9].toDouble(), -35121.558);
    EXPECT_EQ(p[11].toDouble(), kNotGiven);
    EXPECT_EQ(connecting.input.columns, (std::vector<qint32>{5, 5, 2, 2, 2, 2, 2}));
}

TEST(CalculationInputs, RadialTakesTheBacksightIntoEachRow) {
    const Built b = Build(1);
    EXPECT_EQ(b.input.calcNo, 6);
    EXPECT_TRUE(b.input.parameters.empty());
    EXPECT_EQ(b.input.columns, (std::vector<qint32>{5, 5, 5, 2, 2, 2, 2}));
    // No route: the rows keep station order.
    EXPECT_EQ(b.input.rows[2], (QVariantList{2, 1, 13, 300.1020, 18.2, kNotGiven, 89.5930}));
}

TEST(CalculationInputs, Networks) {
    const Built h = Build(5);
    EXPECT_EQ(h.input.calcNo, 41);
    EXPECT_EQ(Types(h.input.parameters), (QList<qint32>{1, 1, 1, 1, 0, 0, 1, 1, 2, 2, 2, 2, 2, 3}));
    const QVariantList p = Values(h.input.parameters);
    EXPECT_EQ(p.mid(0, 8), (QVariantList{6, 3, 3, 6, QStringLiteral("閉合"), QStringLiteral("LOOP.APA"), 4, 6}));
    EXPECT_EQ(p[13].toInt(), 1);
    EXPECT_EQ(h.input.columns, (std::vector<qint32>{3, 3, 2, 2}));
    EXPECT_EQ(h.input.rows[2], (QVariantList{2, 13, 300.1020, 18.2}));

    const Built v = Build(6);
    EXPECT_EQ(v.input.calcNo, 42);
    EXPECT_EQ(Types(v.input.parameters), (QList<qint32>{1, 1, 1, 1, 0, 0, 1}));
    EXPECT_EQ(Values(v.input.parameters).mid(0, 4), (QVariantList{6, 3, 3, 6}));  // T4 has no height
    EXPECT_EQ(v.input.columns, (std::vector<qint32>{3, 3, 2, 2, 2, 2}));
    EXPECT_EQ(v.input.rows[0][2].toDouble(), -0.338);
}

// Heights go to the host only when computed elevations are registered, and only those known.
TEST(CalculationInputs, PointsAndTheirHeights) {
    for (bool elevations : {false, true}) {
        const Built b = Build(4, true, true, elevations);
        ASSERT_EQ(b.input.points.size(), 6u);
        EXPECT_EQ(b.input.points[0].name, QStringLiteral("T1"));
        EXPECT_EQ(b.input.points[0].id, 1);
        EXPECT_EQ(b.input.points[0].z, elevations ? 45.210 : kNoHeight);
        EXPECT_EQ(b.input.points[3].id, -1);
        EXPECT_EQ(b.input.points[3].z, kNoHeight);  // N1: nothing computed
    }
}

TEST(TraverseOptions, TextAndRepair) {
    const TraverseOptions d = ParseTraverseOptions(QStringLiteral("TRAV1121"));
    EXPECT_TRUE(d.zeroBacksight);
    EXPECT_EQ(d.type, 1);
    EXPECT_FALSE(d.registerElevations);
    EXPECT_TRUE(d.overwriteSighted);
    for (const QString& text : {QString(), QStringLiteral("trav2432"), QStringLiteral("2432")})
        EXPECT_EQ(TraverseOptionsText(ParseTraverseOptions(text)), kDefaultOptionsText) << text.toStdString();
    EXPECT_EQ(TraverseOptionsText(ParseTraverseOptions(QStringLiteral("TRAV2412"))), QStringLiteral("TRAV2412"));
    EXPECT_EQ(TraverseOptionsText(ParseTraverseOptions(QStringLiteral("TRAV3731"))), QStringLiteral("TRAV1121"));
    EXPECT_EQ(TraverseOptionsText(ParseTraverseOptions(QStringLiteral("TRAV26"))), QStringLiteral("TRAV2621"));
}

TEST(CalculationInputs, PackedAngles) {
    EXPECT_DOUBLE_EQ(PackedDms(0), 0.0);
    EXPECT_DOUBLE_EQ(PackedDms(324000), 90.0);
    EXPECT_NEAR(PackedDms(359 * 3600 + 59 * 60 + 59), 359.5959, 1e-12);
    EXPECT_NEAR(PackedDms(-1800), -0.30, 1e-12);
}
