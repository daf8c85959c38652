// The GSI converter on a generated 50 MB GSI-16 file of two-set blocks, beside reading the
// same file and throwing the bytes away (what "cat FILE > /dev/null" does).
// Run: build/bench/bench_convert   (the file goes to $TMPDIR; peak memory: bench_convert
// reports it as the counter peak_rss_mb)

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "convert/Conversion.h"
#include "platform/TextFile.h"

namespace {

constexpr qint64 kFileBytes = qint64{50} * 1000 * 1000;
constexpr int kDirections = 12;

QByteArray Word(const char* index, qint64 value, char unit = '.') {
    const bool block = index[0] == '4' && index[1] == '1';
    QByteArray word = QByteArray(index) + (block ? "0001" : QByteArray("...") + unit) + '+' +
                      QByteArray::number(value).rightJustified(16, '0') + ' ';
    return word;
}

QByteArray Line(std::initializer_list<QByteArray> words) {
    QByteArray line = "*";
    for (const QByteArray& w : words) line += w;
    return line + "\r\n";
}

// Instrument and weather blocks, then two-set blocks of twelve directions until the size.
QString GenerateGsi16(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("LARGE.GSI"));
    platform::TextFileWriter out(path);
    QByteArray text = Line({Word("41", 100), Word("42", 1), Word("43", 1800), Word("44", 123456),
                            Word("45", 77), Word("46", 20261207)});
    text += Line({Word("41", 200), Word("42", 1), Word("43", 2), Word("44", 15), Word("45", 1013)});
    for (int station = 1; text.size() < kFileBytes; ++station) {
        text += Line({Word("41", 20), Word("42", station), Word("43", 1500), Word("44", 0),
                      Word("45", 930)});
        for (int i = 0; i < 4 * kDirections; ++i)
            text += Line({Word("11", 1000 + i % kDirections), Word("21", 12345060 + i, '4'),
                          Word("22", 8959300 + i, '4'), Word("31", 123456 + i, '0'),
                          Word("51", 15), Word("87", 1600)});
        text += Line({Word("41", 29), Word("42", 1015)});
    }
    out.WriteBytes(text);
    out.Commit();
    return path;
}

struct LargeFile {
    QTemporaryDir dir;
    QString path = GenerateGsi16(dir);
    qint64 bytes = QFileInfo(path).size();
};

LargeFile& File() {
    static LargeFile file;
    return file;
}

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["file_mb"] = static_cast<double>(File().bytes) / 1e6;
}

void BM_ReadAndDiscard(benchmark::State& state) {
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        std::FILE* f = std::fopen(QFile::encodeName(File().path).constData(), "rb");
        while (std::fread(buffer.data(), 1, buffer.size(), f) > 0) {
        }
        std::fclose(f);
    }
    state.SetBytesProcessed(state.iterations() * File().bytes);
}
BENCHMARK(BM_ReadAndDiscard)->Unit(benchmark::kMillisecond);

void BM_ConvertGsi16(benchmark::State& state) {
    const QString output = File().dir.filePath(QStringLiteral("LARGE.APA"));
    for (auto _ : state) {
        const convert::ConversionResult result =
            convert::ConvertFile(QStringLiteral("GSI"), File().path, output);
        benchmark::DoNotOptimize(result.sightings);
    }
    state.SetBytesProcessed(state.iterations() * File().bytes);
    ReportPeakMemory(state);
}
BENCHMARK(BM_ConvertGsi16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
