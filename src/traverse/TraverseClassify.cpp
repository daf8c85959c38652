// Which sights carry the route from station to station, and which are side shots.

#include "traverse/clsTrb.h"

namespace traverse {

namespace {

void TagAll(const clsHou& station, const QString& tag) {
    for (clsKan* sight : station.NewEnum()) sight->SetTag(tag);
}

// Marks the sights naming `target` as the route and the rest as side shots. Names compare
// exactly, as the field book wrote them.
void TagByName(const clsHou& station, const clsKan* target) {
    const QString name = target ? target->TenName() : QString();
    for (clsKan* sight : station.NewEnum())
        sight->SetTag(target && sight->TenName() == name ? kTagForesight : kTagRadial);
}

// Marks the sight at position `route` (from 1) as the route and the rest as side shots.
void TagByPosition(const clsHou& station, int route) {
    for (int i = 1; i <= station.Count(); ++i)
        station.Item(i).SetTag(i == route ? kTagForesight : kTagRadial);
}

}  // namespace

void clsTrb::ClassifyRoute(LastStation rule) {
    TagClear();
    const int count = Count();
    for (int i = 1; i < count; ++i) TagByName(Item(i), Item(i + 1).McTen());
    if (count == 0) return;

    const clsHou& last = Item(count);
    if (rule == LastStation::LastSight) {
        TagByPosition(last, last.Count());
    } else if (count < 2) {
        // A closed traverse of one station has no first station to come back to: its first
        // sight is taken as the closing leg.
        TagByPosition(last, 1);
    } else {
        TagByName(last, Item(1).McTen());
    }
}

void clsTrb::SetKetugou() {
    ClassifyRoute(LastStation::LastSight);
}

void clsTrb::SetKaihou() {
    ClassifyRoute(LastStation::LastSight);
}

void clsTrb::SetHeigou() {
    ClassifyRoute(LastStation::BackToFirst);
}

void clsTrb::SetHousya() {
    TagClear();
    for (const auto& station : stations_) TagAll(*station, kTagRadial);
}

}  // namespace traverse
