#include "plotmere/geodesy/GeoidTable.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>
#include <sys/stat.h>

#include "plotmere/geodesy/GeoidGrid.h"

namespace plotmere {

GeoidTable::~GeoidTable() { Close(); }

std::optional<GeoidTable::Identity> GeoidTable::IdentityOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return Identity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                    static_cast<unsigned long long>(st.st_size),
                    static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool GeoidTable::Use(const QString& path) {
    const std::optional<Identity> identity = IdentityOf(path);
    if (!identity) {
        Close();
        return false;
    }
    if (db_ && path == path_ && *identity == identity_) return true;
    Close();
    // The table is read at random, a few nodes per call. Opened as immutable it takes no
    // file locks and reads no change counter per statement: a change of the file is this
    // class's to notice (its identity, above), and it reopens the file then. Mapped into
    // memory, its pages cost no read calls once touched.
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?immutable=1";
    if (sqlite3_open_v2(uri.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db_, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -65536;", nullptr, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_prepare_v2(db_, "SELECT H FROM H WHERE ID = ?", -1, &seek_, nullptr) != SQLITE_OK) {
        Close();
        return false;
    }
    path_ = path;
    identity_ = *identity;
    return true;
}

std::optional<float> GeoidTable::Node(int row, int column) {
    if (!seek_) return std::nullopt;
    sqlite3_reset(seek_);
    sqlite3_bind_int(seek_, 1, NodeId(row, column));
    if (sqlite3_step(seek_) != SQLITE_ROW) return std::nullopt;
    return static_cast<float>(sqlite3_column_double(seek_, 0));
}

void GeoidTable::Close() {
    sqlite3_finalize(seek_);
    seek_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
    path_.clear();
}

}  // namespace plotmere
