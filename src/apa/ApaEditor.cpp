#include "apa/ApaEditor.h"

#include <cmath>

#include "apa/ObservationCode.h"
#include "platform/DecimalText.h"

namespace apa {

const std::array<HeaderBox, kHeaderBoxCount>& HeaderBoxes() {
    static const std::array<HeaderBox, kHeaderBoxCount> boxes = {{
        {Record::D, 1, u"観測点名", u""},
        {Record::D, 4, u"観測状況", u"<偏心：0=無し,1=有り(B=P=C:0,それ以外:1)>"},
        {Record::C, 6, u"気圧単位", u"<気圧単位：0=mmHg,1=hPa>"},
        {Record::D, 3, u"器 械 高", u"( 単位： m )"},
        {Record::B, 2, u"観測機種", u""},
        {Record::B, 3, u"器械番号", u""},
        {Record::B, 5, u"観測年月", u"( 年月日： yy/mm/dd )"},
        {Record::B, 4, u"観測者名", u""},
        {Record::C, 1, u"天  候", u"<天候：1=晴,2曇=,3=雨･小雨,4=雪>"},
        {Record::C, 2, u"風  力", u"<風力：1=無風,2=軟風,3=和風,4=疾風,5=強風>"},
        {Record::C, 3, u"気  温", u"( 単位： ﾟC )"},
        {Record::C, 4, u"気  圧", u""},
        {Record::C, 5, u"ｐｐｍ値", u""},
        {Record::D, 6, u"開始時刻", u"( 時刻： hh:mm )"},
        {Record::D, 7, u"終了時刻", u"( 時刻： hh:mm )"},
    }};
    return boxes;
}

QString HeaderHint(int box, const QString& pressureUnit) {
    if (box == 11)
        return pressureUnit == QStringLiteral("0") ? QStringLiteral("( 気圧単位： mmHg )")
                                                   : QStringLiteral("( 気圧単位： hPa )");
    return QString::fromUtf16(HeaderBoxes()[box].hint);
}

const std::array<GridColumn, kGridColumns>& GridColumns() {
    static const std::array<GridColumn, kGridColumns> columns = {{
        {0, -1, 0, u""},
        {1, -1, 12, u"( Max.12文字 )"},
        {3, 3, 0, u"( 単位： m )"},
        {4, -1, 0, u"< 番号： 5文字 (rl正反・1239対回・1->999方向番号) >"},
        {5, 4, 0, u"( 単位： 度分秒 )"},
        {6, 4, 0, u"( 単位： 度分秒 )"},
        {7, 3, 0, u"( 単位： m )"},
        {8, 3, 0, u"( 単位： m )"},
        {2, -1, 12, u"( Max.12文字 )"},
    }};
    return columns;
}

bool IsNumberColumn(int column) {
    return column > 0 && column < kGridColumns && GridColumns()[column].decimals >= 0;
}

QString GridHeaderFormat() {
    return QStringLiteral(
        "^ No |<視 準 点 名|>目標高 |<番  号|>水 平 角|>鉛 直 角|>距 離 １|距 離 ２|<メ    モ");
}

namespace {

// The characters no typed value may hold: the field separator and the control characters.
const QString kUntypeable = QStringLiteral(",\\x{0}-\\x{1f}\\x{7f}");

}  // namespace

const QRegularExpression& TypeableText() {
    // Anchored to the very end: "$" would also match before a final line break.
    static const QRegularExpression re(
        QRegularExpression::anchoredPattern(QStringLiteral("[^") + kUntypeable + u']' + u'*'));
    return re;
}

namespace {

QString PadRight(const QString& text, int width) {
    return text.size() < width ? text.leftJustified(width) : text;
}
QString PadLeft(const QString& text, int width) {
    return text.size() < width ? text.rightJustified(width) : text;
}

// How a value is laid into its field of an F line.
QString SightingField(int field, const QString& value) {
    if (field == 1) return PadRight(value, 8);
    if (field == 3) return PadLeft(value, 5);
    if (field >= 5 && field <= 8) return PadLeft(value, 8);
    return value;
}

bool EndsStation(Record r) {
    return r == Record::B || r == Record::C || r == Record::D || r == Record::Z;
}

bool IsTypeable(const QString& text) {
    return TypeableText().match(text).hasMatch();
}

// Pasted text without what no field may hold.
QString Typeable(QString text) {
    static const QRegularExpression untypeable(u'[' + kUntypeable + u']');
    return text.remove(untypeable);
}

// The first n characters; a surrogate pair is kept whole or left out.
QString Held(const QString& text, int n) {
    if (n <= 0 || text.size() <= n) return text;
    return text.left(QChar::isHighSurrogate(text[n - 1].unicode()) ? n - 1 : n);
}

// How a row's cells travel through the clipboard.
bool FitsSlots(const std::array<QString, kGridColumns>& row) {
    for (int column = 1; column < kGridColumns; ++column)
        if (row[column].size() > kClipboardSlot || !IsTypeable(row[column])) return false;
    return true;
}

QList<QStringList> SlotRows(const QString& text) {
    const int count =
        static_cast<int>(std::nearbyint(static_cast<double>(text.size()) / kClipboardRow));
    QList<QStringList> rows;
    for (int k = 0; k < count; ++k) {
        QStringList cells;
        for (int column = 1; column < kGridColumns; ++column) {
            QString slot =
                text.mid(k * kClipboardRow + (column - 1) * kClipboardSlot, kClipboardSlot);
            while (slot.endsWith(u' ')) slot.chop(1);
            cells.append(slot);
        }
        rows.append(cells);
    }
    return rows;
}

QList<QStringList> TabRows(const QString& text) {
    QStringList lines = text.split(u'\n');
    if (lines.constLast().isEmpty()) lines.removeLast();
    QList<QStringList> rows;
    for (const QString& line : lines) rows.append(line.split(u'\t'));
    return rows;
}

}  // namespace

void ApaEditor::Open(const QStringList& lines, const QString& path) {
    lines_ = path.isEmpty() || lines.isEmpty() ? EmptyDataSet() : lines;
    modified_ = false;
    if (Find(Record::D, 0, +1) < 0) AddEmptyStationBeforeEnd();
    AddHeadersBeforeFirstStation();
    boxes_.fill(QString());
    ShowFirst();
}

// Whatever else the lines hold stays; only a station is added for the editor to show.
void ApaEditor::AddEmptyStationBeforeEnd() {
    qsizetype end = Find(Record::Z, 0, +1);
    if (end < 0) end = lines_.size();
    for (const QString& line : {kEmptyF, kRunStart, kEmptyD}) lines_.insert(end, line);
}

void ApaEditor::AddHeadersBeforeFirstStation() {
    const qsizetype firstD = Find(Record::D, 0, +1);
    qsizetype c = -1;
    qsizetype b = -1;
    for (qsizetype i = 0; i < firstD; ++i) {
        if (RecordOf(lines_[i]) == Record::C) c = i;
        if (RecordOf(lines_[i]) == Record::B) b = i;
    }
    if (c < 0) lines_.insert(c = firstD, kEmptyC);
    if (b < 0) lines_.insert(c, kEmptyB);
}

qsizetype ApaEditor::Find(Record record, qsizetype from, int step) const {
    for (qsizetype i = from; i >= 0 && i < lines_.size(); i += step)
        if (RecordOf(lines_[i]) == record) return i;
    return -1;
}

bool ApaEditor::IsRemeasureRow(int row) const {
    return ValidRow(row) && RecordOf(lines_[rowLines_[row]]) == Record::E;
}

void ApaEditor::FillFromB(qsizetype index) {
    b_ = index;
    if (index < 0) return;
    boxes_[4] = Field(lines_[index], 2);
    boxes_[5] = Field(lines_[index], 3);
    boxes_[7] = Field(lines_[index], 4);
    boxes_[6] = Field(lines_[index], 5);
}

void ApaEditor::FillFromC(qsizetype index) {
    c_ = index;
    if (index < 0) return;
    const int boxes[] = {8, 9, 10, 11, 12, 2};
    for (int f = 1; f <= 6; ++f) boxes_[boxes[f - 1]] = Field(lines_[index], f);
}

void ApaEditor::AddRow(qsizetype index) {
    std::array<QString, kGridColumns> row;
    row[0] = QString::number(RowCount() + 1);
    const QString& line = lines_[index];
    if (RecordOf(line) == Record::E) {
        row[1] = kRemeasureRowName;
    } else {
        for (int column = 1; column < kGridColumns; ++column) {
            const GridColumn& c = GridColumns()[column];
            const QString value = Field(line, c.field);
            row[column] =
                c.decimals >= 0 ? platform::RoundDecimalText(value, c.decimals) : value.trimmed();
        }
    }
    rows_.push_back(row);
    rowLines_.push_back(index);
}

void ApaEditor::ShowStationAt(qsizetype dIndex) {
    for (int box : {0, 1, 3, 13, 14}) boxes_[box].clear();
    rows_.clear();
    rowLines_.clear();
    d_ = dIndex;
    runEnd_ = dIndex < 0 ? 0 : dIndex + 1;
    if (dIndex < 0) return;
    FillFromB(Find(Record::B, dIndex - 1, -1));
    FillFromC(Find(Record::C, dIndex - 1, -1));
    const QString& d = lines_[dIndex];
    boxes_[0] = Field(d, 1);
    boxes_[3] = Field(d, 3);
    boxes_[1] = Field(d, 4);
    boxes_[13] = Field(d, 6);
    boxes_[14] = Field(d, 7);
    for (; runEnd_ < lines_.size(); ++runEnd_) {
        const Record r = RecordOf(lines_[runEnd_]);
        if (EndsStation(r)) break;
        if (r == Record::F || (r == Record::E && RowCount() > 0)) AddRow(runEnd_);
    }
}

void ApaEditor::ShowFirst() {
    ShowStationAt(Find(Record::D, 0, +1));
}

bool ApaEditor::ShowNext() {
    const qsizetype next = d_ < 0 ? -1 : Find(Record::D, runEnd_, +1);
    if (next < 0) return false;
    ShowStationAt(next);
    return true;
}

bool ApaEditor::ShowPrevious() {
    const qsizetype previous = d_ <= 0 ? -1 : Find(Record::D, d_ - 1, -1);
    if (previous < 0) return false;
    ShowStationAt(previous);
    return true;
}

void ApaEditor::ShowLast() {
    ShowStationAt(Find(Record::D, lines_.size() - 1, -1));
}

void ApaEditor::AddStation() {
    qsizetype at = d_;
    if (at < 0) {
        at = Find(Record::Z, lines_.size() - 1, -1);
        if (at < 0) at = lines_.size();
    }
    lines_.insert(at, kEmptyF);
    lines_.insert(at, kRunStart);
    lines_.insert(at, kEmptyD);
    modified_ = true;
    ShowStationAt(at);
}

void ApaEditor::WriteField(qsizetype index, int field, const QString& value) {
    if (index < 0) return;
    const QString line = ReplaceField(lines_[index], field, value);
    if (line == lines_[index]) return;
    lines_[index] = line;
    modified_ = true;
}

bool ApaEditor::SetBox(int box, const QString& text) {
    const HeaderBox& h = HeaderBoxes()[box];
    const QString value = text.trimmed();
    if (!IsTypeable(value)) return false;
    if (IsNumberField(h.record, h.field) && !value.isEmpty() && !ReadsAsNumber(value)) return false;
    const qsizetype index = h.record == Record::B ? b_ : h.record == Record::C ? c_ : d_;
    if (index < 0 || Field(lines_[index], h.field).trimmed() == value) return true;
    boxes_[box] = value;
    WriteField(index, h.field, h.record == Record::D && h.field == 1 ? PadRight(value, 8) : value);
    return true;
}

std::optional<QString> ApaEditor::CommitCell(int row, int column, const QString& text) {
    const int maxLength =
        column >= 0 && column < kGridColumns ? GridColumns()[column].maxLength : 0;
    return EnterCell(row, column, text, maxLength);
}

std::optional<QString> ApaEditor::EnterCell(int row, int column, const QString& text,
                                            int maxLength) {
    if (!ValidRow(row) || column < 0 || column >= kGridColumns) return QString();
    if (column == 0 || IsRemeasureRow(row)) return rows_[row][column];
    if (!IsTypeable(text)) return std::nullopt;
    const GridColumn& c = GridColumns()[column];
    QString shown = Held(text, maxLength);
    if (c.decimals >= 0 && !text.trimmed().isEmpty())
        shown = platform::RoundDecimalText(text, c.decimals);
    if (c.field == 4 && !shown.trimmed().isEmpty() && !IsSightingNumber(shown.trimmed()))
        return std::nullopt;
    rows_[row][column] = shown;
    // As with the boxes, the padding of a field is no edit.
    if (shown.trimmed() != Field(lines_[rowLines_[row]], c.field).trimmed())
        WriteField(rowLines_[row], c.field, SightingField(c.field, shown));
    return shown;
}

qsizetype ApaEditor::InsertionPoint(int row) const {
    return row < RowCount() ? rowLines_[row] : runEnd_;
}

void ApaEditor::DeleteRows(int first, int last) {
    if (!ValidRow(first) || !ValidRow(last) || first > last) return;
    for (int row = last; row >= first; --row) lines_.removeAt(rowLines_[row]);
    modified_ = true;
    Reshow();
}

// Rows belong to a station: without one there is nowhere to put them.
void ApaEditor::InsertRows(int at, int count) {
    if (!HasStation() || at < 0 || at > RowCount() || count <= 0) return;
    const qsizetype index = InsertionPoint(at);
    for (int i = 0; i < count; ++i) lines_.insert(index, kEmptyF);
    modified_ = true;
    Reshow();
}

QString ApaEditor::CopyRows(int first, int last) const {
    QString text;
    if (!ValidRow(first) || !ValidRow(last)) return text;
    bool bySlots = true;
    for (int row = first; row <= last; ++row) bySlots = bySlots && FitsSlots(rows_[row]);
    for (int row = first; row <= last; ++row) {
        QStringList cells;
        for (int column = 1; column < kGridColumns; ++column) cells.append(rows_[row][column]);
        if (bySlots) {
            for (const QString& cell : cells) text += cell.leftJustified(kClipboardSlot);
        } else {
            for (QString& cell : cells) cell = Typeable(cell);
            text += cells.join(u'\t') + u'\n';
        }
    }
    return text;
}

int ApaEditor::PasteRows(int at, const QString& text) {
    if (!HasStation() || at < 0 || at > RowCount()) return 0;
    const QList<QStringList> rows = text.contains(u'\t') ? TabRows(text) : SlotRows(text);
    const int count = static_cast<int>(rows.size());
    if (count == 0) return 0;
    InsertRows(at, count);
    for (int k = 0; k < count; ++k)
        for (int column = 1; column < kGridColumns && column <= rows[k].size(); ++column)
            EnterCell(at + k, column, Typeable(rows[k][column - 1]), 0);
    return count;
}

QStringList ApaEditor::SaveLines() const {
    return PrepareForSave(lines_);
}

}  // namespace apa
