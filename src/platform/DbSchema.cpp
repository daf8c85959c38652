#include "platform/DbSchema.h"

#include <QStringList>

#include "platform/DbError.h"

namespace platform {
namespace {

// Declared types carry the kind of value back when the field is read (KindOfDeclaredType).
QString DeclaredType(const FieldDef& f) {
    switch (f.type) {
        case FieldType::Boolean:
            return QStringLiteral("BOOLEAN");
        case FieldType::Byte:
            return QStringLiteral("TINYINT");
        case FieldType::Integer:
            return QStringLiteral("SMALLINT");
        case FieldType::Long:
            return QStringLiteral("INTEGER");
        case FieldType::Single:
            return QStringLiteral("FLOAT");
        case FieldType::Double:
            return QStringLiteral("DOUBLE");
        case FieldType::Date:
            return QStringLiteral("DATETIME");
        case FieldType::Text:
            return QStringLiteral("VARCHAR(%1)").arg(f.size > 0 ? f.size : 255);
        case FieldType::Memo:
            return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

bool IsText(const FieldDef& f) {
    return f.type == FieldType::Text || f.type == FieldType::Memo;
}

const IndexDef* PrimaryOf(const TableDef& table) {
    for (const IndexDef& index : table.indexes)
        if (index.primary) return &index;
    return nullptr;
}

}  // namespace

QString QuoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QStringList CreateTableStatements(const TableDef& table) {
    const IndexDef* primary = PrimaryOf(table);
    QStringList columns;
    for (const FieldDef& f : table.fields) {
        const QString name = QuoteIdentifier(f.name);
        QString column = name + u' ';
        if (f.autoIncrement) {
            if (primary && primary->field.compare(f.name, Qt::CaseInsensitive) != 0)
                throw DbError(
                    QStringLiteral("自動番号のフィールド %1 は主キーでなければなりません。")
                        .arg(f.name));
            column += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        } else {
            column += DeclaredType(f);
            if (primary && primary->field.compare(f.name, Qt::CaseInsensitive) == 0)
                column += QStringLiteral(" PRIMARY KEY");
        }
        if (f.required) column += QStringLiteral(" NOT NULL");
        if (IsText(f) && !f.allowZeroLength)
            column += QStringLiteral(" CHECK (length(%1) > 0)").arg(name);
        if (f.type == FieldType::Text && f.size > 0)
            column += QStringLiteral(" CHECK (length(%1) <= %2)").arg(name).arg(f.size);
        columns.append(column);
    }
    QStringList statements;
    statements.append(QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(QuoteIdentifier(table.name), columns.join(QStringLiteral(", "))));
    // Indexes are named "<table>.<index>" so that a table's index is found by its own name.
    for (const IndexDef& index : table.indexes) {
        statements.append(
            QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                .arg(index.unique || index.primary ? QStringLiteral("UNIQUE ") : QString(),
                     QuoteIdentifier(table.name + u'.' + index.name), QuoteIdentifier(table.name),
                     QuoteIdentifier(index.field)));
    }
    return statements;
}

}  // namespace platform
