#include "apa/ApaCheck.h"
#include "apa/ApaLine.h"
#include "apa/ApaReader.h"
#include "apa/ObservationCode.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace apa {
namespace {

// A line of the file as bytes: its text and its line end ("\r\n", "\r", "\n" or none).
struct LineBytes {
    QByteArray text;
    QByteArray end;
};

// Splits where SplitLines does. No CP932 trail byte is CR or LF, so the split is the same
// before and after decoding.
QList<LineBytes> SplitLineBytes(const QByteArray& bytes) {
    QList<LineBytes> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        const qsizetype endLength = bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n' ? 2 : 1;
        lines.append({bytes.mid(start, i - start), bytes.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < n) lines.append({bytes.mid(start), {}});
    return lines;
}

}  // namespace

bool FixObservationCodes(const QString& path, QString& reason, QList<CodeChange>* changes) {
    try {
        QList<LineBytes> file = SplitLineBytes(platform::ReadFileBytes(path));
        QStringList raw;
        for (const LineBytes& line : file) raw.append(platform::cp932::Decode(line.text));
        const auto lines = NormalizeApaLines(raw);
        if (!lines) {
            reason = QStringLiteral("APAデータではありません。");
            return false;
        }
        if (HasCheckCharacters(raw.constFirst().trimmed())) {
            reason = QStringLiteral("チェック文字付きのファイルなので、そのままにします。");
            return false;
        }
        QList<CodeChange> found;
        for (qsizetype i = 0; i < lines->size(); ++i) {
            const QString& line = (*lines)[i];
            if (RecordOf(line) != Record::D || IsPlaceholderStation(line)) continue;
            const QString written = Field(line, 5).trimmed();
            const QString computed = ObservationCode(*lines, i);
            if (written == computed) continue;
            found.append({static_cast<int>(i + 1), written, computed});
            file[i].text = platform::cp932::Encode(ReplaceField(line, 5, computed));
        }
        if (changes) *changes = found;
        if (found.isEmpty()) return true;
        platform::TextFileWriter writer(path);
        for (const LineBytes& line : file) writer.WriteBytes(line.text + line.end);
        writer.Commit();
        return true;
    } catch (const platform::FileError& e) {
        reason = e.Explanation();
        return false;
    }
}

}  // namespace apa
