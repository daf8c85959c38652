#include <gtest/gtest.h>

#include <stdexcept>

#include "traverse/clsTrb.h"

using namespace traverse;

TEST(TraversePointTable, GrowsByNameOnly) {
    clsTrb trb;
    EXPECT_EQ(trb.TenCount(), 0);
    EXPECT_EQ(trb.SarchTenName(QStringLiteral("T1")), 1);
    EXPECT_EQ(trb.SarchTenName(QStringLiteral("T2")), 2);
    EXPECT_EQ(trb.SarchTenName(QStringLiteral("T1")), 1);
    // Names compare exactly: case and width make different points.
    EXPECT_EQ(trb.SarchTenName(QStringLiteral("t1")), 3);
    EXPECT_EQ(trb.SarchTenName(QStringLiteral("Ｔ1")), 4);
    EXPECT_EQ(trb.TenCount(), 4);
    EXPECT_EQ(trb.TenName(3), QStringLiteral("t1"));
    EXPECT_EQ(trb.TenID(2), 0);
    EXPECT_EQ(trb.TenX(2), 0.0);
    EXPECT_TRUE(trb.StHyoukou(2).isEmpty());
    EXPECT_THROW(trb.TenName(0), std::out_of_range);
    EXPECT_THROW(trb.TenName(5), std::out_of_range);
}

// A point sighted from two stations is one entry: what is set through one use is seen by all.
TEST(TraversePointTable, UsesOfOneNameShareTheirValues) {
    clsTrb trb;
    trb.AddMcTen(QStringLiteral("A"));
    clsKan& sightB = trb.AddSijyunTen(QStringLiteral("B"));
    clsHou& b = trb.AddMcTen(QStringLiteral("B"));
    trb.AddSijyunTen(QStringLiteral("A"));
    EXPECT_EQ(trb.TenCount(), 2);
    EXPECT_EQ(b.McTen()->Index(), sightB.Index());

    sightB.SetTenID(42);
    trb.SetTenX(sightB.Index(), -123.456);
    trb.SetTenY(sightB.Index(), 789.012);
    trb.SetTenZ(sightB.Index(), 12.5);
    trb.SetStHyoukou(sightB.Index(), QStringLiteral("12.500"));
    trb.SetMemo(sightB.Index(), QStringLiteral("鋲"));
    EXPECT_EQ(b.McTen()->TenID(), 42);
    EXPECT_EQ(trb.TenX(2), -123.456);
    EXPECT_EQ(trb.TenY(2), 789.012);
    EXPECT_EQ(trb.TenZ(2), 12.5);
    EXPECT_EQ(trb.StHyoukou(2), QStringLiteral("12.500"));
    EXPECT_EQ(trb.Memo(2), QStringLiteral("鋲"));
    EXPECT_EQ(trb.TenID(1), 0);
}

TEST(TraverseStations, AddGoesToTheCurrentStation) {
    clsTrb trb;
    EXPECT_THROW(trb.AddSijyunTen(QStringLiteral("P")), std::logic_error);
    EXPECT_THROW(trb.AddBackTen(QStringLiteral("P")), std::logic_error);
    EXPECT_EQ(trb.TenCount(), 0);

    clsHou& first = trb.AddMcTen(QStringLiteral("T1"));
    trb.AddSijyunTen(QStringLiteral("P1"));
    clsHou& second = trb.AddMcTen(QStringLiteral("T2"));
    trb.AddBackTen(QStringLiteral("T1"));
    trb.AddSijyunTen(QStringLiteral("P2"));
    trb.AddSijyunTen(QStringLiteral("P3"));

    ASSERT_EQ(trb.Count(), 2);
    EXPECT_EQ(&trb.Item(1), &first);
    EXPECT_EQ(trb.NewEnum(), (std::vector<clsHou*>{&first, &second}));
    EXPECT_EQ(first.BackTen(), nullptr);
    EXPECT_EQ(first.Count(), 1);
    EXPECT_EQ(second.BackTen()->TenName(), QStringLiteral("T1"));
    EXPECT_EQ(second.Item(2).TenName(), QStringLiteral("P3"));
    EXPECT_THROW(second.Item(3), std::out_of_range);
}

// The references are released while the point table, which the caller still reads, stays.
TEST(TraverseStations, ClearDropsStationsAndKeepsPoints) {
    clsTrb trb;
    trb.AddMcTen(QStringLiteral("T1"));
    trb.AddBackTen(QStringLiteral("K1"));
    clsKan& sight = trb.AddSijyunTen(QStringLiteral("T2"));
    trb.AddMcTen(QStringLiteral("T2"));
    trb.SetTenID(3, 7);
    EXPECT_FALSE(trb.DebugLog().isEmpty());

    clsKan detached(&trb, sight.Index());
    detached.Clear();
    EXPECT_TRUE(detached.TenName().isEmpty());
    detached.SetTenID(99);
    EXPECT_EQ(trb.TenID(3), 7);

    trb.Clear();
    EXPECT_EQ(trb.Count(), 0);
    EXPECT_EQ(trb.TenCount(), 3);
    EXPECT_EQ(trb.TenName(3), QStringLiteral("T2"));
    EXPECT_THROW(trb.AddSijyunTen(QStringLiteral("P")), std::logic_error);
}
