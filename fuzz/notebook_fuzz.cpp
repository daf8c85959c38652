// Feeds arbitrary bytes, read as a field book the way the file reader reads one, through the
// notebook reduction and the survey-class check. Neither may crash or hang, and it checks
// what they promise:
//   - the summary counts the text lines handed out, and every station ends its page;
//   - DATA, HEDDER and テーブル4 rows are numbered by one counter, one up each time;
//   - every checked value is a finite size, never negative;
//   - a class with tighter limits never finds fewer values over them.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_notebook
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_notebook -max_total_time=600 -max_len=4096
//        CORPUS_FOLDER

#include <QByteArray>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "apa/ApaReader.h"
#include "notebook/NotebookPages.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/SurveyClass.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

// Keeps nothing: adds up the sizes of every field so that each one is made and read.
class Tally : public notebook::NotebookOutput {
  public:
    void Line(const QString& text) override {
        ++lines;
        size += text.size();
    }
    void Data(const notebook::DataRow& row) override {
        Number(row.id);
        for (const QString& f : row.fields) size += f.size();
    }
    void Header(const notebook::HeaderRow& row) override {
        Number(row.id);
        for (const QString& f : row.fields) size += f.size();
    }
    void Reduction(const notebook::ReductionRow& row) override {
        Require(row.type.has_value(), "every テーブル4 row has its number");
        Number(*row.type);
        for (const QString* f :
             {&row.station, &row.instrumentHeight, &row.stationElevation, &row.elevation,
              &row.target, &row.verticalAngle, &row.slopeDistance, &row.horizontalDistance,
              &row.targetHeight, &row.heightDifference, &row.computedElevation, &row.direction,
              &row.memo, &row.direction2})
            size += f->size();
    }
    void CorrectionInput(const notebook::CorrectionInputRow& row) override {
        for (const QString* f :
             {&row.station, &row.target, &row.verticalAngle, &row.verticalComponent,
              &row.heightDifference, &row.slopeDistance, &row.horizontalDistance,
              &row.verticalComponent2, &row.heightDifference2, &row.horizontalDistance2,
              &row.horizontalDistanceBoth})
            size += f->size();
    }

    qint64 lines = 0;
    qint64 size = 0;

  private:
    void Number(qint32 id) { Require(id == ++number_, "rows numbered one up by one counter"); }
    qint32 number_ = 0;
};

// The classes from the tightest limits to the widest.
constexpr notebook::SurveyClass kClasses[] = {
    notebook::SurveyClass::First, notebook::SurveyClass::SecondWithFirstClassInstrument,
    notebook::SurveyClass::SecondWithSecondClassInstrument, notebook::SurveyClass::Third,
    notebook::SurveyClass::Fourth};

void CheckClasses(const std::vector<notebook::Measure>& measures) {
    for (const notebook::Measure& m : measures)
        Require(std::isfinite(m.value) && m.value >= 0, "a checked value is a finite size");
    size_t tighter = measures.size();
    for (const notebook::SurveyClass c : kClasses) {
        const std::vector<notebook::Measure> over = notebook::OverLimit(measures, c);
        Require(over.size() <= tighter, "wider limits find no more values over them");
        tighter = over.size();
        for (const notebook::Measure& m : over)
            Require(!notebook::DescribeExcess(m, c).isEmpty(), "excess told");
    }
}

// Point numbers get a name, as a district's numbering rule gives them one.
QString LookUp(const QString& name) {
    bool number = false;
    name.toInt(&number);
    return number ? QStringLiteral("No.") + name : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto lines = apa::NormalizeApaLines(platform::SplitLines(platform::cp932::Decode(bytes)));
    if (!lines) return 0;
    Tally tally;
    notebook::NotebookSources sources;
    sources.pointName = LookUp;
    const notebook::NotebookSummary summary = notebook::ReduceFieldBook(*lines, sources, tally);
    Require(summary.lines == tally.lines, "the summary counts the lines handed out");
    Require(summary.lines % notebook::kPageLines == 0, "every station ends its page");
    CheckClasses(summary.measures);
    return 0;
}
