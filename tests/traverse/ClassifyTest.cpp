#include <gtest/gtest.h>

#include <QStringList>

#include "traverse/clsTrb.h"

using namespace traverse;

namespace {

// One grid row's worth of a station: its point, backsight (empty for none) and sights.
struct Row {
    QString station;
    QString backsight;
    QStringList sights;
};

void Build(clsTrb& trb, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        trb.AddMcTen(row.station);
        if (!row.backsight.isEmpty()) trb.AddBackTen(row.backsight);
        for (const QString& sight : row.sights) trb.AddSijyunTen(sight);
    }
}

// The tags of every station's sights, "F" for the route, "R" for a side shot, "-" for none,
// stations separated by "|".
QString Tags(const clsTrb& trb) {
    QStringList stations;
    for (const clsHou* station : trb.NewEnum()) {
        QString tags;
        for (const clsKan* sight : station->NewEnum())
            tags += sight->Tag() == kTagForesight ? u'F' : sight->Tag() == kTagRadial ? u'R' : u'-';
        stations << tags;
    }
    return stations.join(u'|');
}

const QString T1 = QStringLiteral("T1"), T2 = QStringLiteral("T2"), T3 = QStringLiteral("T3"),
              K1 = QStringLiteral("K1"), K2 = QStringLiteral("K2"), P1 = QStringLiteral("P1"),
              P2 = QStringLiteral("P2"), P3 = QStringLiteral("P3");

}  // namespace

// Every sight a side shot, however the stations connect; stations and backsights untagged.
TEST(TraverseClassify, Radial) {
    clsTrb trb;
    Build(trb, {{T1, K1, {P1, T2}}, {T2, T1, {P2}}, {T3, {}, {}}});
    trb.SetHousya();
    EXPECT_EQ(Tags(trb), QStringLiteral("RR|R|"));
    EXPECT_EQ(trb.Item(1).Item(2).Tag(), QStringLiteral("放射"));
    EXPECT_TRUE(trb.Item(1).McTen()->Tag().isEmpty());
    EXPECT_TRUE(trb.Item(1).BackTen()->Tag().isEmpty());
}

// Open and connecting traverses end on the last sight of the last station, wherever the
// route runs before it; a sight naming the next station twice is the route both times.
TEST(TraverseClassify, OpenAndConnectingEndOnTheLastSight) {
    const std::vector<Row> rows = {
        {T1, K1, {P1, T2, P2, T2}}, {T2, T1, {T3, P3}}, {T3, T2, {K2, P1}}};
    for (const auto classify : {&clsTrb::SetKaihou, &clsTrb::SetKetugou}) {
        clsTrb trb;
        Build(trb, rows);
        (trb.*classify)();
        EXPECT_EQ(Tags(trb), QStringLiteral("RFRF|FR|RF"));
    }
}

TEST(TraverseClassify, ClosedReturnsToTheFirstStation) {
    clsTrb trb;
    Build(trb, {{T1, T3, {T2, P1}}, {T2, T1, {P2, T3}}, {T3, T2, {P3, T1, T2}}});
    trb.SetHeigou();
    EXPECT_EQ(Tags(trb), QStringLiteral("FR|RF|RFR"));
    EXPECT_EQ(trb.Item(3).Item(2).Tag(), QStringLiteral("前視"));

    clsTrb single;
    Build(single, {{T1, K1, {P1, T2, T1}}});
    single.SetHeigou();
    EXPECT_EQ(Tags(single), QStringLiteral("FRR"));
}

// Stations without sights, in the middle or at the end, are passed over.
TEST(TraverseClassify, StationsWithoutSights) {
    const std::vector<Row> rows = {{T1, K1, {T2}}, {T2, T1, {}}, {T3, T2, {}}};
    for (const auto classify :
         {&clsTrb::SetKaihou, &clsTrb::SetKetugou, &clsTrb::SetHeigou, &clsTrb::SetHousya}) {
        clsTrb trb;
        Build(trb, rows);
        (trb.*classify)();
        EXPECT_EQ(Tags(trb),
                  classify == &clsTrb::SetHousya ? QStringLiteral("R||") : QStringLiteral("F||"));
    }
}

// A station observed twice (two station rows of the notebook) is two stations on one point;
// the first one's sight is a side shot unless it names the same point again.
TEST(TraverseClassify, StationRepeatedInTwoRows) {
    clsTrb trb;
    Build(trb, {{T1, K1, {P1}}, {T1, K1, {T2}}, {T2, T1, {P2}}, {T2, T1, {T3}}, {T3, T2, {K2}}});
    EXPECT_EQ(trb.Count(), 5);
    EXPECT_EQ(trb.TenCount(), 7);
    EXPECT_EQ(trb.Item(1).McTen()->Index(), trb.Item(2).McTen()->Index());
    trb.SetKetugou();
    EXPECT_EQ(Tags(trb), QStringLiteral("R|F|R|F|F"));
}

// The backsight and the sight of one point are separate references: only the sight is
// classified, and both see one ID.
TEST(TraverseClassify, BacksightAlsoSighted) {
    clsTrb trb;
    Build(trb, {{T1, T3, {T2}}, {T2, T1, {T1, T3}}, {T3, T2, {T1}}});
    trb.SetHeigou();
    EXPECT_EQ(Tags(trb), QStringLiteral("F|RF|F"));
    const clsHou& t2 = trb.Item(2);
    EXPECT_TRUE(t2.BackTen()->Tag().isEmpty());
    EXPECT_EQ(t2.BackTen()->Index(), t2.Item(1).Index());
    t2.Item(1).SetTenID(5);
    EXPECT_EQ(t2.BackTen()->TenID(), 5);
}

// Each classification starts from clean tags, including any set by hand.
TEST(TraverseClassify, TagsAreResetEveryTime) {
    clsTrb trb;
    Build(trb, {{T1, {}, {T2}}, {T2, T1, {P1, T3}}, {T3, T2, {T1}}});
    trb.Item(1).McTen()->SetTag(kTagForesight);
    trb.Item(2).BackTen()->SetTag(kTagRadial);
    trb.SetHeigou();
    EXPECT_EQ(Tags(trb), QStringLiteral("F|RF|F"));
    EXPECT_TRUE(trb.Item(1).McTen()->Tag().isEmpty());
    EXPECT_TRUE(trb.Item(2).BackTen()->Tag().isEmpty());
    trb.SetHousya();
    EXPECT_EQ(Tags(trb), QStringLiteral("R|RR|R"));

    trb.TagClear();
    EXPECT_EQ(Tags(trb), QStringLiteral("-|--|-"));
    EXPECT_EQ(trb.Item(1).BackTen(), nullptr);
}
