#pragma once
// The district's point numbering rules: contiguous ranges of point numbers in ascending
// order of StartNo, each keyed "NUM" + StartNo in ten digits; the last ends at kOpenEnd.
// Converts point numbers (123, 123.4, 123.4.2) to point names and back.

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "calcstore/Numbering.h"

namespace calcstore {

class Numberings {
  public:
    // Inserts a copy of the rule in order and re-links the neighbouring ends. A rule whose
    // StartNo is taken is refused with a message; nullptr then.
    std::shared_ptr<Numbering> Add(const Numbering& rule);
    // Removes the rule at a 1-based position; the ranges stay contiguous.
    void Remove(int index);
    int Count() const { return static_cast<int>(rules_.size()); }
    // Empties dis and adds every rule of src in order.
    static void Copy(Numberings& dis, const Numberings& src);
    void Clear() { rules_.clear(); }
    // By 1-based position or by key; throws AutomationError when missing.
    std::shared_ptr<Numbering> Item(const QVariant& index) const;
    static QString Key(qint32 startNo);

    // Point number -> point name; the text itself when no rule covers it.
    QString GetTenMei(const QString& number) const;
    // Point name -> point number; empty when no rule matches.
    QString GetTenNo(const QString& name) const;
    // A key that sorts point names by their numbers; unnumbered names after all of them.
    QString GetSortTenNo(const QString& name) const;

    // Adds every row of TENBAN in the database file. False when it cannot be read.
    bool ReadAllDB(const QString& databasePath);

  private:
    struct Parsed {
        qint64 main = 0;
        QString branch1;  // empty when absent
        QString branch2;
    };
    bool Parse(const Numbering& rule, const QString& name, Parsed& out) const;
    const Numbering* Match(const QString& name, Parsed& out) const;

    std::vector<std::shared_ptr<Numbering>> rules_;
};

// The program's own rule collection, loaded by SetNumbers and cleared at program end.
Numberings& ProcessNumberings();

}  // namespace calcstore
