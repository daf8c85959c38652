#include "notebook/NotebookDatabase.h"

#include <QDir>
#include <QFile>

#include "platform/Database.h"
#include "platform/DbError.h"

namespace notebook {
namespace {

using platform::FieldType;
using platform::TableDef;

// Text fields of the given names and sizes, each allowing "".
void TextFields(TableDef& table, const std::vector<std::pair<QString, int>>& fields) {
    for (const auto& [name, size] : fields) table.Field(name, FieldType::Text, size).AllowZeroLength();
}

TableDef DataTable() {
    TableDef t{QStringLiteral("DATA"), {}, {}};
    t.Field(QStringLiteral("ID"), FieldType::Long);
    const int sizes[] = {5, 1, 3, 20, 10, 10, 4, 4, 4, 4, 10, 10, 4, 9, 9, 4, 9, 8, 1, 1, 10, 16};
    std::vector<std::pair<QString, int>> fields;
    for (int i = 0; i < static_cast<int>(std::size(sizes)); ++i)
        fields.emplace_back(QStringLiteral("FLD") + QString::number(i + 1), sizes[i]);
    TextFields(t, fields);
    return t;
}

TableDef HeaderTable() {
    TableDef t{QStringLiteral("HEDDER"), {}, {}};
    t.Field(QStringLiteral("ID"), FieldType::Long);
    std::vector<std::pair<QString, int>> fields;
    for (int i = 1; i <= 15; ++i) fields.emplace_back(QStringLiteral("FLD") + QString::number(i), i == 1 ? 20 : 12);
    fields.emplace_back(QStringLiteral("FLD16"), 8);
    TextFields(t, fields);
    t.PrimaryIndex(QStringLiteral("KEY"), QStringLiteral("ID"));
    return t;
}

TableDef ReductionTable() {
    TableDef t{QStringLiteral("テーブル4"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID")).Field(QStringLiteral("TYPE"), FieldType::Long);
    TextFields(t, {{QStringLiteral("KIKAITEN"), 20}, {QStringLiteral("IH"), 10},
                   {QStringLiteral("KIKAIH"), 10}, {QStringLiteral("H"), 10},
                   {QStringLiteral("SIJUNTEN"), 20}, {QStringLiteral("VANG"), 10},
                   {QStringLiteral("SOKUDIS"), 9}, {QStringLiteral("CULCDIS"), 9},
                   {QStringLiteral("FH"), 10}, {QStringLiteral("DH"), 10},
                   {QStringLiteral("CULCH"), 10}});
    t.Field(QStringLiteral("READH"), FieldType::Long);
    TextFields(t, {{QStringLiteral("HANG"), 10}, {QStringLiteral("メモ"), 16},
                   {QStringLiteral("HANG2"), 10}});
    t.PrimaryIndex(QStringLiteral("KEY"), QStringLiteral("ID"));
    return t;
}

TableDef CorrectionSheetTable() {
    TableDef t{QStringLiteral("KYORIHOSEI"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"));
    const int sizes[] = {20, 20, 10, 10, 10, 9, 9, 9, 10, 9, 9, 8, 9};
    std::vector<std::pair<QString, int>> fields;
    for (int i = 0; i < static_cast<int>(std::size(sizes)); ++i)
        fields.emplace_back(QStringLiteral("FLD") + QString::number(i + 1), sizes[i]);
    TextFields(t, fields);
    return t;
}

TableDef CorrectionInputTable() {
    TableDef t{QStringLiteral("KYORIHOSEI_"), {}, {}};
    t.AutoIncrement(QStringLiteral("ID"));
    TextFields(t, {{QStringLiteral("FLD1"), 20}, {QStringLiteral("FLD2"), 20},
                   {QStringLiteral("FLD3"), 10}, {QStringLiteral("FLD4"), 10},
                   {QStringLiteral("FLD5"), 10}, {QStringLiteral("FLD6"), 9},
                   {QStringLiteral("FLD7"), 9}, {QStringLiteral("FLD-4"), 10},
                   {QStringLiteral("FLD-5"), 10}, {QStringLiteral("FLD-7"), 9},
                   {QStringLiteral("FLD+7"), 9}});
    return t;
}

}  // namespace

std::vector<TableDef> NotebookTables() {
    return {DataTable(), HeaderTable(), ReductionTable(), CorrectionSheetTable(),
            CorrectionInputTable()};
}

int NotebookTextSize(const QString& table, const QString& field) {
    for (const TableDef& t : NotebookTables()) {
        if (t.name.compare(table, Qt::CaseInsensitive) != 0) continue;
        for (const platform::FieldDef& f : t.fields)
            if (f.type == FieldType::Text && f.name.compare(field, Qt::CaseInsensitive) == 0)
                return f.size;
    }
    return 0;
}

QString CreateNotebookDatabase(const QString& folder) {
    const QString path = QDir(folder).filePath(kNotebookFileName);
    if (QFile::exists(path) && !QFile::remove(path)) return QString();
    try {
        const auto db = platform::Database::Create(path);
        for (const TableDef& table : NotebookTables()) db->CreateTable(table);
    } catch (const platform::DbError&) {
        QFile::remove(path);
        return QString();
    }
    return path;
}

}  // namespace notebook
