// The reports of a generated 2,000-station notebook (two sets on two targets each, as the
// tests' field book): reading and laying out report 3, and each report put into a PDF. The
// aim is under 10 seconds for report 3's PDF.
// Run: TMPDIR=/dev/shm build/bench/bench_report   (the notebook goes to $TMPDIR)

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <QTemporaryDir>
#include <cstdlib>

#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/report/ReportPreparation.h"
#include "notebook/report/paint/ReportFiles.h"
#include "notebook/report/paint/ReportPainter.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"
#include "platform/ui/Fonts.h"
#include "support/FieldBook.h"

namespace {

constexpr int kStations = 2000;

using notebook::report::Report;

// The field book's A, B and C lines once, then each station's D, E and F lines.
QStringList FieldBook() {
    QStringList made;
    for (int st = 0; st < kStations; ++st) {
        const QByteArray name = "S" + QByteArray::number(st + 1).rightJustified(4, '0');
        for (const QString& line :
             platform::SplitLines(platform::cp932::Decode(test::TwoSetFieldBook(name)))) {
            if (line.startsWith(u"Z,")) break;
            if (st == 0 || line.startsWith(u"D,") || line.startsWith(u"E,") ||
                line.startsWith(u"F,"))
                made << line;
        }
    }
    made << QStringLiteral("Z,");
    return made;
}

// The notebook files, made once: SHUBO.MDB with the page numbers and heights the reports read.
const QString& Database() {
    static QTemporaryDir folder;
    static const QString database = [] {
        if (!folder.isValid() ||
            !notebook::BuildObservationNotebook(FieldBook(), {}, folder.path()))
            std::abort();
        const QString path = QDir(folder.path()).filePath(notebook::kNotebookFileName);
        if (!notebook::report::WritePageNumber(path, 1) ||
            !notebook::report::WriteRegisteredHeights(path, nullptr))
            std::abort();
        return path;
    }();
    return database;
}

notebook::report::ReportDocument Document(Report report) {
    return notebook::report::BuildReportDocument(
        {Database(), report, notebook::report::PrintSettings(), QStringLiteral("地区1"),
         notebook::SurveyClass::Third});
}

void BM_Report3Document(benchmark::State& state) {
    Database();
    size_t pages = 0;
    for (auto _ : state) pages = Document(Report::ObservationNotebook).pages.size();
    state.counters["pages"] = static_cast<double>(pages);
}

void ReportPdf(benchmark::State& state, Report report) {
    Database();
    const QPageLayout paper =
        notebook::report::PageLayoutOf(notebook::report::PrintSettings(), QPageSize(QPageSize::A4));
    qsizetype bytes = 0;
    size_t pages = 0;
    for (auto _ : state) {
        const auto document = Document(report);
        pages = document.pages.size();
        bytes = notebook::report::ReportPdf(document, paper).size();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

void BM_Report3Pdf(benchmark::State& state) {
    ReportPdf(state, Report::ObservationNotebook);
}

void BM_Report2Pdf(benchmark::State& state) {
    ReportPdf(state, Report::DistanceHeight);
}

BENCHMARK(BM_Report3Document)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Report3Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Report2Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    platform::RegisterJapaneseFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
