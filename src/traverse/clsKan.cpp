#include "traverse/clsKan.h"

#include "traverse/clsTrb.h"

namespace traverse {

clsKan::clsKan(clsTrb* owner, int index) : owner_(owner), index_(index) {}

QString clsKan::TenName() const {
    return owner_ ? owner_->TenName(index_) : QString();
}

qint32 clsKan::TenID() const {
    return owner_ ? owner_->TenID(index_) : 0;
}

void clsKan::SetTenID(qint32 id) {
    if (owner_) owner_->SetTenID(index_, id);
}

}  // namespace traverse
