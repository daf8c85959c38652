#include "traverse/CalculationInput.h"

#include <cmath>
#include <optional>

#include "calcstore/clsConvert2.h"
#include "calcstore/clsCoord.h"
#include "traverse/CalculationKinds.h"
#include "traverse/ParseDms.h"

namespace traverse {
namespace {

constexpr qint64 kFullCircle = 1296000;
const double kNoHeight = calcstore::clsCoord::NoHeight();

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// One sight's values, as the element columns take them; kNotGiven where the reduction
// formed none (a direction it could not reduce, a sight without a distance).
struct Sight {
    qint32 station = 0, backsight = 0, target = 0;  // point IDs
    double angle = kNotGiven, horizontal = kNotGiven, difference = kNotGiven, zenith = kNotGiven,
           slope = kNotGiven;  // packed angles, metres
    qint64 angleSeconds = 0;
    bool route = false;
};

// An angle of the table in seconds; none for a blank field or one of another shape.
std::optional<qint64> Angle(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    const int seconds = ParseDms(t);
    if (seconds == 0 && t != QStringLiteral("0-00-00")) return std::nullopt;
    return seconds;
}

double PackedOrNotGiven(std::optional<qint64> seconds) { return seconds ? PackedDms(*seconds) : kNotGiven; }

Sight SightOf(const TraverseRow& row, const TraverseRow& backsight, bool zeroBacksight) {
    Sight s;
    const auto direction = Angle(row.direction);
    const auto zero = zeroBacksight ? Angle(backsight.direction) : std::optional<qint64>(0);
    if (direction && zero) {
        s.angleSeconds = ((*direction - *zero) % kFullCircle + kFullCircle) % kFullCircle;
        s.angle = PackedDms(s.angleSeconds);
    }
    s.zenith = PackedOrNotGiven(Angle(row.verticalAngle));
    s.horizontal = Number(row.horizontalDistance).value_or(kNotGiven);
    s.slope = Number(row.distance).value_or(kNotGiven);
    s.difference = Number(row.heightDifference).value_or(kNotGiven);
    return s;
}

void Classify(clsTrb& traverse, int type) {
    switch (type) {
        case 1: traverse.SetHousya(); break;
        case 2: traverse.SetKaihou(); break;
        case 3: traverse.SetKetugou(); break;
        case 4: traverse.SetHeigou(); break;
        default: traverse.TagClear(); break;
    }
}

// Every checked row's sight in station order; route sights are those the classification
// marked 前視.
std::vector<Sight> Sights(const clsTrb& traverse, const std::vector<TraverseRow>& rows,
                          const std::vector<StationRows>& stations, bool zeroBacksight) {
    std::vector<Sight> sights;
    for (int i = 1; i <= traverse.Count(); ++i) {
        const clsHou& station = traverse.Item(i);
        const StationRows& r = stations.at(static_cast<size_t>(i - 1));
        const TraverseRow& back = rows.at(static_cast<size_t>(r.backsight));
        for (int j = 1; j <= station.Count(); ++j) {
            Sight s = SightOf(rows.at(static_cast<size_t>(r.sights.at(static_cast<size_t>(j - 1)))), back,
                              zeroBacksight);
            s.station = station.McTen()->TenID();
            s.backsight = station.BackTen()->TenID();
            s.target = station.Item(j).TenID();
            s.route = station.Item(j).Tag() == kTagForesight;
            sights.push_back(s);
        }
    }
    return sights;
}

// Route sights first, then side shots, each in station order.
std::vector<Sight> RouteFirst(std::vector<Sight> sights) {
    std::stable_partition(sights.begin(), sights.end(), [](const Sight& s) { return s.route; });
    return sights;
}

QVariantList RowOf(const Sight& s, int calcNo) {
    switch (calcNo) {
        case 6: return {s.station, s.backsight, s.target, s.angle, s.horizontal, s.difference, s.zenith};
        case 41: return {s.station, s.target, s.angle, s.horizontal};
        case 42: return {s.station, s.target, s.difference, s.horizontal, s.zenith, s.slope};
        default: return {s.station, s.target, s.angle, s.horizontal, s.difference, s.zenith, s.slope};
    }
}

class ParameterValues {
  public:
    ParameterValues(const clsTrb& traverse, const std::vector<Sight>& sights, const InputTexts& texts)
        : traverse_(traverse), sights_(sights), texts_(texts) {}

    QVariantList For(qint32 calcNo) const {
        switch (calcNo) {
            case 5: return Open();
            case 7: return Closed();
            case 8: return Connecting();
            case 41: return HorizontalNetwork();
            case 42: return HeightNetwork();
            default: return {};
        }
    }

  private:
    const clsHou& First() const { return traverse_.Item(1); }
    const clsHou& Last() const { return traverse_.Item(traverse_.Count()); }
    qint32 FirstBack() const { return First().BackTen()->TenID(); }

    bool Known(int i) const { return traverse_.TenID(i) > 0 && traverse_.TenX(i) != kNoCoordinate; }

    // X, Y and height of a district point; not given for a point without plane coordinates
    // (new, or recorded by name only) or a missing height.
    QVariantList Coordinates(const clsKan& kan) const {
        const int i = kan.Index();
        if (!Known(i)) return {kNotGiven, kNotGiven, kNotGiven};
        const double z = traverse_.TenZ(i);
        return {traverse_.TenX(i), traverse_.TenY(i), z == kNoHeight ? kNotGiven : z};
    }

    QVariantList Open() const { return {FirstBack(), First().McTen()->TenID(), kNotGiven}; }

