#pragma once
// Table definitions: typed fields with text sizes, zero-length text allowed or not,
// auto-increment, and named indexes (one of them primary).

#include <QString>
#include <vector>

namespace platform {

enum class FieldType { Boolean, Byte, Integer, Long, Single, Double, Date, Text, Memo };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;  // characters, for Text
    bool allowZeroLength = false;
    bool autoIncrement = false;
    bool required = false;
};

struct IndexDef {
    QString name;
    QString field;
    bool primary = false;
    bool unique = false;
};

struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    TableDef& Field(const QString& fieldName, FieldType type, int size = 0) {
        fields.push_back({fieldName, type, size, false, false, false});
        return *this;
    }
    TableDef& AutoIncrement(const QString& fieldName) {
        fields.push_back({fieldName, FieldType::Long, 0, false, true, false});
        return *this;
    }
    // Lets the text field last added hold "".
    TableDef& AllowZeroLength() {
        fields.back().allowZeroLength = true;
        return *this;
    }
    TableDef& PrimaryIndex(const QString& indexName, const QString& fieldName) {
        indexes.push_back({indexName, fieldName, true, true});
        return *this;
    }
    TableDef& Index(const QString& indexName, const QString& fieldName, bool unique = false) {
        indexes.push_back({indexName, fieldName, false, unique});
        return *this;
    }
};

// The SQL that creates the table and its indexes.
QStringList CreateTableStatements(const TableDef& table);

// An identifier quoted for SQL: "name" with inner quotes doubled.
QString QuoteIdentifier(const QString& name);

}  // namespace platform
