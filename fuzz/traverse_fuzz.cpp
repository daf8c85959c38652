// Feeds arbitrary bytes as the reduction table traverse creation reads (SHUBO.MDB is a file
// on disk that anyone can edit): each line a row, "S" rows stations and any other target
// rows, comma-separated fields name, direction, zenith, slope distance, horizontal distance,
// height difference, elevation, memo; a line beginning "K" adds a correction-sheet distance
// for the pair of names it gives. Every row is checked and each of the six calculations is
// built. Neither may crash or hang, and it checks what they promise:
//   - one element row per checked row, each with a value for every column;
//   - parameters of the types the calculation lists, element columns likewise;
//   - every point handed once, with a district ID or a distinct provisional one.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_traverse
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_traverse -max_total_time=600 -max_len=4096 CORPUS_FOLDER

#include <QHash>
#include <QSet>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "platform/CodePage.h"
#include "traverse/CalculationInput.h"
#include "traverse/CalculationKinds.h"
#include "traverse/TraverseOptions.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

QString Field(const QStringList& fields, int i) { return i < fields.size() ? fields[i] : QString(); }

notebook::TraverseSource Source(const QString& text) {
    notebook::TraverseSource source;
    for (const QString& line : text.split(u'\n')) {
        const QStringList f = line.split(u',');
        if (line.startsWith(u'K')) {
            notebook::CorrectionSheetRow row;
            row.station = Field(f, 1);
            row.target = Field(f, 2);
            row.planeDistance = Field(f, 3);
            source.sheet.push_back(row);
            continue;
        }
        notebook::ReductionRow row;
        if (line.startsWith(u'S')) {
            row.station = Field(f, 1);
            row.lookUpCode = 0;
            row.stationElevation = Field(f, 7);
        } else {
            row.target = Field(f, 1);
            row.direction = Field(f, 2);
            row.verticalAngle = Field(f, 3);
            row.slopeDistance = Field(f, 4);
            row.horizontalDistance = Field(f, 5);
            row.heightDifference = Field(f, 6);
            row.computedElevation = Field(f, 7);
            row.memo = Field(f, 8);
        }
        source.reduction.push_back(row);
    }
    return source;
}

// Names of an even length are district points, each with an ID of its own.
class District {
  public:
    traverse::DistrictMatch operator()(const QString& name) {
        if (name.size() % 2 == 1) return {};
        const qint32 id = ids_.contains(name) ? ids_.value(name) : ids_.insert(name, qint32(ids_.size()) + 1).value();
        return {id, 1.5, -2.5, name.size() % 4 == 0, name.size() > 2 ? std::optional<double>(3) : std::nullopt};
    }

  private:
    QHash<QString, qint32> ids_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = platform::cp932::Decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    const std::vector<traverse::TraverseRow> rows = traverse::TraverseRows(Source(text));
    std::vector<int> checked;
    for (size_t i = 0; i < rows.size(); ++i)
        if (i % 3 != 2) checked.push_back(static_cast<int>(i));
    const traverse::TraverseOptions parsed = traverse::ParseTraverseOptions(text.left(8));
    Require(traverse::KindOfDigit(parsed.type) != nullptr, "an options type that is none");
    for (int type = 1; type <= 6; ++type) {
        traverse::clsTrb traverse;
        const auto stations = traverse::AssembleTraverse(traverse, rows, checked);
        traverse::ResolvePoints(traverse, District(), type % 2 == 0);
        const traverse::TraverseOptions options{type % 2 == 1, type, type > 3, type % 2 == 0};
        const traverse::CalculationInput input =
            traverse::BuildCalculationInput(traverse, rows, stations, options, {QStringLiteral("名"), QString()});
        const traverse::CalculationKind& kind = *traverse::KindOfDigit(type);
        Require(input.rows.size() == checked.size(), "an element row per checked row");
        for (const QVariantList& row : input.rows) Require(row.size() == qsizetype(kind.columns.size()), "a short row");
        Require(input.columns.size() == kind.columns.size(), "columns other than listed");
        if (!checked.empty()) {
            Require(input.parameters.size() == kind.parameters.size(), "parameters other than listed");
            for (size_t i = 0; i < input.parameters.size(); ++i)
                Require(input.parameters[i].type == kind.parameters[i].type, "a parameter of another type");
        }
        QSet<qint32> ids;
        for (const traverse::InputPoint& p : input.points) ids.insert(p.id);
        Require(ids.size() == qsizetype(input.points.size()), "two points under one identifier");
        Require(!ids.contains(0), "a point handed without an identifier");
    }
    return 0;
}
