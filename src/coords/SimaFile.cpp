#include "coords/SimaFile.h"

#include <QStringDecoder>

#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace coords {
namespace {

// UTF-8 when the bytes say so (a byte-order mark), or when they hold characters beyond ASCII
// and all of them decode as UTF-8: CP932 text with a few Japanese characters practically
// never does (its half-width katakana and second bytes break the UTF-8 sequences).
bool LooksUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return !utf8.hasError() && text.size() != bytes.size();
}

}  // namespace

QStringList NewSimaLines() {
    return {QStringLiteral("Z00,/ ＳＩＭＡ共通フォーマット /,"), QStringLiteral("G00,01,,"), QStringLiteral("A00,"),
            QStringLiteral("A01,,,,,,"), QStringLiteral("A99,"), QStringLiteral("Z,")};
}

SimaText ParseSimaBytes(const QByteArray& bytes) {
    SimaText text;
    QString content = platform::cp932::Decode(bytes);
    if (LooksUtf8(bytes)) {
        content = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
        text.readAsUtf8 = true;
    }
    if (!content.contains(u"\r\n") && content.contains(u'\n')) text.lineEnd = QStringLiteral("\n");
    text.lastLineEnded = content.isEmpty() || content.endsWith(u'\n') || content.endsWith(u'\r');
    text.lines = platform::SplitLines(content);
    return text;
}

SimaText ReadSimaFile(const QString& path) { return ParseSimaBytes(platform::ReadFileBytes(path)); }

QByteArray SimaBytes(const SimaText& text) {
    QString content = text.lines.join(text.lineEnd);
    if (text.lastLineEnded && !text.lines.isEmpty()) content += text.lineEnd;
    return platform::cp932::Encode(content);
}

void WriteSimaFile(const QString& path, const SimaText& text) { platform::WriteFileBytes(path, SimaBytes(text)); }

}  // namespace coords
