#include "apa/ApaReader.h"

#include "platform/Blanks.h"
#include "platform/TextFile.h"

namespace apa {

bool IsApaHeader(const QString& firstLine) {
    return firstLine.startsWith(QStringLiteral("A,")) && firstLine.size() >= 5 &&
           firstLine[4] == u',';
}

bool HasCheckCharacters(const QString& firstLine) {
    return firstLine.size() > 5 && firstLine[5].unicode() >= 32 && firstLine[5] != u',';
}

std::optional<QStringList> NormalizeApaLines(const QStringList& rawLines) {
    if (rawLines.isEmpty()) return std::nullopt;  // an empty file has no header
    QStringList out;
    out.reserve(rawLines.size());
    bool checked = false;
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        QString line = platform::TrimBlanks(rawLines[i]);
        if (i == 0) {
            if (!IsApaHeader(line)) return std::nullopt;
            checked = HasCheckCharacters(line);
        }
        if (checked) {
            if (line.endsWith(u',')) line.chop(1);
            line.chop(1);
        }
        if (!line.endsWith(u',')) line += u',';
        out.append(line);
    }
    return out;
}

std::optional<QStringList> ReadApaFile(const QString& path) {
    return NormalizeApaLines(platform::ReadTextLines(path));
}

}  // namespace apa
