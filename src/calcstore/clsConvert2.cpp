#include "calcstore/clsConvert2.h"

#include "calcstore/CalcMessages.h"
#include "calcstore/CalcTypes.h"
#include "calcstore/Numberings.h"
#include "platform/Blanks.h"

namespace calcstore {

clsConvert2::clsConvert2()
    : points_(QStringLiteral("clsConvert2")), parameters_(QStringLiteral("clsConvert2")) {}

void clsConvert2::AddZahyou(const QString& name, qint32 id, const QString& memo, double z) {
    auto point = std::make_unique<clsCoord>();
    point->SetTenName(name.trimmed());
    point->SetZ(z);
    point->SetID(id);
    point->SetMemo(memo);
    // A point already handed over under this id keeps its name.
    static_cast<void>(points_.Add(QStringLiteral("C%1").arg(id), std::move(point)));
}

qint32 clsConvert2::GetNewZahyouID(qint32 oldId) const {
    const clsCoord* point = points_.Find(QStringLiteral("C%1").arg(oldId));
    return point ? point->ID() : 0;
}

void clsConvert2::AddParameter(qint32 type, const QVariant& value) {
    ++parameterCounter_;
    const QString key = QStringLiteral("P%1").arg(parameterCounter_, 10, 10, QLatin1Char('0'));
    auto item = std::make_unique<InputItem>();
    item->SetValue(type, value);
    item->SetOwner(key, this);
    // The counter never repeats a key.
    static_cast<void>(parameters_.Add(key, std::move(item)));
}

Elements& clsConvert2::GetElements() {
    if (!elements_) elements_ = std::make_unique<Elements>();
    return *elements_;
}

void clsConvert2::SetCalcNameChooser(std::unique_ptr<CalcNameChooser> chooser) {
    chooser_ = std::move(chooser);
}

void clsConvert2::GetCalcName(qint32 calcNo, bool& ok) {
    ok = false;
    const QString defaultName = CalcTypeDefaultName(calcNo);
    if (defaultName.isEmpty()) {
        ShowCalcError(QStringLiteral("計算処理番号が異常です"));
        return;
    }
    if (!chooser_) return;
    const std::optional<CalcEntryChoice> choice = chooser_->Choose(
        defaultName, calcNo, [this](qint32 regionId) { RaiseRefreshRegion(regionId); });
    const QString name = choice ? platform::TrimBlanks(choice->name) : QString();
    if (name.isEmpty()) {
        SetCalcEntry(0, QString(), 0);
        return;
    }
    ok = true;
    SetCalcEntry(calcNo, name, choice->folderId);
}

void clsConvert2::SetCalcEntry(qint32 calcNo, const QString& name, qint32 parentId) {
    calcNo_ = calcNo;
    calcName_ = name;
    calcParentId_ = parentId;
}

bool clsConvert2::Save(bool& saveOk) {
    saveOk = false;
    if (events_) events_->SaveStart(saveOk);
    return saveOk;
}

void clsConvert2::Clear() {
    points_.Clear();
    parameters_.Clear();
    if (elements_) elements_->Clear();
}

QString clsConvert2::GetTenName(const QString& number) const {
    return ProcessNumberings().GetTenMei(number);
}

void clsConvert2::ProgEnd() {
    ProcessNumberings().Clear();
    if (events_) events_->ProgramEnd();
}

void clsConvert2::RaiseRefreshRegion(qint32 regionId) {
    if (events_) events_->RefreshRegion(regionId);
}

}  // namespace calcstore
