// Station elevations before the height reports: read from the district, carried from an
// earlier station's sight, or to be chosen; and the heights they give the targets.

#include <gtest/gtest.h>

#include "notebook/DistrictPoint.h"
#include "notebook/StationElevations.h"
#include "notebook/TestDistrict.h"
#include "support/QtPrinters.h"

namespace {

notebook::ReductionRow Station(qint32 id, const QString& name) {
    notebook::ReductionRow row;
    row.id = id;
    row.station = name;
    return row;
}

notebook::ReductionRow Target(qint32 id, const QString& name, const QString& dh, const QString& culch = {}) {
    notebook::ReductionRow row;
    row.id = id;
    row.target = name;
    row.heightDifference = dh;
    row.computedElevation = culch;
    return row;
}

TEST(StationElevationsTest, ElevationsAndWhereTheyComeFrom) {
    const auto district = test::NewDistrict();
    test::AddPoint(*district, u"A"_qs, 0, 0, 10.25);  // 1
    test::AddPoint(*district, u"C"_qs, 0, 0, 1.0);
    test::AddPoint(*district, u"C"_qs, 0, 0, 2.0);
    const std::vector<notebook::ReductionRow> table = {
        Station(1, u"A"_qs), Target(2, u"B"_qs, u"2.500"_qs, u"12.750"_qs), Target(3, u"D"_qs, u"-1.000"_qs),
        Station(4, u"B"_qs), Target(5, u"A"_qs, u"-2.501"_qs),
        Station(6, u"C"_qs), Station(7, u"E"_qs)};
    const auto stations = notebook::StationElevations(table, district.get());
    ASSERT_EQ(stations.size(), 4u);
    EXPECT_EQ(stations[0].lookUpCode, -1);
    // B's elevation comes from A's sight of it.
    QStringList elevations, comments;
    for (const notebook::StationElevation& s : stations) {
        elevations << s.elevation;
        comments << s.comment;
    }
    EXPECT_EQ(elevations, (QStringList{u"10.250"_qs, u"12.750"_qs, {}, {}}));
    EXPECT_EQ(comments, (QStringList{notebook::kElevationRead, notebook::kElevationComputed,
                                     notebook::kChooseElevation, notebook::kNewPoint}));
    EXPECT_EQ(notebook::StationElevations(table, nullptr)[0].comment, notebook::kNewPoint);

    // Confirmed as shown: every target's elevation is its station's plus its difference.
    const std::vector<notebook::HeightEdit> edits = notebook::HeightEditsOf(table, stations);
    ASSERT_EQ(edits.size(), table.size());
    EXPECT_EQ(edits[0].stationElevation, u"10.250");
    EXPECT_EQ(edits[0].lookUpCode, u"-1");
    EXPECT_EQ((QStringList{edits[1].computedElevation, edits[2].computedElevation, edits[4].computedElevation}),
              (QStringList{u"12.750"_qs, u"9.250"_qs, u"10.249"_qs}));
    EXPECT_TRUE(edits[5].stationElevation.isEmpty());  // still to be chosen: nothing computed
}

TEST(StationElevationsTest, TypedElevationsRoundOnTheirDigitsAndNonNumbersAreRefused) {
    const struct {
        const char16_t* typed;
        const char16_t* shown;  // nullptr: refused
    } cases[] = {
        {u"12.3456", u"12.346"},
        {u"1.0005", u"1.001"},  // half up on the digits typed, not on the binary value
        {u"-.5", u"-0.500"},
        {u" 7 ", u"7.000"},
        {u"１２．５", u"12.500"},  // typed with the input method on
        {u"", u""},                // clears the elevation
        {u"  ", u""},
        {u"abc", nullptr},
        {u"12.3m", nullptr},
        {u"1.2.3", nullptr},
        {u"-", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> shown = notebook::TypedElevation(QString::fromUtf16(c.typed));
        if (c.shown) {
            ASSERT_TRUE(shown) << QString::fromUtf16(c.typed).toStdString();
            EXPECT_EQ(*shown, QString::fromUtf16(c.shown));
        } else {
            EXPECT_FALSE(shown) << QString::fromUtf16(c.typed).toStdString();
        }
    }
}

TEST(StationElevationsTest, AChosenPointGivesItsHeightAndPointsTheLookUpToIt) {
    const notebook::StationElevation waiting{6, u"C"_qs, {}, notebook::kPointAmbiguous,
                                             notebook::kChooseElevation};
    const notebook::StationElevation chosen =
        notebook::WithChosenPoint(waiting, {12, 1, 2, 2.0005, {}});
    EXPECT_EQ(chosen.rowId, 6);
    EXPECT_EQ(chosen.lookUpCode, -12);
    EXPECT_EQ((QStringList{chosen.elevation, chosen.comment}), (QStringList{u"2.001"_qs, notebook::kElevationRead}));
    EXPECT_TRUE(notebook::WithChosenPoint(waiting, {13, 1, 2, std::nullopt, {}}).elevation.isEmpty());
}

}  // namespace
