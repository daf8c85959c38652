#include "platform/DbStatement.h"

#include <QDateTime>
#include <QStringEncoder>
#include <limits>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/StatementCache.h"

namespace platform {
namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QVariant IntegerVariant(qint64 v) {
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return QVariant(static_cast<qint32>(v));
    return QVariant(static_cast<qlonglong>(v));
}

QString Text(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

QString Utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

QVariant DateTimeValue(sqlite3_stmt* stmt, int column) {
    const QString text = Text(stmt, column);
    const QDateTime parsed = QDateTime::fromString(text, kDateFormat);
    if (parsed.isValid()) return parsed;
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid()) return iso;
    return text;
}

}  // namespace

StoredKind KindOfDeclaredType(const QString& declaredType) {
    const QString type = declaredType.toUpper();
    if (type.contains(QStringLiteral("BOOL"))) return StoredKind::Boolean;
    if (type.contains(QStringLiteral("DATE")) || type.contains(QStringLiteral("TIME")))
        return StoredKind::DateTime;
    if (type.contains(QStringLiteral("DOUB")) || type.contains(QStringLiteral("FLOA")) ||
        type.contains(QStringLiteral("REAL")))
        return StoredKind::Real;
    return StoredKind::Plain;
}

QString EngineErrorText(int code, const char* engineMessage) {
    // The faults a user can do something about are told in the program's language; the
    // rest keep the engine's own words, which name the statement's mistake.
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
            return QStringLiteral("データベースのファイルではありません。");
        case SQLITE_CORRUPT:
            return QStringLiteral("データベースのファイルが壊れています。");
        case SQLITE_CANTOPEN:
            return QStringLiteral("データベースのファイルを開けません。");
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return QStringLiteral("データベースに書き込む権限がありません。");
        case SQLITE_FULL:
            return QStringLiteral("ディスクがいっぱいで書き込めません。");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("データベースは他のプログラムが使用中です。");
        case SQLITE_IOERR:
            return QStringLiteral("データベースの読み書きに失敗しました。");
        default:
            return QString::fromUtf8(engineMessage);
    }
}

void ThrowDbError(sqlite3* db, const QString& context) {
    const int code = sqlite3_extended_errcode(db);
    QString description = EngineErrorText(code, sqlite3_errmsg(db));
    if (!context.isEmpty()) description = context + QStringLiteral(": ") + description;
    throw DbError(description, code);
}

DbStatement::DbStatement(Database& db, const QString& sql, Compile compile)
    : db_(db.Handle()),
      cache_(db.statements_.get()),
      sql_(sql),
      stmt_(compile == Compile::Reuse ? cache_->Take(sql) : cache_->Prepare(sql)) {}

DbStatement::~DbStatement() {
    cache_->Give(sql_, stmt_);
}

void DbStatement::Bind(const QVariantList& params) {
    if (params.size() != sqlite3_bind_parameter_count(stmt_))
        throw DbError(QStringLiteral("パラメータの数が合いません。"));
    for (int i = 0; i < params.size(); ++i) Bind(i + 1, params[i]);
}

void DbStatement::Bind(int parameter, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(stmt_, parameter);
        return;
    }
    const void* data = value.constData();
    switch (value.metaType().id()) {
        case QMetaType::QString:
            BindText(parameter, *static_cast<const QString*>(data));
            return;
        case QMetaType::Int:
            sqlite3_bind_int(stmt_, parameter, *static_cast<const int*>(data));
            return;
        case QMetaType::Double:
            sqlite3_bind_double(stmt_, parameter, *static_cast<const double*>(data));
            return;
        case QMetaType::Bool:
            sqlite3_bind_int(stmt_, parameter, *static_cast<const bool*>(data) ? 1 : 0);
            return;
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(stmt_, parameter, value.toLongLong());
            return;
        case QMetaType::Float:
            sqlite3_bind_double(stmt_, parameter, value.toDouble());
            return;
        case QMetaType::QDateTime:
        case QMetaType::QDate:
            BindText(parameter, value.toDateTime().toString(kDateFormat));
            return;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob(stmt_, parameter, bytes.constData(), static_cast<int>(bytes.size()),
                              SQLITE_TRANSIENT);
            return;
        }
        default:
            BindText(parameter, value.toString());
    }
}

// The UTF-8 goes into a buffer of the parameter that the statement keeps, so that rows bound
// one after another reuse it and SQLite need not copy it.
void DbStatement::BindText(int parameter, QStringView text) {
    if (texts_.size() < static_cast<size_t>(parameter)) texts_.resize(parameter);
    QByteArray& utf8 = texts_[parameter - 1];
    utf8.resize(text.size() * 3);
    QStringEncoder encoder(QStringEncoder::Utf8);
    utf8.truncate(encoder.appendToBuffer(utf8.data(), text) - utf8.data());
    sqlite3_bind_text(stmt_, parameter, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_STATIC);
}

bool DbStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    ThrowDbError(db_);
}

void DbStatement::Reset() {
    sqlite3_reset(stmt_);
}

int DbStatement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

QString DbStatement::ColumnName(int column) const {
    return Utf8(sqlite3_column_name(stmt_, column));
}

QString DbStatement::DeclaredType(int column) const {
    return Utf8(sqlite3_column_decltype(stmt_, column));
}

QString DbStatement::ColumnSchema(int column) const {
    return Utf8(sqlite3_column_database_name(stmt_, column));
}

QString DbStatement::ColumnTable(int column) const {
    return Utf8(sqlite3_column_table_name(stmt_, column));
}

QString DbStatement::ColumnOrigin(int column) const {
    return Utf8(sqlite3_column_origin_name(stmt_, column));
}

QVariant DbStatement::Value(int column) const {
    return Value(column, KindOfDeclaredType(DeclaredType(column)));
}

// A Yes/No field that another program left empty reads as No.
QVariant DbStatement::Value(int column, StoredKind kind) const {
    const int storage = sqlite3_column_type(stmt_, column);
    if (kind == StoredKind::Boolean) return QVariant(sqlite3_column_int64(stmt_, column) != 0);
    if (storage == SQLITE_NULL) return {};
    if (kind == StoredKind::DateTime)
        return storage == SQLITE_TEXT ? DateTimeValue(stmt_, column) : Text(stmt_, column);
    switch (storage) {
        case SQLITE_INTEGER:
            if (kind == StoredKind::Real)
                return QVariant(static_cast<double>(sqlite3_column_int64(stmt_, column)));
            return IntegerVariant(sqlite3_column_int64(stmt_, column));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, column));
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                              sqlite3_column_bytes(stmt_, column));
        default:
            return Text(stmt_, column);
    }
}

qint64 DbStatement::Int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

}  // namespace platform
