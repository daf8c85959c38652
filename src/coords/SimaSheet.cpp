#include "coords/SimaSheet.h"

namespace coords {
namespace {

QString Slot(const QString& text) { return text.left(kCopySlot).leftJustified(kCopySlot, u' '); }

QString LineOf(const QStringList& cells) {
    QString line = kEmptyPointLine;
    for (int f = 1; f <= 5; ++f)
        if (f < cells.size()) line = WithPointField(line, static_cast<PointField>(f), cells[f]);
    return line;
}

}  // namespace

SimaSheet::SimaSheet(QStringList lines) : lines_(std::move(lines)) { FindRows(); }

void SimaSheet::FindRows() {
    QList<bool> ticks;
    for (const RowRef& r : rows_) ticks.append(r.ticked);
    rows_.clear();
    for (int i = 0; i < lines_.size(); ++i)
        if (IsPointLine(lines_[i])) rows_.append({i, true});
    for (int i = 0; i < rows_.size() && i < ticks.size(); ++i) rows_[i].ticked = ticks[i];
}

void SimaSheet::SetAllTicked(bool on) {
    for (RowRef& r : rows_) r.ticked = on;
}

int SimaSheet::SelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const RowRef& r) { return r.ticked; }));
}

bool SimaSheet::Commit(int row, PointField field, const QString& text) {
    if (!FitsPointField(text)) return false;
    QString& line = lines_[rows_[row].line];
    line = WithPointField(line, field, text);
    changed_ = true;
    return true;
}

int SimaSheet::InsertionLine(int before) const {
    if (before < RowCount()) return rows_[before].line;
    if (!rows_.isEmpty()) return rows_.back().line + 1;
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].startsWith(u"A99")) return i;
    return static_cast<int>(lines_.size());
}

void SimaSheet::InsertRows(int before, int count) {
    if (count < 1) return;
    const int at = InsertionLine(before);
    QList<bool> ticks;
    for (const RowRef& r : rows_) ticks.append(r.ticked);
    for (int i = 0; i < count; ++i) {
        lines_.insert(at, kEmptyPointLine);
        ticks.insert(qMin(before, static_cast<int>(ticks.size())), true);
    }
    rows_.clear();
    for (int i = 0; i < lines_.size(); ++i)
        if (IsPointLine(lines_[i])) rows_.append({i, ticks.value(rows_.size(), true)});
    changed_ = true;
}

void SimaSheet::DeleteRows(int first, int last) {
    if (first > last) std::swap(first, last);
    for (int row = last; row >= first; --row) lines_.removeAt(rows_[row].line);
    rows_.remove(first, last - first + 1);
    FindRows();  // the rows after the block, with their ticks, moved up with their lines
    changed_ = true;
}

QString SimaSheet::CopyText(int first, int last) const {
    if (first > last) std::swap(first, last);
    QString text;
    for (int row = first; row <= last; ++row) {
        const SimaPoint p = Row(row);
        text += Slot(rows_[row].ticked ? kTick : QString()) + Slot(p.number) + Slot(p.name) + Slot(p.x) + Slot(p.y) +
                Slot(p.z);
    }
    return text;
}

int SimaSheet::Paste(int before, const QString& text) {
    QString rest = text;
    while (rest.endsWith(u'\n') || rest.endsWith(u'\r')) rest.chop(1);
    if (rest.isEmpty()) return 0;
    QList<QStringList> rows;
    for (qsizetype at = 0; at < rest.size(); at += kCopySlot * kCopySlots) {
        QStringList cells;
        for (int s = 0; s < kCopySlots; ++s) {
            QString slot = rest.mid(at + s * kCopySlot, kCopySlot);
            while (slot.endsWith(u' ')) slot.chop(1);
            if (!FitsPointField(slot)) return -1;
            cells.append(slot);
        }
        rows.append(cells);
    }
    const int count = static_cast<int>(rows.size());
    InsertRows(before, count);
    const int first = qMin(before, RowCount() - count);
    for (int i = 0; i < count; ++i) {
        lines_[rows_[first + i].line] = LineOf(rows[i]);
        rows_[first + i].ticked = rows[i][0] == kTick;
    }
    return count;
}

QList<TickedPoint> SimaSheet::TickedPoints() const {
    QList<TickedPoint> points;
    for (int row = 0; row < RowCount(); ++row) {
        if (!rows_[row].ticked) continue;
        const SimaPoint p = Row(row);
        points.append({row + 1, rows_[row].line + 1, p.name, p.x, p.y, p.z});
    }
    return points;
}

}  // namespace coords
