#include "traverse/clsTrb.h"

#include <stdexcept>

namespace traverse {

clsTrb::~clsTrb() {
    Clear();
}

int clsTrb::SarchTenName(const QString& name) {
    for (std::size_t i = 0; i < tens_.size(); ++i)
        if (tens_[i].name == name) return static_cast<int>(i) + 1;
    Point ten;
    ten.name = name;
    tens_.push_back(std::move(ten));
    return TenCount();
}

std::vector<clsHou*> clsTrb::NewEnum() const {
    std::vector<clsHou*> stations;
    stations.reserve(stations_.size());
    for (const auto& station : stations_) stations.push_back(station.get());
    return stations;
}

std::unique_ptr<clsKan> clsTrb::Reference(const QString& name) {
    return std::make_unique<clsKan>(this, SarchTenName(name));
}

clsHou& clsTrb::Current() const {
    if (!current_) throw std::logic_error("traverse: a point added before its station");
    return *current_;
}

clsHou& clsTrb::AddMcTen(const QString& name) {
    auto station = std::make_unique<clsHou>();
    station->SetMcTen(Reference(name));
    current_ = station.get();
    stations_.push_back(std::move(station));
    return *current_;
}

clsKan& clsTrb::AddBackTen(const QString& name) {
    clsHou& station = Current();
    station.SetBackTen(Reference(name));
    return *station.BackTen();
}

clsKan& clsTrb::AddSijyunTen(const QString& name) {
    clsHou& station = Current();
    return station.Add(Reference(name));
}

void clsTrb::Clear() {
    current_ = nullptr;
    while (!stations_.empty()) {
        stations_.back()->Clear();
        stations_.pop_back();
    }
}

void clsTrb::TagClear() {
    for (auto& station : stations_) station->TagClear();
}

QString clsTrb::DebugLog() const {
    QString text = QStringLiteral("points %1\n").arg(TenCount());
    for (int i = 1; i <= TenCount(); ++i) {
        const Point& ten = Ten(i);
        // Joined piece by piece: names and memos are the surveyor's text and may hold "%1".
        text += QStringLiteral("  [") + QString::number(i) + QStringLiteral("] ") + ten.name + QStringLiteral(" id=") +
                QString::number(ten.id) + QStringLiteral(" x=") + QString::number(ten.x, 'f', 3) +
                QStringLiteral(" y=") + QString::number(ten.y, 'f', 3) + QStringLiteral(" z=") +
                QString::number(ten.z, 'f', 3) + QStringLiteral(" h=") + ten.hyoukou + QStringLiteral(" memo=") +
                ten.memo + u'\n';
    }
    text += QStringLiteral("stations %1\n").arg(Count());
    for (const auto& station : stations_) text += station->DebugLog();
    return text;
}

}  // namespace traverse
