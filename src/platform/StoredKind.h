#pragma once
// How a stored value is read back, decided once per field from its declared type: SQLite
// keeps a Yes/No as an integer, a date as text, and a whole number in a DOUBLE field as an
// integer.

#include <QString>

namespace platform {

enum class StoredKind { Plain, Boolean, DateTime, Real };

StoredKind KindOfDeclaredType(const QString& declaredType);

}  // namespace platform
