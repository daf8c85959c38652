#include "traverse/TraverseSelection.h"

#include <algorithm>

namespace traverse {

SelectionFault CheckSelection(const std::vector<TraverseRow>& rows, const std::vector<int>& checked) {
    // A row checked twice is one row.
    std::vector<int> rowsChecked = checked;
    std::sort(rowsChecked.begin(), rowsChecked.end());
    if (std::unique(rowsChecked.begin(), rowsChecked.end()) - rowsChecked.begin() < 3) return SelectionFault::TooFewRows;
    for (int index : checked) {
        const TraverseRow& row = rows.at(static_cast<size_t>(index));
        if (row.station.trimmed().isEmpty() || row.target.trimmed().isEmpty()) return SelectionFault::BlankName;
    }
    return SelectionFault::None;
}

}  // namespace traverse
