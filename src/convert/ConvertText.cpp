#include "convert/ConvertText.h"

#include "apa/AngleText.h"
#include "apa/ApaLine.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

template <class Text>
Text TakeFieldOf(Text& text) {
    const qsizetype comma = text.indexOf(',');
    if (comma < 0) return Text();
    Text field = comma >= 1 ? text.left(comma) : Text();
    text.remove(0, comma + 1);
    return field;
}

template <class Text>
Text& StripZerosOf(Text& text) {
    qsizetype zeros = 0;
    while (zeros < text.size() && text.at(zeros) == '0') ++zeros;
    text.remove(0, zeros);
    return text;
}

template <class Text>
Text& PadNameOf(Text& name) {
    if (name.size() < 8) name.append(Text(8 - name.size(), ' '));
    return name;
}

template <class Text>
Text& PadNumberOf(Text& number) {
    if (number.startsWith('.')) number.prepend('0');
    if (!number.isEmpty() && number.size() < 8) number.prepend(Text(8 - number.size(), ' '));
    return number;
}

}  // namespace

QString TakeField(QString& text) { return TakeFieldOf(text); }
QByteArray TakeField(QByteArray& text) { return TakeFieldOf(text); }
QString& StripLeadingZeros(QString& text) { return StripZerosOf(text); }
QByteArray& StripLeadingZeros(QByteArray& text) { return StripZerosOf(text); }
FieldText& StripLeadingZeros(FieldText& text) { return StripZerosOf(text); }
QString& PadName(QString& name) { return PadNameOf(name); }
QByteArray& PadName(QByteArray& name) { return PadNameOf(name); }
FieldText& PadName(FieldText& name) { return PadNameOf(name); }
QString& PadNumber(QString& number) { return PadNumberOf(number); }
QByteArray& PadNumber(QByteArray& number) { return PadNumberOf(number); }
FieldText& PadNumber(FieldText& number) { return PadNumberOf(number); }

bool AllNumbers(std::initializer_list<QString> values) {
    for (const QString& value : values)
        if (!value.trimmed().isEmpty() && !apa::ReadsAsNumber(value)) return false;
    return true;
}

bool AllNumbers(std::initializer_list<QByteArrayView> values) {
    for (const QByteArrayView value : values)
        if (!AllNumbers({platform::cp932::Decode(value)})) return false;
    return true;
}

QString SecondsToDegreeText(double seconds) {
    const QString text = apa::FormatDms(seconds);
    return text.isEmpty() ? QString(11, u' ') : text.rightJustified(10);
}

}  // namespace convert
