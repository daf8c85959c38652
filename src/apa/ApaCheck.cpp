#include "apa/ApaCheck.h"

#include "apa/ApaLine.h"
#include "apa/ApaReader.h"
#include "apa/ObservationCode.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace apa {
namespace {

const QString kNotApaData = QStringLiteral(
    "APAデータではありません（1 行目は \"A,\" で始まり、5 文字目が \",\" であること）");

QString RecordName(Record r) {
    switch (r) {
        case Record::A:
            return QStringLiteral("A");
        case Record::B:
            return QStringLiteral("B");
        case Record::C:
            return QStringLiteral("C");
        case Record::D:
            return QStringLiteral("D");
        case Record::E:
            return QStringLiteral("E");
        case Record::F:
            return QStringLiteral("F");
        case Record::Z:
            return QStringLiteral("Z");
        case Record::Other:
            break;
    }
    return QStringLiteral("?");
}

// Follows the record order: A; per station B and C (optional), D, "E,0,", F and "E,1,"; Z.
class OrderCheck {
  public:
    explicit OrderCheck(QList<ApaProblem>& problems) : problems_(problems) {}

    void Line(int number, const QString& line, Record record) {
        if (ended_) {
            Problem(number, QStringLiteral("終了レコード Z の後に行があります"));
            return;
        }
        switch (record) {
            case Record::A:
                Problem(number, QStringLiteral("2 つ目のヘッダーレコード A です"));
                break;
            case Record::B:
            case Record::C:
                ExpectNoOpenStation(number, record);
                inRun_ = false;
                break;
            case Record::D:
                ExpectNoOpenStation(number, record);
                stationOpen_ = number;
                inRun_ = false;
                break;
            case Record::E:
                if (line == kRunStart) {
                    if (stationOpen_ == 0)
                        Problem(number, QStringLiteral("観測点レコード D のない \"E,0,\" です"));
                    stationOpen_ = 0;
                    inRun_ = true;
                } else if (!inRun_) {
                    Problem(number,
                            QStringLiteral("観測点の視準の外に \"%1\" があります").arg(line));
                }
                break;
            case Record::F:
                if (!inRun_)
                    Problem(number,
                            QStringLiteral("観測点の視準の外に視準レコード F があります（前に "
                                           "\"E,0,\" がありません）"));
                break;
            case Record::Z:
                ExpectNoOpenStation(number, record);
                ended_ = true;
                break;
            case Record::Other:
                break;
        }
    }

    void End(int lineCount) {
        if (stationOpen_ != 0)
            Problem(stationOpen_, QStringLiteral("観測点レコード D の後に \"E,0,\" がありません"));
        if (!ended_) Problem(lineCount, QStringLiteral("終了レコード Z がありません"));
    }

  private:
    void ExpectNoOpenStation(int number, Record next) {
        if (stationOpen_ == 0) return;
        Problem(number,
                QStringLiteral("%1 行目の観測点レコード D の \"E,0,\" より前に %2 があります")
                    .arg(stationOpen_)
                    .arg(RecordName(next)));
        stationOpen_ = 0;
    }
    void Problem(int number, const QString& message) { problems_.append({number, message}); }

    QList<ApaProblem>& problems_;
    int stationOpen_ = 0;  // line of a D still waiting for its "E,0,"
    bool inRun_ = false;
    bool ended_ = false;
};

constexpr int kLastNumberField = 8;

void CheckFields(QList<ApaProblem>& problems, int number, const QString& line, Record record) {
    for (int field = 1; field <= kLastNumberField; ++field) {
        if (!IsNumberField(record, field)) continue;
        const QString value = Field(line, field);
        if (!value.trimmed().isEmpty() && !ReadsAsNumber(value))
            problems.append(
                {number, QStringLiteral("%1 の %2 番目の値 \"").arg(RecordName(record)).arg(field) +
                             value + QStringLiteral("\" は数ではありません")});
    }
    if (record == Record::F) {
        const QString sighting = Field(line, 4).trimmed();
        if (!sighting.isEmpty() && !IsSightingNumber(sighting))
            problems.append({number, QStringLiteral("番号 \"%1\" は正反 r・l、対回 1・2・3・9、"
                                                    "方向番号 001～999 の形ではありません")
                                         .arg(sighting)});
    }
}

}  // namespace

QList<ApaProblem> CheckApaLines(const QStringList& lines) {
    QList<ApaProblem> problems;
    OrderCheck order(problems);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const QString& line = lines[i];
        const Record record = RecordOf(line);
        if (record == Record::Other) {
            problems.append(
                {number, QStringLiteral("知らないレコード \"%1\" です").arg(line.left(20))});
            continue;
        }
        order.Line(number, line, record);
        CheckFields(problems, number, line, record);
        if (record == Record::D && !IsPlaceholderStation(line)) {
            const QString written = Field(line, 5).trimmed();
            const QString computed = ObservationCode(lines, i);
            if (written != computed)
                problems.append(
                    {number, QStringLiteral("観測コード \"%1\" は視準から \"%2\" になるはずです")
                                 .arg(written, computed)});
        }
    }
    order.End(static_cast<int>(lines.size()));
    std::stable_sort(problems.begin(), problems.end(),
                     [](const ApaProblem& a, const ApaProblem& b) { return a.line < b.line; });
    return problems;
}

QList<ApaProblem> CheckApaFile(const QString& path) {
    try {
        const auto lines = NormalizeApaLines(platform::ReadTextLines(path));
        if (!lines) return {{0, kNotApaData}};
        return CheckApaLines(*lines);
    } catch (const platform::FileError& e) {
        return {{0, QStringLiteral("読めません: ") + e.Explanation()}};
    }
}

}  // namespace apa
