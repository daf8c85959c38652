#pragma once
// The observation editor's logic: one station of a field book at a time, its header values
// in fifteen boxes and its sightings as grid rows, with the edits written straight into
// the field-book lines. The form only shows this state and forwards what the user does.
//
// A station is its D line and the lines after it up to the next B, C, D or Z line. Its
// header boxes show the nearest B and C lines before the D line, and edits of those boxes
// go to those lines. Rows are numbered from 0 here; the grid shows them from 1.

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "apa/ApaLine.h"

namespace apa {

inline constexpr int kHeaderBoxCount = 15;
inline constexpr int kGridColumns = 9;  // column 0 is the row number

struct HeaderBox {
    Record record;
    int field;
    const char16_t* label;
    const char16_t* hint;  // empty: none
};
const std::array<HeaderBox, kHeaderBoxCount>& HeaderBoxes();
// The hint of a box; the pressure box names the unit the pressure-unit box holds.
QString HeaderHint(int box, const QString& pressureUnit);

struct GridColumn {
    int field;      // F field, 0 for the row number
    int decimals;   // fixed decimals of a number column, -1 for text
    int maxLength;  // characters a typed value keeps, 0 for no limit
    const char16_t* hint;
};
const std::array<GridColumn, kGridColumns>& GridColumns();
bool IsNumberColumn(int column);

// The grid's header in the "^ No |<name|>..." form: alignment mark, then the title.
QString GridHeaderFormat();
inline const QString kRemeasureRowName = QStringLiteral("再測");
inline constexpr int kClipboardSlot = 15;
inline constexpr int kClipboardRow = kClipboardSlot * 8;

// What a typed value may hold: no field separator "," and no control character, either of
// which would break the record it is written into.
const QRegularExpression& TypeableText();

class ApaEditor {
  public:
    // Takes the loaded lines (without the result slot). Without a path or lines the editor
    // starts on the empty data set; lines without a station get an empty one before their
    // end record (so a field book of "A,01," and "Z," becomes the empty data set). The
    // first station gets empty B and C lines when it has none before it.
    void Open(const QStringList& lines, const QString& path);

    const QStringList& Lines() const { return lines_; }
    bool Modified() const { return modified_; }
    bool HasStation() const { return d_ >= 0; }

    const QString& Box(int box) const { return boxes_[box]; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const QString& Cell(int row, int column) const { return rows_[row][column]; }
    bool IsRemeasureRow(int row) const;

    void ShowFirst();
    bool ShowNext();      // false (and nothing changes) at the last station
    bool ShowPrevious();  // false at the first station
    void ShowLast();
    // Inserts an empty station (D, "E,0,", one empty sighting) before the current one and
    // shows it.
    void AddStation();

    // Writes a header box back, trimmed, the station name padded to 8 characters. A text
    // that trims to what the field holds changes nothing (the padding is no edit). False,
    // and nothing changes, when the text is refused: it is not TypeableText, or a number
    // field (IsNumberField) gets text that does not read as a number.
    bool SetBox(int box, const QString& text);
    // Commits a typed cell and returns what the cell shows: number columns normalised on
    // their decimal digits (RoundDecimalText), names and memos held to 12 characters.
    // nullopt, and the cell keeps its text, when the text is refused: it is not
    // TypeableText, or it is a sighting number of the wrong shape. The "再測" row of an
    // "E,1," line cannot be edited (its text comes back unchanged). Row operations outside
    // the rows, or without a station, change nothing.
    std::optional<QString> CommitCell(int row, int column, const QString& text);

    void DeleteRows(int first, int last);
    // Inserts empty sightings before row `at` (RowCount() appends to the station).
    void InsertRows(int at, int count);
    // Rows as clipboard text, columns 1 to 8: in 15-character slots, 120 characters a row,
    // when every cell fits its slot; otherwise, so that no cell loses its tail, cells
    // separated by tabs and every row ended by a line break.
    QString CopyRows(int first, int last) const;
    // Inserts the rows of clipboard text before row `at` and fills them; returns how many.
    // Text with a tab is read as tab-separated rows, one a line; any other text by slots
    // (text length / 120 rows, halves rounded to even). Field separators and control
    // characters are dropped from pasted cells; a refused cell stays empty. Pasted names
    // and memos keep their whole text: they are copies of rows, not typed.
    int PasteRows(int at, const QString& text);

    // The lines as they are saved: placeholders left out, observation codes recomputed.
    QStringList SaveLines() const;
    void MarkSaved() { modified_ = false; }

  private:
    void AddEmptyStationBeforeEnd();
    void AddHeadersBeforeFirstStation();
    void ShowStationAt(qsizetype dIndex);
    std::optional<QString> EnterCell(int row, int column, const QString& text, int maxLength);
    void Reshow() { ShowStationAt(d_); }
    void FillFromB(qsizetype index);
    void FillFromC(qsizetype index);
    void AddRow(qsizetype index);
    void WriteField(qsizetype index, int field, const QString& value);
    qsizetype Find(Record record, qsizetype from, int step) const;
    qsizetype InsertionPoint(int row) const;
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    QStringList lines_;
    bool modified_ = false;
    qsizetype b_ = -1;
    qsizetype c_ = -1;
    qsizetype d_ = -1;
    qsizetype runEnd_ = 0;  // first line after the station
    std::array<QString, kHeaderBoxCount> boxes_;
    std::vector<std::array<QString, kGridColumns>> rows_;
    std::vector<qsizetype> rowLines_;  // the line each row shows
};

}  // namespace apa
