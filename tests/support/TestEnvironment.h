#pragma once
// What every test process shares: a private temporary root, and helpers for files in it.

#include <QByteArray>
#include <QString>

namespace test {

// The process's temporary root (removed at exit).
QString Root();
// A new empty folder under the root.
QString NewFolder(const QString& name);
// Writes bytes to a file, creating its folder.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

}  // namespace test
