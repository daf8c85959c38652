#include "trevanto/jobs/RowList.h"

#include <QStringList>

namespace trevanto_app {
namespace {

std::optional<int> Number(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1) return std::nullopt;
    return n;
}

}  // namespace

std::optional<QList<int>> ParseRowList(const QString& text, int last) {
    QList<int> numbers;
    for (const QString& field : text.split(u',')) {
        const qsizetype dash = field.indexOf(u'-');
        const auto first = Number(dash < 0 ? field : field.left(dash));
        const auto end = dash < 0 ? first : Number(field.mid(dash + 1));
        if (!first || !end || *end < *first || *end > last) return std::nullopt;
        for (int n = *first; n <= *end; ++n) numbers.append(n);
    }
    if (numbers.isEmpty()) return std::nullopt;
    return numbers;
}

}  // namespace trevanto_app
