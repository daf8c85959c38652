#include "notebook/SurveyClass.h"

#include <array>
#include <cmath>

#include "notebook/NotebookFormat.h"

namespace notebook {
namespace {

// Limits by quantity (rows) and class (columns: 1級, 2級 1級TS, 2級 2級TS, 3級, 4級).
constexpr std::array<std::array<double, 5>, 5> kLimits{{
    {15, 20, 30, 30, 60},  // 倍角差 ″
    {8, 10, 20, 20, 40},   // 観測差 ″
    {10, 15, 30, 30, 60},  // 高度定数の較差 ″
    {20, 20, 20, 20, 20},  // 1セット内の測定値の較差 mm
    {20, 20, 20, 20, 20},  // 各セットの平均値の較差 mm
}};

void ReadingDifferences(std::vector<Measure>& out, const QString& station, const QString& target, int set,
                        const Sighting* s) {
    if (s && s->distance1 > 0 && s->distance2 > 0)
        out.push_back({station, target, set, Quantity::ReadingDifference,
                       std::fabs(s->distance1 - s->distance2) * 1000});
}

// A value to a thousandth of its unit: what is left of a sum of binary fractions (20 mm
// computed as 20.0000000001) is no excess, while 15.4″ over a limit of 15″ is one.
double Compared(double value) { return RoundHalfEven(value, 3); }

// The value as compared, without trailing zeros: 21, 15.4, 20.004.
QString ValueText(double value) {
    QString text = FormatDigits(Compared(value), 1, 3, 0);
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text;
}

}  // namespace

std::optional<SurveyClass> ParseSurveyClass(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == u"1") return SurveyClass::First;
    if (t == u"2a") return SurveyClass::SecondWithFirstClassInstrument;
    if (t == u"2b") return SurveyClass::SecondWithSecondClassInstrument;
    if (t == u"3") return SurveyClass::Third;
    if (t == u"4") return SurveyClass::Fourth;
    return std::nullopt;
}

QString SurveyClassName(SurveyClass surveyClass) {
    switch (surveyClass) {
        case SurveyClass::First: return QStringLiteral("1級");
        case SurveyClass::SecondWithFirstClassInstrument: return QStringLiteral("2級 (1級TS)");
        case SurveyClass::SecondWithSecondClassInstrument: return QStringLiteral("2級 (2級TS)");
        case SurveyClass::Third: return QStringLiteral("3級");
        case SurveyClass::Fourth: return QStringLiteral("4級");
    }
    return QString();
}

QString QuantityName(Quantity quantity) {
    switch (quantity) {
        case Quantity::DoubleAngleSpread: return QStringLiteral("倍角差");
        case Quantity::DifferenceSpread: return QStringLiteral("観測差");
        case Quantity::IndexSpread: return QStringLiteral("高度定数の較差");
        case Quantity::ReadingDifference: return QStringLiteral("距離の較差");
        case Quantity::SetDifference: return QStringLiteral("セット間の較差");
    }
    return QString();
}

QString QuantityUnit(Quantity quantity) {
    return quantity == Quantity::ReadingDifference || quantity == Quantity::SetDifference ? QStringLiteral("mm")
                                                                                           : QStringLiteral("″");
}

double Limit(SurveyClass surveyClass, Quantity quantity) {
    return kLimits[static_cast<size_t>(quantity)][static_cast<size_t>(surveyClass)];
}

std::vector<Measure> MeasuresOf(const QString& station, const SetReduction& reduction) {
    std::vector<Measure> out;
    for (const TargetReduction& t : reduction.targets) {
        if (t.doubleAngleSpread) out.push_back({station, t.name, 0, Quantity::DoubleAngleSpread, *t.doubleAngleSpread});
        if (t.differenceSpread) out.push_back({station, t.name, 0, Quantity::DifferenceSpread, *t.differenceSpread});
    }
    for (int set = 1; set <= reduction.sets; ++set) {
        const Maybe& spread = reduction.indexSpread[static_cast<size_t>(set)];
        if (spread) out.push_back({station, QString(), reduction.sets > 1 ? set : 0, Quantity::IndexSpread, *spread});
    }
    for (const TargetReduction& t : reduction.targets) {
        for (int set = 1; set <= reduction.sets; ++set)
            for (const int row : {DirectRow(set), ReverseRow(set)})
                ReadingDifferences(out, station, t.name, reduction.sets > 1 ? set : 0, t.cells[static_cast<size_t>(row)]);
        if (t.setSpreadMm) out.push_back({station, t.name, 0, Quantity::SetDifference, *t.setSpreadMm});
    }
    return out;
}

std::vector<Measure> MeasuresOf(const QString& station, const std::vector<Sighting>& sightings) {
    std::vector<Measure> out;
    for (const Sighting& s : sightings) ReadingDifferences(out, station, s.name, 0, &s);
    return out;
}

QString DescribeExcess(const Measure& m, SurveyClass surveyClass) {
    const QString unit = QuantityUnit(m.quantity);
    const QString space = unit == u"mm" ? QStringLiteral(" ") : QString();
    QString where = m.station;
    if (!m.target.isEmpty()) where += QStringLiteral("  ") + m.target;
    if (m.set > 0) where += QStringLiteral("  第") + QString::number(m.set) + QStringLiteral("対回");
    return where + QStringLiteral("  ") + QuantityName(m.quantity) + u' ' + ValueText(m.value) + space +
           unit + QStringLiteral("（制限 ") + FormatDigits(Limit(surveyClass, m.quantity), 1, 0, 0) + space + unit +
           QStringLiteral("）");
}

std::vector<Measure> OverLimit(const std::vector<Measure>& measures, SurveyClass surveyClass) {
    std::vector<Measure> over;
    for (const Measure& m : measures)
        if (Compared(m.value) > Limit(surveyClass, m.quantity)) over.push_back(m);
    return over;
}

}  // namespace notebook
