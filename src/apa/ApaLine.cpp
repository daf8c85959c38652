#include "apa/ApaLine.h"

#include "platform/CodePage.h"

#include <QRegularExpression>
#include <charconv>

namespace apa {

Record RecordOf(const QString& line) {
    if (line.size() < 2 || line[1] != u',') return Record::Other;
    switch (line[0].unicode()) {
        case u'A':
            return Record::A;
        case u'B':
            return Record::B;
        case u'C':
            return Record::C;
        case u'D':
            return Record::D;
        case u'E':
            return Record::E;
        case u'F':
            return Record::F;
        case u'Z':
            return Record::Z;
        default:
            return Record::Other;
    }
}

namespace {

// The start of field n (just after the n-th comma), or -1 when the line has fewer commas.
qsizetype FieldStart(const QString& line, int n) {
    qsizetype pos = -1;
    for (int i = 0; i < n; ++i) {
        pos = line.indexOf(u',', pos + 1);
        if (pos < 0) return -1;
    }
    return pos + 1;
}

}  // namespace

QString Field(const QString& line, int n) {
    const qsizetype start = FieldStart(line, n);
    if (start < 0) return {};
    const qsizetype end = line.indexOf(u',', start);
    return line.mid(start, end < 0 ? -1 : end - start);
}

QString ReplaceField(const QString& line, int n, const QString& value) {
    QString out = line;
    if (!out.endsWith(u',')) out += u',';
    while (FieldStart(out, n + 1) < 0) out += u',';
    const qsizetype start = FieldStart(out, n);
    const qsizetype end = out.indexOf(u',', start);
    return out.replace(start, end - start, value);
}

bool IsBlankRecord(const QString& line) {
    for (qsizetype i = 2; i < line.size(); ++i)
        if (line[i] != u',' && line[i] != u' ') return false;
    return true;
}

bool IsPlaceholderStation(const QString& line) {
    return RecordOf(line) == Record::D && IsBlankRecord(line);
}

bool IsNumberField(Record record, int field) {
    switch (record) {
        case Record::C:
            return field >= 1 && field <= 6;
        case Record::D:
            return field == 3 || field == 4;
        case Record::F:
            return field == 3 || (field >= 5 && field <= 8);
        default:
            return false;
    }
}

bool IsSightingNumber(const QString& number) {
    static const QRegularExpression re(
        QRegularExpression::anchoredPattern(QStringLiteral("[rl][1239](?!000)[0-9]{3}")));
    return re.match(number).hasMatch();
}

QStringView LeadingNumber(QStringView text) {
    qsizetype i = 0;
    const auto digitAt = [&text](qsizetype at) { return at < text.size() && text[at].isDigit() && text[at].unicode() < 128; };
    const auto skipDigits = [&](qsizetype at) {
        while (digitAt(at)) ++at;
        return at;
    };
    while (i < text.size() && text[i] == u' ') ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    const qsizetype intEnd = skipDigits(i);
    qsizetype end = intEnd;
    if (end < text.size() && text[end] == u'.') end = skipDigits(end + 1);
    if (intEnd == i && end <= intEnd + 1) return {};  // no digit at all: "", "-", "."
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exp = end + 1;
        if (exp < text.size() && (text[exp] == u'+' || text[exp] == u'-')) ++exp;
        if (digitAt(exp)) end = skipDigits(exp);
    }
    return text.sliced(start, end - start);
}

double LenientNumber(QStringView text) {
    const QStringView number = LeadingNumber(text);
    // The number is ASCII: read from bytes, it needs no conversion of the text.
    char bytes[64];
    if (number.isEmpty() || number.size() >= static_cast<qsizetype>(sizeof bytes))
        return number.isEmpty() ? 0.0 : number.toDouble();
    const qsizetype skip = number.front() == u'+' ? 1 : 0;  // from_chars takes no "+"
    qsizetype n = 0;
    for (qsizetype i = skip; i < number.size(); ++i) bytes[n++] = static_cast<char>(number[i].unicode());
    double value = 0;
    const auto [end, error] = std::from_chars(bytes, bytes + n, value);
    if (error == std::errc::result_out_of_range) return number.toDouble();
    return value;
}

bool ReadsAsNumber(const QString& text) {
    static const QRegularExpression re(QRegularExpression::anchoredPattern(
        QStringLiteral(" *[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+) *")));
    return re.match(text).hasMatch();
}

QChar CheckCharacter(const QString& line) {
    int sum = 0;
    for (const char byte : platform::cp932::Encode(line.left(line.lastIndexOf(u',') + 1)))
        sum += static_cast<unsigned char>(byte);
    return QChar(sum % 64 + 32);
}

QStringList EmptyDataSet() {
    return {kHeaderLine, kEmptyD, kRunStart, kEmptyF, kEndLine};
}

}  // namespace apa
