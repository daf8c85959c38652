#include "traverse/clsHou.h"

namespace traverse {

namespace {

QString Line(const QString& role, const clsKan* ten) {
    if (!ten) return QStringLiteral("  ") + role + QStringLiteral(": -\n");
    // Joined piece by piece: a name may hold "%1".
    return QStringLiteral("  ") + role + QStringLiteral(": ") + ten->TenName() + QStringLiteral(" [") +
           QString::number(ten->Index()) + QStringLiteral("] id=") + QString::number(ten->TenID()) +
           QStringLiteral(" tag=") + ten->Tag() + u'\n';
}

}  // namespace

clsKan& clsHou::Add(std::unique_ptr<clsKan> ten) {
    sights_.push_back(std::move(ten));
    return *sights_.back();
}

std::vector<clsKan*> clsHou::NewEnum() const {
    std::vector<clsKan*> sights;
    sights.reserve(sights_.size());
    for (const auto& ten : sights_) sights.push_back(ten.get());
    return sights;
}

void clsHou::Clear() {
    for (auto* ten : {mcTen_.get(), backTen_.get()})
        if (ten) ten->Clear();
    mcTen_.reset();
    backTen_.reset();
    while (!sights_.empty()) {
        sights_.back()->Clear();
        sights_.pop_back();
    }
}

void clsHou::TagClear() {
    for (auto& ten : sights_) ten->SetTag(QString());
    if (mcTen_) mcTen_->SetTag(QString());
    if (backTen_) backTen_->SetTag(QString());
}

QString clsHou::DebugLog() const {
    QString text = Line(QStringLiteral("station"), mcTen_.get());
    text += Line(QStringLiteral("backsight"), backTen_.get());
    for (const auto& ten : sights_) text += Line(QStringLiteral("sight"), ten.get());
    return text;
}

}  // namespace traverse
