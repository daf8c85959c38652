#pragma once
// A reference to one point of a traverse's point table, with the role the classification
// gives it.

#include <QString>
#include <QtGlobal>

namespace traverse {

class clsTrb;

// The role texts the classification writes into a sight's tag.
inline const QString kTagForesight = QStringLiteral("前視");  // part of the route
inline const QString kTagRadial = QStringLiteral("放射");     // side shot

// One use of a point (an instrument point, a backsight or a sight). Only the index is
// stored: the name, ID and coordinates stay in the owner's point table, so every use of
// one name sees the same values. The owner is not owned; Clear() drops it.
class clsKan {
  public:
    // index: a position of owner's point table, from 1 to owner->TenCount().
    clsKan(clsTrb* owner, int index);

    // Position in the owner's point table, from 1.
    int Index() const { return index_; }

    // The owner's name of this point; empty once cleared.
    QString TenName() const;
    // The owner's district ID of this point; 0 once cleared, and setting it then does nothing.
    qint32 TenID() const;
    void SetTenID(qint32 id);

    // Empty, kTagForesight or kTagRadial.
    const QString& Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }

    // Forgets the owner so the traverse can be released before its references.
    void Clear() { owner_ = nullptr; }

  private:
    clsTrb* owner_;
    int index_;
    QString tag_;
};

}  // namespace traverse
