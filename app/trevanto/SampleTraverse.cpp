#include "trevanto/SampleTraverse.h"

#include "calcstore/CalcTypes.h"
#include "calcstore/clsConvert2.h"
#include "platform/Database.h"
#include "traverse/CalculationInput.h"
#include "traverse/CalculationKinds.h"
#include "traverse/DistrictPoints.h"

namespace trevanto_host {
namespace {

notebook::ReductionRow Station(const char16_t* name) {
    notebook::ReductionRow row;
    row.station = QString::fromUtf16(name);
    row.lookUpCode = 0;
    return row;
}

notebook::ReductionRow Target(const char16_t* name, const char16_t* direction, const char16_t* zenith,
                              const char16_t* slope, const char16_t* horizontal, const char16_t* difference) {
    notebook::ReductionRow row;
    row.target = QString::fromUtf16(name);
    row.direction = QString::fromUtf16(direction);
    row.verticalAngle = QString::fromUtf16(zenith);
    row.slopeDistance = QString::fromUtf16(slope);
    row.horizontalDistance = QString::fromUtf16(horizontal);
    row.heightDifference = QString::fromUtf16(difference);
    return row;
}

// Each station backsights the one before and sights the next; T2 also a new boundary mark.
notebook::TraverseSource Observations() {
    notebook::TraverseSource s;
    s.reduction = {
        Station(u"T1"),
        Target(u"T4", u"0-00-00", u"90-01-20", u"106.452", u"106.452", u"-1.412"),
        Target(u"T2", u"91-23-15", u"89-59-30", u"110.063", u"110.063", u"-0.338"),
        Station(u"T2"),
        Target(u"T1", u"0-00-00", u"90-00-40", u"110.063", u"110.063", u"0.338"),
        Target(u"T3", u"88-47-02", u"89-59-50", u"106.452", u"106.452", u"-0.767"),
        Target(u"杭 101", u"300-10-20", u"91-02-30", u"23.456", u"23.452", u"-0.426"),
        Station(u"T3"),
        Target(u"T2", u"0-00-00", u"90-00-10", u"106.452", u"106.452", u"0.767"),
        Target(u"T4", u"90-12-54", u"90-00-05", u"104.117", u"104.117", u"-0.107"),
        Station(u"T4"),
        Target(u"T3", u"0-00-00", u"89-59-55", u"104.117", u"104.117", u"0.107"),
        Target(u"T1", u"89-57-29", u"89-59-02", u"106.452", u"106.452", u"1.212"),
    };
    return s;
}

}  // namespace

void FillSampleTraverse(calcstore::clsConvert2& handOff, const QString& databasePath, qint32 folderId) {
    const traverse::TraverseOptions options{true, 4, false, true};
    const qint32 calcNo = traverse::KindOfDigit(options.type)->calcNo;
    handOff.SetCalcEntry(calcNo, calcstore::CalcTypeDefaultName(calcNo), folderId);

    const std::vector<traverse::TraverseRow> rows = traverse::TraverseRows(Observations());
    traverse::clsTrb traverse;
    const auto stations = traverse::AssembleTraverse(traverse, rows, {1, 3, 4, 6, 8});
    auto district = platform::Database::Open(databasePath);
    traverse::ResolvePoints(traverse, traverse::UniqueDistrictPoints(*district, {}), options.overwriteSighted);
    traverse::HandOver(traverse::BuildCalculationInput(traverse, rows, stations, options,
                                                       {handOff.CalcName(), QStringLiteral("見本")}),
                       handOff);
}

}  // namespace trevanto_host
