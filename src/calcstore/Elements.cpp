#include "calcstore/Elements.h"

#include <memory>
#include <utility>
#include <vector>

#include "platform/AutomationError.h"

namespace calcstore {

Elements::Elements() : cells_(QStringLiteral("Elements")) {}

QString Elements::CellKey(int row, int col) {
    return QStringLiteral("R%1C%2").arg(row).arg(col);
}

void Elements::AddCols(qint32 type) {
    cols_.push_back(type);
}

// Every cell of the row is made before any is added, so a value that does not convert
// leaves the table as it was.
void Elements::AddItem(const QVariantList& values) {
    std::vector<std::pair<QString, std::unique_ptr<InputItem>>> row;
    row.reserve(cols_.size());
    for (int col = 0; col < Cols(); ++col) {
        auto item = std::make_unique<InputItem>();
        if (col < values.size())
            item->SetValue(cols_[col], values[col]);
        else
            item->InitValue(cols_[col]);
        const QString key = CellKey(rows_, col);
        item->SetOwner(key, this);
        row.emplace_back(key, std::move(item));
    }
    if (!cells_.AddAll(std::move(row)))
        throw platform::AutomationError(457, QStringLiteral("Elements"),
                                        QStringLiteral("このキーは既にこのコレクションの要素に"
                                                       "割り当てられています。"));
    ++rows_;
}

qint32 Elements::ColsType(int col) const {
    if (col < 0 || col >= Cols())
        throw platform::AutomationError::SubscriptOutOfRange(QStringLiteral("Elements"));
    return cols_[col];
}

void Elements::Clear() {
    cells_.Clear();
    rows_ = 0;
    cols_.clear();
}

}  // namespace calcstore
