// The district's points of one name, as the user chooses among them.

#include <gtest/gtest.h>

#include "calcstore/clsCoord.h"
#include "notebook/SameNamePoints.h"
#include "notebook/TestDistrict.h"
#include "support/QtPrinters.h"

namespace {

TEST(SameNamePointsTest, LivePointsOfTheNameInIdOrderWithTheirHeightAndUpdate) {
    const auto db = test::NewDistrict();
    const QDateTime march(QDate(2024, 3, 5), QTime(14, 7, 9));
    test::AddPoint(*db, u"K1"_qs, 100.5, -200.25, 10.125, march);                      // 1
    test::AddPoint(*db, u"K2"_qs, 1, 2, 3);                                            // 2
    test::AddPoint(*db, u"K1"_qs, 101, -201, calcstore::clsCoord::NoHeight());         // 3
    test::AddPoint(*db, u"K1"_qs, 102, -202, 12.0, march, true);                       // 4, deleted
    test::AddPoint(*db, u"K1"_qs, 103, -203, QVariant());                              // 5

    const std::vector<notebook::SameNamePoint> points = notebook::SameNamePoints(*db, u"K1"_qs);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].id, 1);
    EXPECT_DOUBLE_EQ(points[0].x, 100.5);
    EXPECT_DOUBLE_EQ(points[0].y, -200.25);
    ASSERT_TRUE(points[0].z);
    EXPECT_DOUBLE_EQ(*points[0].z, 10.125);
    EXPECT_EQ(points[0].updated, u"2024/03/05 14:07:09");
    EXPECT_EQ(points[1].id, 3);
    EXPECT_FALSE(points[1].z);  // the host's no-height marker
    EXPECT_TRUE(points[1].updated.isEmpty());
    EXPECT_EQ(points[2].id, 5);
    EXPECT_FALSE(points[2].z);  // never given one

    EXPECT_TRUE(notebook::SameNamePoints(*db, u"k1"_qs).empty());  // names match exactly
}

}  // namespace
