#pragma once
// Grid heads written the way the forms describe them: "^  No |<name|>value", one head per
// column, a leading ^, < or > saying how the head is aligned; the mark is no part of the text.

#include <QString>

class QTableWidget;

namespace platform {

// Gives the grid one column per head, titled and centred.
void SetGridHeads(QTableWidget* grid, const QString& heads);

}  // namespace platform
