// The observation editor on a large field book: open a 200,000-line file and show its first
// station, then move from station to station. Run: build/bench/bench_apa

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "apa/ApaEditor.h"
#include "apa/ApaReader.h"
#include "apa/ObservationCode.h"
#include "apa/ui/frmAPAEDIT.h"
#include "host/OpenDataFile.h"
#include "host/state/ProcessValues.h"
#include "platform/ScriptedPrompt.h"

namespace {

constexpr int kLines = 200000;
constexpr int kSightings = 24;  // a station: B, C, D, E,0 and 24 sightings

// Writes a field book of about kLines lines and returns its path.
QString LargeFieldBook(QTemporaryDir& dir) {
    QStringList lines{QStringLiteral("A,01,")};
    for (int station = 1; lines.size() < kLines - 1; ++station) {
        lines << QStringLiteral("B,,SET5,123,山田,26/12/06,,,")
              << QStringLiteral("C,1,2,15,1013,0,1,")
              << QStringLiteral("D,ST%1,,1.500,0,2121012,09:00,09:30,").arg(station)
              << QStringLiteral("E,0,");
        for (int s = 0; s < kSightings; ++s)
            lines << QStringLiteral("F,T%1,,1.600,%2%3%4,%5, 90.0000, 123.456,,,,000,")
                         .arg(s)
                         .arg(s % 2 ? u'l' : u'r')
                         .arg(s / 12 + 1)
                         .arg(s % 12 + 1, 3, 10, QLatin1Char('0'))
                         .arg(s * 15.0, 8, 'f', 4);
    }
    lines << QStringLiteral("Z,");
    const QString path = dir.filePath(QStringLiteral("LARGE.APA"));
    apa::WriteApaFile(path, lines);
    return path;
}

const QString& Path() {
    static QTemporaryDir dir;
    static const QString path = LargeFieldBook(dir);
    return path;
}

// What menu item 4 does: the file-open step loads the lines, the editor form opens on them.
void OpenEditorForm(benchmark::State& state) {
    platform::ScriptedPrompt prompt;
    for (auto _ : state) {
        prompt.ChooseFile(Path());
        host::OpenDataFile(prompt, host::Process(), QStringLiteral("***"));
        apa::frmAPAEDIT form;
        benchmark::DoNotOptimize(form.Editor().RowCount());
    }
    state.counters["lines"] = host::Process().DataCount;
}
BENCHMARK(OpenEditorForm)->Unit(benchmark::kMillisecond);

void ReadFieldBook(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(apa::ReadApaFile(Path()));
}
BENCHMARK(ReadFieldBook)->Unit(benchmark::kMillisecond);

// Next station, wrapping to the first at the end.
void NextStation(benchmark::State& state) {
    apa::ApaEditor editor;
    editor.Open(*apa::ReadApaFile(Path()), Path());
    for (auto _ : state)
        if (!editor.ShowNext()) editor.ShowFirst();
}
BENCHMARK(NextStation)->Unit(benchmark::kMicrosecond);

// The worst moves: to the last station, and back from it to the one before.
void LastAndPrevious(benchmark::State& state) {
    apa::ApaEditor editor;
    editor.Open(*apa::ReadApaFile(Path()), Path());
    for (auto _ : state) {
        editor.ShowLast();
        editor.ShowPrevious();
    }
}
BENCHMARK(LastAndPrevious)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScriptedPrompt prompt;
    platform::SetActivePrompt(&prompt);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
