#pragma once
// The card's status (the data of the R,SME reply) and its directory (the data of the R,DIR
// replies), and how the card monitor shows them in the log.

#include <QByteArray>
#include <QList>
#include <QString>

namespace comm::card {

struct CardStatus {
    QString cardType;   // "SDC3 (32,000bytes)" … or "?????              "
    int freeBytes = 0;
    QString idState;    // "OK" or "NO"
    QString writeProtect;  // "Off" or "On"
    QString battery;    // "OK" or "Low"
};

// Reads the R,SME data: card type from bytes 1-4, ID state from byte 5, write protect and
// battery from byte 6, free bytes from the hex pairs at 9-10, 11-12 and 13-14.
CardStatus ParseStatus(const QByteArray& data);

struct CardFile {
    QByteArray name;  // eight bytes: seven name characters padded with '*', then the type
    int size = 0;     // bytes
};

inline constexpr int kDirectoryEntryBytes = 16;
inline constexpr int kMaxDirectoryEntries = 120;

// Cuts the collected R,DIR data into 16-byte entries (at most 120): name in bytes 1-8,
// size in hex in bytes 11-16. A last entry shorter than 4 bytes is no file.
QList<CardFile> ParseDirectory(const QByteArray& data);

// The name up to its first '*', as the user reads it.
QString DisplayName(const QByteArray& cardName);

// The status lines and the file list, three files to a line, as the monitor logs them.
// `version` is the whole data of the R,WHO reply.
QString StatusReport(const QByteArray& version, const CardStatus& status, const QList<CardFile>& files);

// A count of bytes grouped by thousands ("32,000"); empty for 0, as the log has always
// shown an empty card.
QString GroupedBytes(int bytes);

}  // namespace comm::card
