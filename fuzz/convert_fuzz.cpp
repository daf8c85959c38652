// Feeds arbitrary bytes to the conversion driver: detection, the copy of field books and
// every converter behind it, each converter by its own format code and by detection. None
// may crash or hang, and what a converter writes must pass the field book's structural check
// (record order, numbers, sighting numbers, observation codes).
// Build: see apa_fuzz.cpp; target fuzz_convert.
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_convert -max_total_time=600 CORPUS_FOLDER
// Seeds worth giving: small GSI-8 and GSI-16 files with code blocks (tests/convert builds
// them), the files of ../shared/samples/.

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "apa/ApaCheck.h"
#include "convert/Conversion.h"
#include "platform/TextFile.h"

namespace {

void Require(bool condition, const char* what, const QString& detail = QString()) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s %s\n", what, qPrintable(detail));
    std::abort();
}

const QTemporaryDir& Scratch() {
    static const QTemporaryDir dir;
    return dir;
}

void ConvertWith(const QString& format, const QString& input, const QByteArray& bytes) {
    const QString output = Scratch().filePath(QStringLiteral("out.APA"));
    QFile::remove(output);
    const convert::ConversionResult result = convert::ConvertFile(format, input, output);
    if (result.outcome == convert::Outcome::Copied) {
        Require(platform::ReadFileBytes(output) == bytes, "a field book is copied unchanged");
        return;
    }
    if (result.outcome != convert::Outcome::Converted) {
        Require(!QFile::exists(output), "nothing written when nothing converts");
        return;
    }
    const QList<apa::ApaProblem> problems = apa::CheckApaFile(output);
    Require(problems.isEmpty(), "a converted file passes the check",
            problems.isEmpty() ? QString() : problems.first().message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString input = Scratch().filePath(QStringLiteral("raw.dat"));
    platform::TextFileWriter writer(input);
    writer.WriteBytes(bytes);
    writer.Commit();
    ConvertWith(QStringLiteral("*"), input, bytes);
    for (const QString& format : convert::ConvertibleFormats()) ConvertWith(format, input, bytes);
    return 0;
}
