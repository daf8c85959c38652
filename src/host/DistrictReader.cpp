#include "host/DistrictReader.h"

#include <QHash>

#include "calcstore/clsCoord.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

namespace host {
namespace {

// Reads the present points of COORD, ordered by their ID.
class CoordReader : public DistrictReader {
  public:
    void SetUp(int) override {}
    void Begin(int) override {}
    void Read(const QString& databasePath, const QString&, QStringList& lines,
              int& count) override {
        lines.clear();
        try {
            auto db = platform::Database::Open(databasePath);
            auto rs =
                db->OpenRecordset(QStringLiteral("SELECT ID, Name, X, Y, Z FROM COORD WHERE "
                                                 "IFNULL(DELFLG, FALSE) = FALSE ORDER BY ID"));
            for (; !rs->Eof(); rs->MoveNext()) {
                const double z = rs->Field(QStringLiteral("Z")).toDouble();
                const bool hasZ = !rs->Field(QStringLiteral("Z")).isNull() &&
                                  z != calcstore::clsCoord::NoHeight();
                lines << SimaPointLine(rs->Field(QStringLiteral("ID")).toInt(),
                                       rs->Field(QStringLiteral("Name")).toString(),
                                       rs->Field(QStringLiteral("X")).toDouble(),
                                       rs->Field(QStringLiteral("Y")).toDouble(),
                                       hasZ ? QString::number(z, 'f', 3) : QString());
            }
            count = static_cast<int>(lines.size());
        } catch (const platform::DbError&) {
            lines.clear();
            count = -1;
        }
    }
};

QHash<QString, DistrictReaderFactory>& Registry() {
    static QHash<QString, DistrictReaderFactory> registry{
        {kDistrictReaderClassId, [] { return std::make_unique<CoordReader>(); }}};
    return registry;
}

}  // namespace

void RegisterDistrictReader(const QString& classId, DistrictReaderFactory factory) {
    Registry().insert(classId, std::move(factory));
}

std::unique_ptr<DistrictReader> CreateDistrictReader(const QString& classId) {
    const auto it = Registry().constFind(classId);
    return it == Registry().constEnd() ? nullptr : (*it)();
}

// Joined piece by piece: a point name is the surveyor's text and may hold "%1".
QString SimaPointLine(qint32 number, const QString& name, double x, double y, const QString& z) {
    const QStringList fields = {
        QStringLiteral("A01"),
        QString::number(number).rightJustified(5),
        name.leftJustified(8),
        QString::number(x, 'f', 3).rightJustified(11),
        QString::number(y, 'f', 3).rightJustified(11),
        z,
    };
    return fields.join(u',') + u',';
}

}  // namespace host
