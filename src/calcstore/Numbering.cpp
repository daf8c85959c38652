#include "calcstore/Numbering.h"

#include "calcstore/CalcMessages.h"
#include "platform/Blanks.h"

namespace calcstore {

void Numbering::SetEda2Name(const QString& name) {
    eda2Name_ = platform::TrimBlanks(name);
    RebuildSample();
}

void Numbering::SetEda1Name(const QString& name) {
    eda1Name_ = platform::TrimBlanks(name);
    if (eda1Name_.isEmpty() || eda1Name_ == QString(kAlwaysMarker)) eda2Name_.clear();
    RebuildSample();
}

void Numbering::SetTenName(const QString& name) {
    tenName_ = platform::TrimBlanks(name);
    RebuildSample();
}

void Numbering::SetSetNo(qint32 value) {
    if (value < 0) return;
    setNo_ = value;
    RebuildSample();
    RecomputeMaxLen();
}

void Numbering::SetEndNo(qint32 value) {
    if (value < 0) return;
    endNo_ = value;
    RecomputeMaxLen();
}

void Numbering::SetStartNo(qint32 value) {
    if (value < 0) {
        ShowCalcError(QStringLiteral("指定の値には、0以上を入力してください。"));
        return;
    }
    startNo_ = value;
    RecomputeMaxLen();
}

void Numbering::SetMaxLen(qint16 value) {
    if (value >= 0) maxLen_ = value;
}

QString Numbering::Eda1Separator() const {
    return IsAlwaysForm() ? eda1Name_.mid(1) : eda1Name_;
}

// The digit count of the range's last name number.
void Numbering::RecomputeMaxLen() {
    if (endNo_ != kOpenEnd) {
        const qint64 last = qint64(setNo_) - startNo_ + endNo_ - 1;
        if (last > 0) maxLen_ = static_cast<qint16>(QString::number(last).size());
    }
    RebuildSample();
}

void Numbering::RebuildSample() {
    QString sample = tenName_ + QString::number(setNo_);
    if (!eda1Name_.isEmpty()) sample += Eda1Separator() + u'0';
    if (!eda2Name_.isEmpty()) sample += eda2Name_ + u'0';
    sample_ = sample.replace(u'_', u' ');
}

Numbering& Numbering::Copy(Numbering& dis, const Numbering& src) {
    dis.SetStartNo(src.StartNo());
    dis.SetEndNo(src.EndNo());
    dis.SetSetNo(src.SetNo());
    dis.SetTenName(src.TenName());
    dis.SetEda1Name(src.Eda1Name());
    dis.SetEda2Name(src.Eda2Name());
    dis.SetMaxLen(src.MaxLen());
    return dis;
}

void Numbering::Swap(Numbering& a, Numbering& b) {
    Numbering temp;
    Copy(temp, a);
    Copy(a, b);
    Copy(b, temp);
}

}  // namespace calcstore
