#include "notebook/report/ReportRecords.h"

#include <algorithm>

#include "notebook/NotebookDatabase.h"
#include "notebook/NotebookTransaction.h"
#include "platform/Database.h"
#include "platform/DbSchema.h"
#include "platform/FileError.h"
#include "platform/Recordset.h"

namespace notebook::report {
namespace {

const platform::TableDef& TableOf(const QString& name) {
    static const std::vector<platform::TableDef> tables = NotebookTables();
    return *std::find_if(tables.begin(), tables.end(),
                         [&](const platform::TableDef& t) { return t.name == name; });
}

// Every row of the table in ID order, each field as text.
std::vector<Record> ReadTable(platform::Database& db, const QString& name) {
    const platform::TableDef& table = TableOf(name);
    auto rows = db.OpenRecordset(
        QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(platform::QuoteIdentifier(name)));
    std::vector<Record> read;
    for (; !rows->Eof(); rows->MoveNext()) {
        Record& record = read.emplace_back();
        for (const platform::FieldDef& field : table.fields)
            record.insert(field.name.toUpper(), rows->Field(field.name).toString());
    }
    return read;
}

qint64 IdOf(const Record& record) {
    return record.value(QStringLiteral("ID")).toLongLong();
}

std::vector<ReportSection> ReadSections(platform::Database& db, Report report) {
    switch (report) {
        case Report::DistanceCorrection:
            return {{Record(), ReadTable(db, QStringLiteral("KYORIHOSEI"))}};
        case Report::DistanceHeight:
            return {{Record(), ReadTable(db, QStringLiteral("テーブル4"))}};
        case Report::ObservationNotebook:
            break;
    }
    return SplitByStation(ReadTable(db, QStringLiteral("HEDDER")),
                          ReadTable(db, QStringLiteral("DATA")));
}

}  // namespace

std::vector<ReportSection> SplitByStation(const std::vector<Record>& headers,
                                          const std::vector<Record>& data) {
    std::vector<ReportSection> sections;
    auto header = headers.begin();
    for (const Record& row : data) {
        const qint64 id = IdOf(row);
        while (header != headers.end() && IdOf(*header) < id) sections.push_back({*header++, {}});
        if (sections.empty()) sections.push_back({Record(), {}});
        sections.back().rows.push_back(row);
    }
    // A station without lines still has its page.
    for (; header != headers.end(); ++header) sections.push_back({*header, {}});
    return sections;
}

std::vector<ReportSection> ReadReportSections(const QString& path, Report report) {
    std::vector<ReportSection> sections;
    if (!InNotebookTransaction(
            path, [&](platform::Database& db) { sections = ReadSections(db, report); }))
        throw platform::FileError(path, QStringLiteral("観測手簿のデータベースを読めません"));
    return sections;
}

}  // namespace notebook::report
