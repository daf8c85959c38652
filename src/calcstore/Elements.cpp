#include "calcstore/Elements.h"

#include <memory>

#include "platform/AutomationError.h"

namespace calcstore {

Elements::Elements() : cells_(QStringLiteral("Elements")) {}

QString Elements::CellKey(int row, int col) {
    return QStringLiteral("R%1C%2").arg(row).arg(col);
}

void Elements::AddCols(qint32 type) {
    cols_.push_back(type);
}

void Elements::AddItem(const QVariantList& values) {
    for (int col = 0; col < Cols(); ++col) {
        auto item = std::make_unique<InputItem>();
        if (col < values.size())
            item->SetValue(cols_[col], values[col]);
        else
            item->InitValue(cols_[col]);
        const QString key = CellKey(rows_, col);
        item->SetOwner(key, this);
        cells_.Add(key, std::move(item));
    }
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
