#include "comm/card/CardStatus.h"

#include "comm/card/CardFrame.h"
#include "platform/CodePage.h"

namespace comm::card {
namespace {

QString CardType(const QByteArray& code) {
    if (code == "007E") return QStringLiteral("SDC3 (32,000bytes)");
    if (code == "00FE") return QStringLiteral("SDC4 (64,000bytes)");
    if (code == "01FE") return QStringLiteral("SDC5(128,000bytes)");
    if (code == "03FE") return QStringLiteral("SDC6(256,000bytes)");
    if (code == "07FE") return QStringLiteral("SDCX(512,000bytes)");
    return QStringLiteral("?????              ");
}

// The number, padded on the left with spaces to `width` characters.
QString RightAligned(int value, int width) { return QString::number(value).rightJustified(width, u' '); }

}  // namespace

CardStatus ParseStatus(const QByteArray& data) {
    CardStatus status;
    status.cardType = CardType(data.left(4));
    status.freeBytes = HexValue(data.mid(8, 2)) * 65536 + HexValue(data.mid(10, 2)) * 256 + HexValue(data.mid(12, 2));
    const int idFlags = HexValue(data.mid(4, 1));
    const int cardFlags = HexValue(data.mid(5, 1));
    status.idState = (idFlags & 2) == 0 ? QStringLiteral("OK") : QStringLiteral("NO");
    status.writeProtect = (cardFlags & 8) == 0 ? QStringLiteral("Off") : QStringLiteral("On");
    status.battery = (cardFlags & 1) == 0 ? QStringLiteral("OK") : QStringLiteral("Low");
    return status;
}

QList<CardFile> ParseDirectory(const QByteArray& data) {
    QList<CardFile> files;
    for (qsizetype at = 0; at < data.size() && files.size() < kMaxDirectoryEntries; at += kDirectoryEntryBytes) {
        const QByteArray entry = data.mid(at, kDirectoryEntryBytes);
        if (entry.size() < 4) break;
        files.append({entry.left(8), HexValue(entry.mid(10, 6))});
    }
    return files;
}

QString DisplayName(const QByteArray& cardName) {
    const qsizetype star = cardName.indexOf('*');
    return platform::cp932::Decode(star < 0 ? cardName.left(7) : cardName.left(star));
}

QString GroupedBytes(int bytes) {
    if (bytes <= 0) return {};
    QString digits = QString::number(bytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u',');
    return digits;
}

QString StatusReport(const QByteArray& version, const CardStatus& status, const QList<CardFile>& files) {
    QString text = QStringLiteral("     Version: ") + platform::cp932::Decode(version) + QStringLiteral("        IC Card: ") +
                   status.cardType + u'\n';
    text += QStringLiteral("     ID: ") + status.idState + QStringLiteral("    Free: ") + GroupedBytes(status.freeBytes) +
            QStringLiteral("Bytes") + QStringLiteral("    Battery: ") + status.battery +
            QStringLiteral("    Write protect: ") + status.writeProtect + u'\n';
    for (qsizetype i = 0; i < files.size(); ++i) {
        text += RightAligned(static_cast<int>(i + 1), 4) + QStringLiteral(". ") +
                DisplayName(files[i].name).leftJustified(7, u' ') + QString::number(files[i].size) +
                QStringLiteral("Byte    ");
        if (i % 3 == 2 || i + 1 == files.size()) text += u'\n';
    }
    return text;
}

}  // namespace comm::card
