#pragma once
// One station of a traverse: the instrument point, its backsight and the points sighted
// from it.

#include <QString>
#include <memory>
#include <vector>

#include "traverse/clsKan.h"

namespace traverse {

class clsHou {
  public:
    // The instrument point; null before it is set and after Clear().
    clsKan* McTen() const { return mcTen_.get(); }
    void SetMcTen(std::unique_ptr<clsKan> ten) { mcTen_ = std::move(ten); }

    // The backsight; null when the station has none.
    clsKan* BackTen() const { return backTen_.get(); }
    void SetBackTen(std::unique_ptr<clsKan> ten) { backTen_ = std::move(ten); }

    // Appends a sight and returns it; the station owns it from now on.
    clsKan& Add(std::unique_ptr<clsKan> ten);

    // Number of sights.
    int Count() const { return static_cast<int>(sights_.size()); }
    // The i-th sight, i from 1 to Count() (std::out_of_range outside).
    clsKan& Item(int i) const { return *sights_.at(static_cast<std::size_t>(i - 1)); }
    // The sights in the order they were added; the pointers live until Clear().
    std::vector<clsKan*> NewEnum() const;

    // Clears and drops the instrument point and the backsight, then every sight from the
    // last to the first.
    void Clear();
    // Empties the tag of every sight, of the instrument point and of the backsight.
    void TagClear();
    // A readable listing of the station, one line per point, for diagnostics.
    QString DebugLog() const;

  private:
    std::unique_ptr<clsKan> mcTen_;
    std::unique_ptr<clsKan> backTen_;
    std::vector<std::unique_ptr<clsKan>> sights_;
};

}  // namespace traverse
