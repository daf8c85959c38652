#pragma once
// Lists of row or point numbers typed on the command line: "1,3,5-7".

#include <QList>
#include <QString>
#include <optional>

namespace trevanto_app {

// The numbers in the order given, ranges expanded ("2-5" is 2, 3, 4, 5), each from 1 to
// `last`; nullopt for an empty list, a field that is no number, a number over `last` or a
// range running backwards. Ranges are checked before they are expanded.
std::optional<QList<int>> ParseRowList(const QString& text, int last);

}  // namespace trevanto_app
