#pragma once
// The district coordinate reader: a component the host suite provides, found by its class
// identifier, that hands the menu the district's points as SIMA point lines (A01). The
// built-in one reads the points of the calculation database.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace host {

class DistrictReader {
  public:
    virtual ~DistrictReader() = default;
    // The two set-up calls the menu makes, each with the value 3, before reading.
    virtual void SetUp(int value) = 0;
    virtual void Begin(int value) = 0;
    // Fills lines with one SIMA point line per point; count is their number, 0 for a
    // district without points, -1 when the points could not be read.
    virtual void Read(const QString& databasePath, const QString& regName, QStringList& lines,
                      int& count) = 0;
};

// The class identifier the menu creates the reader by.
inline const QString kDistrictReaderClassId =
    QStringLiteral("{6F1D2A40-7C3B-4E58-9A21-5C0D7E3B0007}");

using DistrictReaderFactory = std::function<std::unique_ptr<DistrictReader>()>;
// Registers a reader under a class identifier (a host may replace the built-in one).
void RegisterDistrictReader(const QString& classId, DistrictReaderFactory factory);
// The reader of that class, or nullptr when none is registered.
std::unique_ptr<DistrictReader> CreateDistrictReader(const QString& classId);

// A SIMA point line: "A01," number (5, right), name (8, left), X and Y (11, right, metres
// with 3 decimals), Z (empty when the point has no height), each followed by ",".
QString SimaPointLine(qint32 number, const QString& name, double x, double y, const QString& z);

}  // namespace host
