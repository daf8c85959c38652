#include "notebook/report/ReportLayout.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include "notebook/report/LayoutFiles.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace notebook::report {
namespace {

// A fault on one line, thrown with the line's number once the parser knows it.
struct LineFault {
    QString what;
};

[[noreturn]] void Fail(const QString& what) {
    throw LineFault{what};
}

// The directive word and the rest of the line after the one separating blank.
std::pair<QString, QString> SplitDirective(const QString& line) {
    const qsizetype blank = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
    if (blank < 0) return {line, QString()};
    return {line.left(blank), line.mid(blank + 1)};
}

QStringList Words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// A header line's placeholders must be closed and named, so that a typing slip shows when
// the layout is read rather than as a brace on a client's page.
void CheckPlaceholders(const QString& text) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_]+$"));
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'{', from);
        const qsizetype close = text.indexOf(u'}', from);
        if (open < 0 && close < 0) return;
        if (open < 0 || (close >= 0 && close < open))
            Fail(QStringLiteral("対応する { がありません"));
        const qsizetype end = text.indexOf(u'}', open);
        if (end < 0) Fail(QStringLiteral("} で閉じられていません"));
        if (!name.match(text.mid(open + 1, end - open - 1)).hasMatch())
            Fail(QStringLiteral("{ } の中の名前が正しくありません"));
        from = end + 1;
    }
}

int WholeNumber(const QString& word, int low, int high, const QString& what) {
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < low || value > high)
        Fail(what + QStringLiteral("は ") + QString::number(low) + QStringLiteral(" から ") +
             QString::number(high) + QStringLiteral(" の整数です: ") + word);
    return value;
}

void ParsePage(const QString& rest, ReportLayout& layout) {
    if (layout.linesPerPage > 0) Fail(QStringLiteral("page が二度あります"));
    const QStringList words = Words(rest);
    if (words.size() != 2) Fail(QStringLiteral("page には行数と行の高さを書きます"));
    layout.linesPerPage = WholeNumber(words[0], 2, kMaxLinesPerPage, QStringLiteral("行数"));
    bool ok = false;
    layout.lineHeight = words[1].toDouble(&ok);
    if (!ok || !(layout.lineHeight > 0 && layout.lineHeight <= kMaxLineHeight))
        Fail(QStringLiteral("行の高さは 0 より大きく ") + QString::number(kMaxLineHeight) +
             QStringLiteral(" 以下です: ") + words[1]);
}

