#pragma once
// The small text routines every converter shares. Each changes its argument in place and
// returns it, so that a converter can chain them on one buffer. They work alike on decoded
// text (QString, for raw formats with Japanese names), on raw bytes (QByteArray, for ASCII
// formats read without decoding) and on a field being formatted (FieldText).

#include <QByteArray>
#include <QString>
#include <initializer_list>

#include "convert/FieldText.h"

namespace convert {

// Takes the first comma-separated field: the text before the first "," when that comma is
// at the second character or later, else empty. The argument keeps the text after the
// comma, or stays as it is when it holds no comma.
QString TakeField(QString& text);
QByteArray TakeField(QByteArray& text);

// Removes "0" characters from the front: "00012" gives "12", "000" gives "", "0.5" ".5".
QString& StripLeadingZeros(QString& text);
QByteArray& StripLeadingZeros(QByteArray& text);
FieldText& StripLeadingZeros(FieldText& text);

// Appends blanks up to 8 characters; a longer name stays as it is.
QString& PadName(QString& name);
QByteArray& PadName(QByteArray& name);
FieldText& PadName(FieldText& name);

// Puts "0" before a leading ".", then blanks in front up to 8 characters when the text has
// 1 to 7: ".5" gives "     0.5", "123.456" gives " 123.456"; empty stays empty.
QString& PadNumber(QString& number);
QByteArray& PadNumber(QByteArray& number);
FieldText& PadNumber(FieldText& number);

// True when each value is blank or reads completely as a number, as the field book's number
// fields need it: no exponent, no "inf", nothing after the digits.
bool AllNumbers(std::initializer_list<QString> values);
bool AllNumbers(std::initializer_list<QByteArrayView> values);  // CP932 text

// An angle in seconds of arc as ten characters of degree text, rounded to whole seconds:
// four for the degrees (blank-padded, the sign in front when negative, "  -0" for a
// negative angle under one degree), "-", two minute digits, "-", two second digits.
// 3723 gives "   1-02-03", -1800 gives "  -0-30-00". Degrees beyond 9999 either way give
// eleven blanks.
QString SecondsToDegreeText(double seconds);

}  // namespace convert
