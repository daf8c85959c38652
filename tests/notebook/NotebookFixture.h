#pragma once
// A reduction kept in memory: the notebook's lines and the rows it gives each table.

#include <QStringList>
#include <vector>

#include "notebook/ObservationNotebook.h"

namespace test {

struct KeptNotebook : notebook::NotebookOutput {
    QStringList lines;
    std::vector<notebook::DataRow> data;
    std::vector<notebook::HeaderRow> headers;
    std::vector<notebook::ReductionRow> reduction;
    std::vector<notebook::CorrectionInputRow> correction;
    notebook::NotebookSummary summary;

    void Line(const QString& text) override { lines << text; }
    std::vector<qsizetype> dataLines;  // the index of each DATA row's text line

    void Data(const notebook::DataRow& row) override {
        data.push_back(row);
        dataLines.push_back(lines.size());
    }
    void Header(const notebook::HeaderRow& row) override { headers.push_back(row); }
    void Reduction(const notebook::ReductionRow& row) override { reduction.push_back(row); }
    void CorrectionInput(const notebook::CorrectionInputRow& row) override { correction.push_back(row); }

    // The text line of a DATA row.
    const QString& LineOf(size_t dataRow) const { return lines[dataLines[dataRow]]; }
};

// The field book around the station lines: A, B, C before, Z after.
QStringList FieldBook(const QStringList& stationLines);

KeptNotebook Reduce(const QStringList& lines, const notebook::NotebookSources& sources = {});

// The fields of a DATA or HEDDER row at the given numbers, to compare several at once.
template <typename Row>
QStringList Pick(const Row& row, std::initializer_list<int> numbers) {
    QStringList picked;
    for (const int n : numbers) picked << row[n];
    return picked;
}

}  // namespace test
