#include "trevanto/jobs/RowList.h"

#include <QStringList>

namespace trevanto_app {
namespace {

constexpr int kLongestRange = 1000000;

std::optional<int> Number(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1) return std::nullopt;
    return n;
}

}  // namespace

std::optional<QList<int>> ParseRowList(const QString& text) {
    QList<int> numbers;
    for (const QString& field : text.split(u',')) {
        const qsizetype dash = field.indexOf(u'-');
        const auto first = Number(dash < 0 ? field : field.left(dash));
        const auto last = dash < 0 ? first : Number(field.mid(dash + 1));
        if (!first || !last || *last < *first || *last - *first >= kLongestRange) return std::nullopt;
        for (int n = *first; n <= *last; ++n) numbers.append(n);
    }
    if (numbers.isEmpty()) return std::nullopt;
    return numbers;
}

}  // namespace trevanto_app
