#pragma once
// The notebook's pages: 75 lines each. Counts the lines on the page across stations and
// numbers the database rows of the run (DATA, HEDDER and テーブル4 share one counter).

#include <QString>

#include "notebook/NotebookOutput.h"

namespace notebook {

inline constexpr int kPageLines = 75;

class NotebookPages {
  public:
    explicit NotebookPages(NotebookOutput& output) : output_(output) {}

    // A line of text only (headers, blank lines).
    void Line(const QString& text);
    // A table line (without its trailing blanks) and its DATA row, which gets the next row
    // number; every field cut to its size.
    void Row(const QString& text, DataRow row);
    void Header(HeaderRow row);
    // The next row number of the run.
    qint32 NextRowNumber() { return ++rowNumber_; }

    // Blank lines to the end of a partly used page.
    void FinishPage();
    // Starts a new page when more than `used` lines of this one are taken.
    void FinishPageIfBeyond(int used);

    int LinesOnPage() const { return onPage_; }
    qint64 LinesWritten() const { return written_; }
    NotebookOutput& Output() { return output_; }

  private:
    NotebookOutput& output_;
    int onPage_ = 0;
    qint64 written_ = 0;
    qint32 rowNumber_ = 0;
};

}  // namespace notebook
