#include "traverse/TraverseSelection.h"

namespace traverse {

SelectionFault CheckSelection(const std::vector<TraverseRow>& rows, const std::vector<int>& checked) {
    if (checked.size() < 3) return SelectionFault::TooFewRows;
    for (int index : checked) {
        const TraverseRow& row = rows.at(static_cast<size_t>(index));
        if (row.station.trimmed().isEmpty() || row.target.trimmed().isEmpty()) return SelectionFault::BlankName;
    }
    return SelectionFault::None;
}

}  // namespace traverse