// Field names of the notebook tables: FLD4, FLD-4, FLD+7, テーブル4's メモ.
bool IsFieldName(const QString& word) {
    static const QRegularExpression field(QStringLiteral("^[\\w+-]+$"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    return field.match(word).hasMatch();
}

Align ParseAlign(const QString& word) {
    if (word == u"left") return Align::Left;
    if (word == u"right") return Align::Right;
    if (word == u"center") return Align::Center;
    Fail(QStringLiteral("揃えは left, right, center のどれかです: ") + word);
}

void ParseColumn(const QString& rest, ReportLayout& layout) {
    static const QRegularExpression shape(
        QStringLiteral("^(\\S+)\\s+(\\S+)\\s+(\\S+)(?:\\s(.*))?$"));
    const QRegularExpressionMatch m = shape.match(rest);
    if (!m.hasMatch()) Fail(QStringLiteral("column には項目名、幅、揃え、見出しを書きます"));
    if (!IsFieldName(m.captured(1)))
        Fail(QStringLiteral("項目名が正しくありません: ") + m.captured(1));
    LayoutColumn column;
    column.field = m.captured(1).toUpper();
    column.width = WholeNumber(m.captured(2), 1, kMaxColumnWidth, QStringLiteral("幅"));
    column.align = ParseAlign(m.captured(3));
    column.heading = m.captured(4).trimmed();
    // A heading wider than its column would run into the next one on every page.
    if (platform::cp932::ByteLength(column.heading) > column.width)
        Fail(QStringLiteral("見出しが幅 %1 に入りません: ").arg(column.width) + column.heading);
    if (layout.tables.empty()) layout.tables.emplace_back();
    layout.tables.back().columns.push_back(column);
}

void ParseTable(const QString& rest, ReportLayout& layout) {
    QStringList words = Words(rest);
    if (words.size() < 2) Fail(QStringLiteral("table には項目名と値を書きます"));
    if (!IsFieldName(words[0])) Fail(QStringLiteral("項目名が正しくありません: ") + words[0]);
    if (!layout.tables.empty() && layout.tables.back().field.isEmpty())
        Fail(QStringLiteral("table の前に column があります"));
    if (!layout.tables.empty() && layout.tables.back().columns.empty())
        Fail(QStringLiteral("前の table に column がありません"));
    if (static_cast<int>(layout.tables.size()) == kMaxTables)
        Fail(QStringLiteral("table は ") + QString::number(kMaxTables) + QStringLiteral(" までです"));
    LayoutTable& table = layout.tables.emplace_back();
    table.field = words.takeFirst().toUpper();
    table.values = words;
}

void ParseRules(const QString& rest, LayoutRules& rules) {
    const QStringList words = Words(rest);
    if (words.isEmpty()) Fail(QStringLiteral("rule には罫線の種類を書きます"));
    for (const QString& word : words) {
        if (word == u"frame")
            rules.frame = true;
        else if (word == u"heading")
            rules.heading = true;
        else if (word == u"columns")
            rules.columns = true;
        else if (word == u"header")
            rules.header = true;
        else
            Fail(QStringLiteral("罫線は frame, heading, columns, header のどれかです: ") + word);
    }
}

void ParseLine(const QString& line, ReportLayout& layout) {
    const auto [directive, rest] = SplitDirective(line);
    if (directive == u"title") {
        layout.title = rest.trimmed();
    } else if (directive == u"page") {
        ParsePage(rest, layout);
    } else if (directive == u"header") {
        CheckPlaceholders(rest);
        layout.header.append(rest);
    } else if (directive == u"column") {
        ParseColumn(rest, layout);
    } else if (directive == u"table") {
        ParseTable(rest, layout);
    } else if (directive == u"keep") {
        if (!IsFieldName(rest.trimmed())) Fail(QStringLiteral("keep には項目名を書きます"));
        layout.keep = rest.trimmed().toUpper();
    } else if (directive == u"rule") {
        ParseRules(rest, layout.rules);
    } else {
        Fail(QStringLiteral("不明な指示です: ") + directive);
    }
}

QString AtLine(int number, const QString& what) {
    // Concatenated: the text may hold "%" from the file.
    return QString::number(number) + QStringLiteral(" 行目: ") + what;
}

}  // namespace

ReportLayout ParseReportLayout(const QStringList& lines, const QString& path) {
    ReportLayout layout;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Blanks round a line are invisible in an editor and must not change a heading.
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const int number = static_cast<int>(i + 1);
        try {
            ParseLine(line, layout);
        } catch (const LineFault& fault) {
            throw platform::FileError(path, AtLine(number, fault.what), number);
        }
    }
    if (layout.linesPerPage == 0)
        throw platform::FileError(path, QStringLiteral("page の指示がありません"));
    if (layout.tables.empty() || layout.tables.back().columns.empty())
        throw platform::FileError(path, QStringLiteral("column の指示がありません"));
    return layout;
}

ReportLayout ReadReportLayout(const QString& path) {
    if (!QFileInfo::exists(path)) throw platform::FileError(path, MissingLayoutMessage(path));
    const QByteArray bytes = platform::ReadFileBytes(path);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        throw platform::FileError(path, QStringLiteral("UTF-8 のテキストではありません"));
    return ParseReportLayout(platform::SplitLines(text), path);
}

}  // namespace notebook::report
