// Stations looked up among the district's points.

#include <gtest/gtest.h>

#include "calcstore/clsCoord.h"
#include "notebook/DistrictPoint.h"
#include "notebook/TestDistrict.h"
#include "support/QtPrinters.h"

namespace {

TEST(DistrictPointTest, OnePointGivesItsIdNegatedAndItsHeightWhenSet) {
    const auto db = test::NewDistrict();
    test::AddPoint(*db, u"T1"_qs, 0, 0, 12.345);                                // 1
    test::AddPoint(*db, u"T2"_qs, 0, 0, calcstore::clsCoord::NoHeight());       // 2
    test::AddPoint(*db, u"TWICE"_qs, 0, 0, 1.0);                                // 3
    db->Execute(u"INSERT INTO COORD (Name, Z, DELFLG) VALUES ('TWICE', 2, NULL)"_qs);  // 4
    test::AddPoint(*db, u"GONE"_qs, 0, 0, 5.0, {}, true);                       // 5
    test::AddPoint(*db, u"GONE"_qs, 0, 0, 6.0);                                 // 6

    const struct {
        const char16_t* name;
        qint32 code;
        double elevation;
    } cases[] = {
        {u"T1", -1, 12.345},
        {u"T2", -2, notebook::kNoElevation},  // height not set
        {u"TWICE", notebook::kPointAmbiguous, notebook::kNoElevation},
        {u"GONE", -6, 6.0},  // the deleted one does not count
        {u"NONE", notebook::kPointNotFound, notebook::kNoElevation},
        {u"t1", notebook::kPointNotFound, notebook::kNoElevation},
    };
    for (const auto& c : cases) {
        const notebook::DistrictPoint p = notebook::LookUpDistrictPoint(*db, QString::fromUtf16(c.name));
        EXPECT_EQ(p.code, c.code) << QString::fromUtf16(c.name).toStdString();
        EXPECT_DOUBLE_EQ(p.elevation, c.elevation) << QString::fromUtf16(c.name).toStdString();
    }
}

}  // namespace
