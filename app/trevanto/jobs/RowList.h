#pragma once
// Lists of row or point numbers typed on the command line: "1,3,5-7".

#include <QList>
#include <QString>
#include <optional>

namespace trevanto_app {

// The numbers in the order given, ranges expanded ("2-5" is 2, 3, 4, 5), each at least 1;
// nullopt for an empty list, a field that is no number, a range running backwards or one
// over a million numbers long.
std::optional<QList<int>> ParseRowList(const QString& text);

}  // namespace trevanto_app
