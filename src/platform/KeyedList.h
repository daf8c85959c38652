#pragma once
// An ordered collection whose items are found by 1-based position or by text key, with
// the errors of the automation collections for a missing element.

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>
#include <utility>
#include <vector>

#include "platform/AutomationError.h"

namespace platform {

template <typename T>
class KeyedList {
  public:
    explicit KeyedList(QString source = {}) : source_(std::move(source)) {}

    int Count() const { return static_cast<int>(items_.size()); }

    // Appends the item; false (nothing added) when the key is taken.
    [[nodiscard]] bool Add(const QString& key, std::unique_ptr<T> item) {
        if (!key.isEmpty() && index_.contains(key)) return false;
        items_.push_back({key, std::move(item)});
        if (!key.isEmpty()) index_.insert(key, Count() - 1);
        return true;
    }

    // Appends every item or none: false (nothing added) when a key is taken, or given twice.
    [[nodiscard]] bool AddAll(std::vector<std::pair<QString, std::unique_ptr<T>>> entries) {
        QSet<QString> keys;
        for (const auto& [key, item] : entries) {
            if (key.isEmpty()) continue;
            if (index_.contains(key) || keys.contains(key)) return false;
            keys.insert(key);
        }
        items_.reserve(items_.size() + entries.size());
        for (auto& [key, item] : entries) {
            if (!key.isEmpty()) index_.insert(key, Count());
            items_.push_back({key, std::move(item)});
        }
        return true;
    }

    T* Find(const QString& key) const {
        const auto it = index_.constFind(key);
        return it == index_.constEnd() ? nullptr : items_[*it].item.get();
    }
    T* At(int position) const {  // 1-based; nullptr when outside
        return position >= 1 && position <= Count() ? items_[position - 1].item.get() : nullptr;
    }
    const QString& KeyAt(int position) const { return items_[position - 1].key; }

    // A text index is a key, a number is a position; a missing element throws.
    T& Item(const QVariant& index) const {
        if (index.metaType().id() == QMetaType::QString) {
            if (T* item = Find(index.toString())) return *item;
            throw AutomationError::InvalidArgument(source_);
        }
        bool ok = false;
        const int position = index.toInt(&ok);
        if (T* item = ok ? At(position) : nullptr) return *item;
        throw AutomationError::SubscriptOutOfRange(source_);
    }

    void Clear() {
        items_.clear();
        index_.clear();
    }

    template <typename F>
    void ForEach(F&& f) const {
        for (const auto& entry : items_) f(*entry.item);
    }

  private:
    struct Entry {
        QString key;
        std::unique_ptr<T> item;
    };
    QString source_;
    std::vector<Entry> items_;
    QHash<QString, int> index_;
};

}  // namespace platform