    QVariantList Closed() const {
        QVariantList v{First().McTen()->TenID(), kNotGiven};
        v << Coordinates(*First().McTen()) << Coordinates(*First().BackTen());
        return v << RouteSummary();
    }

    QVariantList Connecting() const {
        const clsKan* end = Last().Count() > 0 ? &Last().Item(Last().Count()) : nullptr;
        QVariantList v = Open();
        v << Last().McTen()->TenID() << (end ? end->TenID() : 0) << kNotGiven;
        v << Coordinates(*First().McTen()) << Coordinates(*Last().McTen());
        return v << RouteSummary();
    }

    QVariantList RouteSummary() const {
        // A sum with a value not given is not given either.
        int route = 0;
        double length = 0, difference = 0;
        qint64 angles = 0;
        bool lengths = true, directions = true, heights = true;
        for (const Sight& s : sights_) {
            if (!s.route) continue;
            ++route;
            lengths = lengths && s.horizontal != kNotGiven;
            directions = directions && s.angle != kNotGiven;
            heights = heights && s.difference != kNotGiven;
            length += s.horizontal;
            angles += s.angleSeconds;
            difference += s.difference;
        }
        return {traverse_.Count(), route, static_cast<int>(sights_.size()) - route, lengths ? length : kNotGiven,
                directions ? PackedDms(angles) : kNotGiven, heights ? difference : kNotGiven};
    }

    int KnownPoints() const {
        int known = 0;
        for (int i = 1; i <= traverse_.TenCount(); ++i) known += Known(i);
        return known;
    }

    // Points, those known, those to be determined, observations, texts, stations.
    QVariantList NetworkHead(int known) const {
        const int points = traverse_.TenCount();
        return {points, known, points - known, static_cast<int>(sights_.size()), texts_.calcName,
                texts_.source, traverse_.Count()};
    }

    // The first known point in table order holds the orientation; the first station when
    // none is known.
    qint32 FixedPoint() const {
        for (int i = 1; i <= traverse_.TenCount(); ++i)
            if (Known(i)) return traverse_.TenID(i);
        return First().McTen()->TenID();
    }

    QVariantList HorizontalNetwork() const {
        int distances = 0;
        for (const Sight& s : sights_) distances += s.horizontal != kNotGiven;
        QVariantList v = NetworkHead(KnownPoints());
        v << distances;
        for (int i = 0; i < 5; ++i) v << kNotGiven;
        return v << FixedPoint();
    }

    QVariantList HeightNetwork() const {
        int known = 0;
        for (int i = 1; i <= traverse_.TenCount(); ++i)
            known += traverse_.TenID(i) > 0 && traverse_.TenZ(i) != kNoHeight;
        return NetworkHead(known);
    }

    const clsTrb& traverse_;
    const std::vector<Sight>& sights_;
    const InputTexts& texts_;
};

std::vector<InputPoint> Points(const clsTrb& traverse, bool registerElevations) {
    std::vector<InputPoint> points;
    for (int i = 1; i <= traverse.TenCount(); ++i) {
        const auto elevation = registerElevations ? Number(traverse.StHyoukou(i)) : std::nullopt;
        points.push_back({traverse.TenName(i), traverse.TenID(i), traverse.Memo(i), elevation.value_or(kNoHeight)});
    }
    return points;
}

}  // namespace

// Through the decimal text, so that 91°23′15″ is the double nearest 91.2315, as typed.
double PackedDms(qint64 seconds) {
    const qint64 s = seconds < 0 ? -seconds : seconds;
    const QString text = (seconds < 0 ? QStringLiteral("-") : QString()) + QString::number(s / 3600) + u'.' +
                         QString::number(s % 3600 / 60).rightJustified(2, u'0') +
                         QString::number(s % 60).rightJustified(2, u'0');
    return text.toDouble();
}

CalculationInput BuildCalculationInput(clsTrb& traverse, const std::vector<TraverseRow>& rows,
                                       const std::vector<StationRows>& stations,
                                       const TraverseOptions& options, const InputTexts& texts) {
    const CalculationKind* kind = KindOfDigit(options.type);
    if (!kind) kind = KindOfDigit(1);
    Classify(traverse, kind->digit);
    std::vector<Sight> sights = Sights(traverse, rows, stations, options.zeroBacksight);
    if (kind->calcNo == 7 || kind->calcNo == 8) sights = RouteFirst(std::move(sights));

    CalculationInput input;
    input.calcNo = kind->calcNo;
    input.points = Points(traverse, options.registerElevations);
    if (traverse.Count() > 0) {
        const QVariantList values = ParameterValues(traverse, sights, texts).For(kind->calcNo);
        for (size_t i = 0; i < kind->parameters.size(); ++i)
            input.parameters.push_back({kind->parameters[i].type, values.at(static_cast<qsizetype>(i))});
    }
    for (const ValueSlot& column : kind->columns) input.columns.push_back(column.type);
    for (const Sight& s : sights) input.rows.push_back(RowOf(s, kind->calcNo));
    return input;
}

void HandOver(const CalculationInput& input, calcstore::clsConvert2& handOff) {
    for (const InputPoint& p : input.points) handOff.AddZahyou(p.name, p.id, p.memo, p.z);
    for (const InputValue& v : input.parameters) handOff.AddParameter(v.type, v.value);
    for (qint32 type : input.columns) handOff.AddElementCols(type);
    for (const QVariantList& row : input.rows) handOff.GetElements().AddItem(row);
}

}  // namespace traverse
