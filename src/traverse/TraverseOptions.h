#pragma once
// The four choices of traverse creation, kept as one text "TRAV" and four digits d5 d6 d7
// d8. Each digit is the number of the choice in the order the options dialog lists it,
// from 1: d5 force the backsight direction to zero (1 する, 2 しない), d6 the calculation to
// make (1 放射 … 6 厳密高低網), d7 register computed elevations (1 する, 2 しない), d8
// overwrite the district coordinates of sighted points (1 する, 2 しない: a point of the same
// name is created).

#include <QString>

namespace traverse {

inline const QString kDefaultOptionsText = QStringLiteral("TRAV1121");

struct TraverseOptions {
    bool zeroBacksight = true;        // d5
    int type = 1;                     // d6: 1 to 6
    bool registerElevations = false;  // d7
    bool overwriteSighted = true;     // d8
};

// The options a stored text holds. A text that does not begin with "TRAV" is the default
// TRAV1121 as a whole; a digit that is missing or not one of its group's choices takes the
// default's digit.
TraverseOptions ParseTraverseOptions(const QString& text);
// "TRAV" and the four digits.
QString TraverseOptionsText(const TraverseOptions& options);

}  // namespace traverse
