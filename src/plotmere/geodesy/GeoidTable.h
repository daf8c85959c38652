#pragma once
// The geoid table file (SQLite, table "H": ID, H), kept open between calls for as long as
// the file on disk is the same file: one replaced on disk (another inode, size or time) is
// opened afresh by the next call.

#include <QString>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace plotmere {

class GeoidTable {
  public:
    GeoidTable() = default;
    ~GeoidTable();
    GeoidTable(const GeoidTable&) = delete;
    GeoidTable& operator=(const GeoidTable&) = delete;

    // True when `path` is open for reading nodes (opened now, or still the same file).
    bool Use(const QString& path);
    // The height stored for a node, or nullopt where the table has none.
    std::optional<float> Node(int row, int column);
    void Close();

  private:
    struct Identity {
        unsigned long long device = 0, inode = 0, size = 0;
        long long modified = 0;
        bool operator==(const Identity&) const = default;
    };
    static std::optional<Identity> IdentityOf(const QString& path);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* seek_ = nullptr;
    QString path_;
    Identity identity_;
};

}  // namespace plotmere
