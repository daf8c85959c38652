#include "comm/transfer/TransferLines.h"

#include <QFileInfo>

#include "comm/protocol/Checks.h"
#include "comm/protocol/ControlBytes.h"
#include "platform/TextFile.h"

namespace comm {
namespace {

using protocol::ctl::kEot;
using protocol::ctl::kEtx;
using protocol::ctl::kStx;

constexpr qsizetype kFc5Body = 128;

bool StartsWithStx(const QByteArray& block) { return !block.isEmpty() && block.front() == kStx; }

}  // namespace

std::optional<QByteArray> ReceivedLine(const QString& format, const QByteArray& block, bool last) {
    if (last) {
        if (block.size() == 1 && (block.front() == kEtx || block.front() == kEot)) return std::nullopt;
        return block;
    }
    if ((format == u"3PD" || format == u"3GD" || format == u"SDF") && StartsWithStx(block)) return QByteArray();
    if (format == u"FC5") return block.mid(1, kFc5Body);
    if (format == u"DR2") return block.size() > 7 ? block.mid(4, block.size() - 7) : QByteArray();
    return block;
}

QByteArray SendBytes(const QString& format, const QByteArray& line) {
    if (format != u"FC5") return line;
    QByteArray body = line.mid(1);
    if (body != "F00F000" && body != QByteArray(1, kEot))
        body += protocol::Xor3(body);
    return kStx + body + kEtx;
}

QList<QByteArray> SendFileLines(const QString& path) {
    QList<QByteArray> lines;
    for (const QByteArray& l : platform::ReadFileBytes(path).split('\n')) {
        const QByteArray line = l.endsWith('\r') ? l.chopped(1) : l;
        if (!line.isEmpty()) lines.append(line);
    }
    return lines;
}

QString CommErrorText(int code) {
    switch (code) {
        case 1: return QStringLiteral("TimeOutError");
        case 2: return QStringLiteral("PacketDataError");
        case 3: return QString();
        default: return QStringLiteral("通信ｴﾗｰ");
    }
}

QString WithFormatExtension(const QString& path, const QString& format) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.indexOf(u'.');
    const QString renamed = (dot < 0 ? name : name.left(dot)) + u'.' + format;
    const qsizetype folderEnd = path.size() - name.size();
    return path.left(folderEnd) + renamed;
}

}  // namespace comm
