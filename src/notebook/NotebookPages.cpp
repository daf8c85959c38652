#include "notebook/NotebookPages.h"

#include "notebook/NotebookDatabase.h"
#include "platform/CodePage.h"

namespace notebook {
namespace {

// The text sizes of a table whose fields are ID, FLD1, FLD2…: sizes[n] is FLDn's.
std::vector<int> FieldSizes(const QString& table, int fields) {
    std::vector<int> sizes(static_cast<size_t>(fields) + 1, 0);
    for (int n = 1; n <= fields; ++n) sizes[static_cast<size_t>(n)] = NotebookTextSize(table, QStringLiteral("FLD") + QString::number(n));
    return sizes;
}

template <typename Row>
void CutFields(Row& row, const std::vector<int>& sizes) {
    for (size_t n = 1; n < row.fields.size(); ++n) {
        QString& field = row.fields[n];
        // Most fields are short ASCII text: only text that might not fit is measured.
        if (field.size() * 2 > sizes[n]) field = platform::cp932::CutToBytes(field, sizes[n]);
    }
}

}  // namespace

void NotebookPages::Line(const QString& text) {
    output_.Line(text);
    ++written_;
    if (++onPage_ == kPageLines) onPage_ = 0;
}

void NotebookPages::Row(const QString& text, DataRow row) {
    row.id = NextRowNumber();
    static const std::vector<int> sizes = FieldSizes(QStringLiteral("DATA"), std::tuple_size_v<decltype(DataRow::fields)> - 1);
    CutFields(row, sizes);
    output_.Data(row);
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;  // a table line ends with its last value
    Line(text.first(end));
}

void NotebookPages::Header(HeaderRow row) {
    row.id = NextRowNumber();
    static const std::vector<int> sizes = FieldSizes(QStringLiteral("HEDDER"), std::tuple_size_v<decltype(HeaderRow::fields)> - 1);
    CutFields(row, sizes);
    output_.Header(row);
}

void NotebookPages::FinishPage() {
    while (onPage_ != 0) Line(QString());
}

void NotebookPages::FinishPageIfBeyond(int used) {
    if (onPage_ > used) FinishPage();
}

}  // namespace notebook
