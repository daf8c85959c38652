#include "platform/DbStatement.h"

#include <QDateTime>
#include <limits>

#include "platform/DbError.h"

namespace platform {
namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

void BindOne(sqlite3_stmt* stmt, int index, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            sqlite3_bind_int(stmt, index, value.toBool() ? 1 : 0);
            return;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(stmt, index, value.toLongLong());
            return;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(stmt, index, value.toDouble());
            return;
        case QMetaType::QDateTime:
        case QMetaType::QDate: {
            const QByteArray text = value.toDateTime().toString(kDateFormat).toUtf8();
            sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
            return;
        }
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob(stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                              SQLITE_TRANSIENT);
            return;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
}

QVariant IntegerVariant(qint64 v) {
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return QVariant(static_cast<qint32>(v));
    return QVariant(static_cast<qlonglong>(v));
}

QString Text(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

}  // namespace

void ThrowDbError(sqlite3* db, const QString& context) {
    QString description = QString::fromUtf8(sqlite3_errmsg(db));
    if (!context.isEmpty()) description = context + QStringLiteral(": ") + description;
    throw DbError(description, sqlite3_extended_errcode(db));
}

QVariant FromStored(sqlite3_stmt* stmt, int column, const QString& declaredType) {
    const int storage = sqlite3_column_type(stmt, column);
    if (storage == SQLITE_NULL) return {};
    const QString type = declaredType.toUpper();
    if (type.contains(QStringLiteral("BOOL")))
        return QVariant(sqlite3_column_int64(stmt, column) != 0);
    if (type.contains(QStringLiteral("DATE")) || type.contains(QStringLiteral("TIME"))) {
        if (storage == SQLITE_TEXT) {
            const QDateTime parsed = QDateTime::fromString(Text(stmt, column), kDateFormat);
            if (parsed.isValid()) return parsed;
            const QDateTime iso = QDateTime::fromString(Text(stmt, column), Qt::ISODate);
            if (iso.isValid()) return iso;
        }
        return Text(stmt, column);
    }
    switch (storage) {
        case SQLITE_INTEGER:
            if (type.contains(QStringLiteral("DOUB")) || type.contains(QStringLiteral("FLOA")) ||
                type.contains(QStringLiteral("REAL")))
                return QVariant(static_cast<double>(sqlite3_column_int64(stmt, column)));
            return IntegerVariant(sqlite3_column_int64(stmt, column));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt, column));
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                              sqlite3_column_bytes(stmt, column));
        default:
            return Text(stmt, column);
    }
}

DbStatement::DbStatement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr) !=
        SQLITE_OK)
        ThrowDbError(db_);
    if (!stmt_) throw DbError(QStringLiteral("空の SQL 文です。"));
}

DbStatement::~DbStatement() {
    sqlite3_finalize(stmt_);
}

void DbStatement::Bind(const QVariantList& params) {
    if (params.size() != sqlite3_bind_parameter_count(stmt_))
        throw DbError(QStringLiteral("パラメータの数が合いません。"));
    for (int i = 0; i < params.size(); ++i) BindOne(stmt_, i + 1, params[i]);
}

bool DbStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    ThrowDbError(db_);
}

int DbStatement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

QString DbStatement::ColumnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QString DbStatement::DeclaredType(int column) const {
    const char* type = sqlite3_column_decltype(stmt_, column);
    return type ? QString::fromUtf8(type) : QString();
}

QVariant DbStatement::Value(int column) const {
    return FromStored(stmt_, column, DeclaredType(column));
}

qint64 DbStatement::Int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

}  // namespace platform
