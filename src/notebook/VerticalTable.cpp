// The vertical angle and distance table of a station observed in sets: per set and target
// an r line, an l line and a result line; after the last set, the set-to-set difference of
// each target's distance.

#include "notebook/NotebookFormat.h"
#include "notebook/NotebookLayout.h"

namespace notebook {
namespace {

void WriteHeader(NotebookPages& pages) {
    const QString q = QStringLiteral("\"");
    pages.Line(QString());
    pages.Line(QStringLiteral("望   視 準 点       鉛 直 角  ｒ－ｌ=2Z=  定    観測距離     較"));
    pages.Line(QStringLiteral("遠                           90ﾟ±α= Z=  数                    平均値  目標高"));
    pages.Line(QStringLiteral("鏡  名称又は番号    観 測 角  (   　)α=  差   (1)   (2)     差"));
    pages.Line(QStringLiteral("                     ﾟ  '  ") + q + QStringLiteral("    ﾟ  '  ") + q +
               QStringLiteral("   ") + q + QStringLiteral("     m     m     mm     m      m"));
}

QString DigitsOrStars(const Maybe& value) {
    if (!value) return QString();
    const QString text = FormatDigits(*value, 1, 0, 0);
    return text.size() <= 4 ? text : QStringLiteral("****");
}

// Distance (1), distance (2) by its decimals, and their difference in millimetres.
void SetDistances(DataRow& row, const FaceDistance& face) {
    if (face.d1 > 0) row[14] = FormatDigits(face.d1, 5, 3, 9);
    if (face.d2 > 0) {
        const QString d2 = FormatDigits(face.d2, 5, 3, 9);
        row[15] = d2.sliced(d2.indexOf(u'.'));
    }
    if (face.differenceMm) row[16] = FormatDigits(*face.differenceMm, 4, 0, 4);
    row[17] = Metres(face.mean, 5, 9);
}

// Everything after the name column: reading, angle, constant, distances, mean, height,
// each ending under its heading. Distance (1) takes one column more than its heading, so
// that an index-constant difference never runs into a distance of 100 m or more.
QString Columns(const DataRow& row) {
    return row[21].rightJustified(11) + row[12].rightJustified(11) + row[13].rightJustified(4) +
           row[14].rightJustified(8) + row[15].rightJustified(5) + row[16].rightJustified(6) +
           row[17].rightJustified(8) + row[18].rightJustified(8);
}

// An l line of a group leaves the name to its r line; a re-measured sighting stands alone
// and names its target on either face.
QString FaceStart(const DataRow& row) {
    if (row[20] == u"2" && row[4].isEmpty()) return QStringLiteral(" l               ");
    return u' ' + row[2] + QStringLiteral(" [") + PadToBytes(row[4], 12) + u']';
}

void WriteFaceLine(NotebookPages& pages, DataRow row) {
    row[19] = kVerticalRow;
    const QString text = FaceStart(row) + Columns(row);
    pages.Row(text, std::move(row));
}

void WriteGroup(NotebookPages& pages, const TargetReduction& target, const VerticalSet& v,
                const Maybe& indexSpread) {
    DataRow r;
    r[2] = QStringLiteral("r");
    r[4] = target.name;
    r[20] = QStringLiteral("1");
    r[21] = DmsOrBlank(v.direct);
    r[12] = DmsOrBlank(v.rMinusL);
    r[13] = DigitsOrStars(indexSpread);
    SetDistances(r, v.directDistance);
    WriteFaceLine(pages, std::move(r));

    DataRow l;
    l[2] = QStringLiteral("l");
    l[20] = QStringLiteral("2");
    l[21] = DmsOrBlank(v.reverse);
    l[12] = DmsOrBlank(v.zenith);
    SetDistances(l, v.reverseDistance);
    WriteFaceLine(pages, std::move(l));

    DataRow result;
    result[19] = kVerticalRow;
    result[20] = QStringLiteral("3");
    result[21] = DmsOrBlank(v.sum);
    result[12] = DmsOrBlank(v.alpha);
    result[17] = Metres(v.mean, 5, 9);
    result[18] = Metres(target.targetHeight, 4, 8);
    const QString text = QString(17, u' ') + Columns(result);
    pages.Row(text, std::move(result));
}

void WriteSetSpread(NotebookPages& pages, const TargetReduction& target) {
    DataRow row;
    row[4] = QStringLiteral("セット間");
    if (target.setSpreadMm) row[16] = FormatDigits(*target.setSpreadMm, 4, 0, 4);
    row[19] = kVerticalRow;
    const QString text = QStringLiteral("       セット間") + row[16].rightJustified(4);
    pages.Row(text, std::move(row));
}

bool HasVertical(const Sighting* cell) { return cell && cell->HasVertical(); }

void WriteRemeasured(NotebookPages& pages, const std::vector<Sighting>& remeasured) {
    bool separated = false;
    for (const Sighting& s : remeasured) {
        if (!s.HasVertical()) continue;
        if (!std::exchange(separated, true)) WriteRemeasureSeparator(pages, kVerticalRow);
        DataRow row;
        row[2] = s.face();
        row[4] = s.name;
        row[20] = s.face() == u'l' ? QStringLiteral("2") : QStringLiteral("1");
        row[21] = DmsOrBlank(s.vertical);
        SetDistances(row, ReduceReadings(s.distance1, s.distance2));
        WriteFaceLine(pages, std::move(row));
    }
}

}  // namespace

void WriteVerticalTable(NotebookPages& pages, const SetReduction& reduction,
                        const std::vector<Sighting>& remeasured) {
    WriteHeader(pages);
    for (int set = 1; set <= reduction.sets; ++set) {
        bool first = true;
        for (const TargetReduction& target : reduction.targets) {
            const size_t s = static_cast<size_t>(set);
            if (!HasVertical(target.cells[static_cast<size_t>(DirectRow(set))]) &&
                !HasVertical(target.cells[static_cast<size_t>(ReverseRow(set))]))
                continue;
            WriteGroup(pages, target, target.vertical[s], first ? reduction.indexSpread[s] : std::nullopt);
            first = false;
            if (set == reduction.sets && reduction.sets > 1 && target.meanDistance) WriteSetSpread(pages, target);
        }
    }
    WriteRemeasured(pages, remeasured);
}

}  // namespace notebook
