// Feeds arbitrary bytes, read as a report layout the way the layout reader reads one,
// through the parser and, when it takes them, through the page layout and the line text.
// None may crash or hang, and it checks what they promise:
//   - a refused layout names a line of the file, or none (0) for the file as a whole;
//   - a taken layout keeps its limits and every table has a column;
//   - every page holds at most the layout's lines, each row with one cell per column of its
//     table, the pages are numbered one up from the first, and no placeholder is left in a
//     header;
//   - every heading and row, whatever its cells hold, is exactly as wide as its table.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_report_layout
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_report_layout -max_total_time=600 -max_len=4096
//        CORPUS_FOLDER  (the layouts in Report/ make a good seed corpus)

#include <QByteArray>
#include <QStringDecoder>
#include <cstdio>
#include <cstdlib>

#include "notebook/report/ReportLayout.h"
#include "notebook/report/ReportPages.h"
#include "notebook/report/ReportText.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

void CheckLayout(const notebook::report::ReportLayout& layout) {
    Require(layout.linesPerPage >= 1 && layout.linesPerPage <= notebook::report::kMaxLinesPerPage,
            "lines per page within the limits");
    Require(layout.lineHeight > 0 && layout.lineHeight <= notebook::report::kMaxLineHeight,
            "line height within the limits");
    Require(!layout.tables.empty() && layout.tables.size() <= static_cast<size_t>(notebook::report::kMaxTables),
            "one table at least, and no more than the limit");
    for (const auto& table : layout.tables) {
        Require(!table.columns.empty(), "a column in every table");
        for (const auto& column : table.columns)
            Require(column.width >= 1 && column.width <= notebook::report::kMaxColumnWidth,
                    "column width within the limits");
    }
}

// Cells of every kind a notebook gives: numbers, names, nothing, full-width and half-width
// kana, a surrogate pair CP932 cannot hold, and more than any column takes.
const QStringList& CellTexts() {
    static const QStringList texts{QStringLiteral("12-34-56"), QStringLiteral("観測点名"), QString(),
                                   QStringLiteral("ﾌｫﾝﾄ"),     QStringLiteral("a😀b"),      QString(450, u'8')};
    return texts;
}

// Two stations, the second longer than a page of the smallest layouts, with rows for every
// table's values and rows no table takes.
std::vector<notebook::report::ReportSection> Sections(const notebook::report::ReportLayout& layout) {
    QStringList kinds{QStringLiteral("none of them")};
    for (const auto& table : layout.tables) kinds += table.values;
    std::vector<notebook::report::ReportSection> sections(2);
    for (int i = 0; i < 9; ++i) {
        notebook::report::Record row;
        for (const auto& table : layout.tables) {
            for (const auto& column : table.columns)
                row.insert(column.field, CellTexts()[(i + column.width) % CellTexts().size()]);
            if (!table.field.isEmpty()) row.insert(table.field, kinds[i % kinds.size()]);
        }
        sections[static_cast<size_t>(i % 2)].rows.push_back(row);
    }
    return sections;
}

void CheckPages(const notebook::report::ReportLayout& layout) {
    constexpr int kFirst = 7;
    const auto pages = notebook::report::LayOutPages(layout, Sections(layout), kFirst, {});
    Require(pages.size() >= 2, "each station starts a page");
    int number = kFirst;
    for (const auto& page : pages) {
        Require(page.number == number++, "pages numbered one up from the first");
        Require(page.lines.size() <= static_cast<size_t>(layout.linesPerPage), "page not overfull");
        for (const QString& line : page.header) Require(!line.contains(u'{'), "placeholders filled");
        for (const auto& line : page.lines) {
            Require(line.table < layout.tables.size(), "a line of one of the tables");
            const auto& table = layout.tables[line.table];
            const int width = notebook::report::ColumnStarts(table).back();
            if (line.heading) {
                Require(line.cells.isEmpty(), "a heading has no cells");
                Require(platform::cp932::ByteLength(notebook::report::HeadingText(table)) == width,
                        "a heading as wide as its table");
            } else {
                Require(line.cells.size() == static_cast<qsizetype>(table.columns.size()), "a cell per column");
                Require(platform::cp932::ByteLength(notebook::report::RowText(table, line.cells)) == width,
                        "a row as wide as its table");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QStringList lines = platform::SplitLines(utf8.decode(bytes));
    try {
        const auto layout = notebook::report::ParseReportLayout(lines, QStringLiteral("fuzz.rpt"));
        CheckLayout(layout);
        CheckPages(layout);
    } catch (const platform::FileError& e) {
        Require(e.Line() >= 0 && e.Line() <= lines.size(),
                "a refused layout names one of its lines");
    }
    return 0;
}
