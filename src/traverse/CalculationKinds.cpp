#include "traverse/CalculationKinds.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace traverse {
namespace {

using calcstore::kTypeDouble;
using calcstore::kTypeInteger;
using calcstore::kTypeRefSokuten;
using calcstore::kTypeSokuten;
using calcstore::kTypeString;
using enum ValueKind;

// The counts and sums of the route, closing the connecting and closed traverses' lists.
constexpr ValueSlot kRouteSummary[] = {
    {kTypeInteger, Count, u"観測点数"},       {kTypeInteger, Count, u"路線の視準数"},
    {kTypeInteger, Count, u"放射の視準数"},   {kTypeDouble, Length, u"路線長"},
    {kTypeDouble, Angle, u"路線の水平角の和"}, {kTypeDouble, Height, u"路線の高低差の和"},
};

template <std::size_t A, std::size_t B>
constexpr std::array<ValueSlot, A + B> Join(const ValueSlot (&a)[A], const ValueSlot (&b)[B]) {
    std::array<ValueSlot, A + B> joined{};
    std::copy(std::begin(a), std::end(a), joined.begin());
    std::copy(std::begin(b), std::end(b), joined.begin() + A);
    return joined;
}

constexpr ValueSlot kRadialColumns[] = {
    {kTypeSokuten, Point, u"観測点"},   {kTypeSokuten, Point, u"後視点"},
    {kTypeSokuten, Point, u"視準点"},   {kTypeDouble, Angle, u"水平角"},
    {kTypeDouble, Length, u"水平距離"}, {kTypeDouble, Height, u"高低差"},
    {kTypeDouble, Angle, u"天頂角"},
};

constexpr ValueSlot kRouteColumns[] = {
    {kTypeSokuten, Point, u"観測点"},   {kTypeSokuten, Point, u"視準点"},
    {kTypeDouble, Angle, u"水平角"},    {kTypeDouble, Length, u"水平距離"},
    {kTypeDouble, Height, u"高低差"},   {kTypeDouble, Angle, u"天頂角"},
    {kTypeDouble, Length, u"斜距離"},
};

constexpr ValueSlot kOpenParameters[] = {
    {kTypeRefSokuten, Point, u"出発点の後視点"},
    {kTypeRefSokuten, Point, u"出発点"},
    {kTypeDouble, NotGiven, u"出発方向角"},
};

constexpr ValueSlot kClosedEnds[] = {
    {kTypeRefSokuten, Point, u"出発点"},
    {kTypeDouble, NotGiven, u"出発方向角"},
    {kTypeDouble, Coordinate, u"出発点 X"},
    {kTypeDouble, Coordinate, u"出発点 Y"},
    {kTypeDouble, Coordinate, u"出発点 標高"},
    {kTypeDouble, Coordinate, u"後視点 X"},
    {kTypeDouble, Coordinate, u"後視点 Y"},
    {kTypeDouble, Coordinate, u"後視点 標高"},
};
constexpr auto kClosedParameters = Join(kClosedEnds, kRouteSummary);

constexpr ValueSlot kConnectingEnds[] = {
    {kTypeRefSokuten, Point, u"出発点の後視点"},
    {kTypeRefSokuten, Point, u"出発点"},
    {kTypeDouble, NotGiven, u"出発方向角"},
    {kTypeRefSokuten, Point, u"到着点"},
    {kTypeRefSokuten, Point, u"到着点の視準点"},
    {kTypeDouble, NotGiven, u"到着方向角"},
    {kTypeDouble, Coordinate, u"出発点 X"},
    {kTypeDouble, Coordinate, u"出発点 Y"},
    {kTypeDouble, Coordinate, u"出発点 標高"},
    {kTypeDouble, Coordinate, u"到着点 X"},
    {kTypeDouble, Coordinate, u"到着点 Y"},
    {kTypeDouble, Coordinate, u"到着点 標高"},
};
constexpr auto kConnectingParameters = Join(kConnectingEnds, kRouteSummary);

constexpr ValueSlot kHorizontalNetworkParameters[] = {
    {kTypeInteger, Count, u"点数"},
    {kTypeInteger, Count, u"既知点数"},
    {kTypeInteger, Count, u"新点数"},
    {kTypeInteger, Count, u"観測数"},
    {kTypeString, Text, u"計算名"},
    {kTypeString, Text, u"観測手簿"},
    {kTypeInteger, Count, u"観測点数"},
    {kTypeInteger, Count, u"距離の観測数"},
    {kTypeDouble, NotGiven, u"方向観測の標準偏差"},
    {kTypeDouble, NotGiven, u"距離観測の標準偏差（固定）"},
    {kTypeDouble, NotGiven, u"距離観測の標準偏差（比例）"},
    {kTypeDouble, NotGiven, u"器械の致心誤差"},
    {kTypeDouble, NotGiven, u"目標の致心誤差"},
    {kTypeRefSokuten, Point, u"方位の固定点"},
};

constexpr ValueSlot kHorizontalNetworkColumns[] = {
    {kTypeRefSokuten, Point, u"観測点"},
    {kTypeRefSokuten, Point, u"視準点"},
    {kTypeDouble, Angle, u"水平角"},
    {kTypeDouble, Length, u"水平距離"},
};

constexpr ValueSlot kHeightNetworkParameters[] = {
    {kTypeInteger, Count, u"点数"},     {kTypeInteger, Count, u"既知標高点数"},
    {kTypeInteger, Count, u"新点数"},   {kTypeInteger, Count, u"観測数"},
    {kTypeString, Text, u"計算名"},     {kTypeString, Text, u"観測手簿"},
    {kTypeInteger, Count, u"観測点数"},
};

constexpr ValueSlot kHeightNetworkColumns[] = {
    {kTypeRefSokuten, Point, u"観測点"}, {kTypeRefSokuten, Point, u"視準点"},
    {kTypeDouble, Height, u"高低差"},    {kTypeDouble, Length, u"水平距離"},
    {kTypeDouble, Angle, u"天頂角"},     {kTypeDouble, Length, u"斜距離"},
};

constexpr CalculationKind kKinds[] = {
    {1, 6, {}, kRadialColumns},
    {2, 5, kOpenParameters, kRouteColumns},
    {3, 8, kConnectingParameters, kRouteColumns},
    {4, 7, kClosedParameters, kRouteColumns},
    {5, 41, kHorizontalNetworkParameters, kHorizontalNetworkColumns},
    {6, 42, kHeightNetworkParameters, kHeightNetworkColumns},
};

}  // namespace

const CalculationKind* KindOfDigit(int digit) {
    for (const CalculationKind& kind : kKinds)
        if (kind.digit == digit) return &kind;
    return nullptr;
}

const CalculationKind* KindOfCalcNo(qint32 calcNo) {
    for (const CalculationKind& kind : kKinds)
        if (kind.calcNo == calcNo) return &kind;
    return nullptr;
}

}  // namespace traverse
