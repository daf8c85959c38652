#include "notebook/PointNames.h"

namespace notebook {

QString PointNames::operator()(const QString& name) {
    if (!lookUp_ || name.isEmpty()) return name;
    const auto found = known_.constFind(name);
    if (found != known_.constEnd()) return *found;
    return *known_.insert(name, lookUp_(name));
}

}  // namespace notebook
