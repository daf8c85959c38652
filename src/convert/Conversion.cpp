#include "convert/Conversion.h"

#include <QDir>
#include <QFileInfo>

#include "convert/FormatDetection.h"
#include "convert/RawLines.h"
#include "platform/TextFile.h"

namespace convert {
namespace {

struct FormatEntry {
    const char* code;
    Converter converter;
    // The data is one character stream whose line ends mean nothing: an instrument may send
    // all of it as one line, so a single line is data, not a header alone.
    bool stream = false;
};

// The data-format menu's instrument formats and their converters.
constexpr FormatEntry kFormats[] = {
    {"3GD", ConvertSdr3g},      {"3PD", ConvertSdr3p},      {"SDF", ConvertSdf},
    {"SC1", ConvertSokkiaCard}, {"SCR", ConvertSokkiaCard}, {"FC5", ConvertFc5, true},
    {"GSI", ConvertGsi},        {"DR2", ConvertDr2},
};

const FormatEntry* FindFormat(const QString& code) {
    for (const FormatEntry& entry : kFormats)
        if (code == QLatin1StringView(entry.code)) return &entry;
    return nullptr;
}

// Counts the lines that hold anything, up to two: a raw file of one line has no data after
// its header.
int ContentLines(QByteArrayView bytes) {
    RawLineReader reader(bytes);
    RawLine line;
    int count = 0;
    while (count < 2 && reader.Next(line))
        if (!TrimLineEnd(line.text).isEmpty()) ++count;
    return count;
}

}  // namespace

void ConversionLog::Skip(qsizetype line, const QString& reason) {
    ++skipped_;
    if (notes_.size() < kKeptNotes) notes_.append({line, reason, true});
}

void ConversionLog::Flag(qsizetype line, const QString& reason) {
    ++flagged_;
    if (notes_.size() < kKeptNotes) notes_.append({line, reason, false});
}

QStringList ConvertibleFormats() {
    QStringList codes;
    for (const FormatEntry& entry : kFormats) codes.append(QLatin1StringView(entry.code));
    return codes;
}

ConversionResult ConvertFile(const QString& format, const QString& input, const QString& output) {
    ConversionResult result;
    const QFileInfo in(input);
    const QFileInfo out(output);
    if (out.exists() && in.canonicalFilePath() == out.canonicalFilePath()) {
        result.outcome = Outcome::SameFile;
        return result;
    }
    const platform::FileBytes file(input);
    const QByteArrayView bytes = file.View();
    const QByteArrayView first = FirstContentLine(bytes);
    if (first.isEmpty()) {
        result.outcome = Outcome::Empty;
        return result;
    }
    if (IsApaData(first)) {
        ApaRecordWriter(output).CopyAndFinish(bytes);
        result.outcome = Outcome::Copied;
        result.format = QStringLiteral("APA");
        return result;
    }
    const FormatEntry* entry = FindFormat(format);
    if (!entry) entry = FindFormat(DetectFormat(first));
    if (!entry) return result;  // NotRecognised
    result.format = QLatin1StringView(entry->code);
    if (!entry->stream && ContentLines(bytes) < 2) {
        result.outcome = Outcome::SingleLine;
        return result;
    }
    ApaRecordWriter writer(output);
    ConversionLog log;
    writer.WriteHeader();
    entry->converter(bytes, writer, log);
    writer.Finish();
    result.outcome = Outcome::Converted;
    result.stations = writer.Stations();
    result.sightings = writer.Sightings();
    result.skippedLines = log.Skipped();
    result.flaggedLines = log.Flagged();
    result.notes = log.Notes();
    return result;
}

QString FailureText(const ConversionResult& result) {
    switch (result.outcome) {
        case Outcome::Converted:
        case Outcome::Copied:
            return QString();
        case Outcome::Empty:
            return QStringLiteral("データがありません（空か、空白と制御文字だけのファイルです）。");
        case Outcome::SingleLine:
            return QStringLiteral("1 行しかなく、変換するデータがありません。");
        case Outcome::NotRecognised:
            return QStringLiteral("データ形式を判別できません（1 行目がどの機種の形式にも"
                                  "当たりません）。");
        case Outcome::SameFile:
            return QStringLiteral("出力先が変換元のファイルそのものです（変換元を上書きしてしまいます）。");
    }
    return QString();
}

QString ApaOutputPath(const QString& rawPath, const QString& folder) {
    const QString name = QFileInfo(rawPath).fileName();
    const QString stem = name.size() > 4 ? name.left(name.size() - 4) : name;
    return QDir(folder).filePath(stem + QStringLiteral(".APA"));
}

}  // namespace convert
