#pragma once
// The serial line settings the user keeps: RSset, five fields joined by commas (baud,
// parity letter, data bits, stop bits, port number, as "9600,n,8,1,1"), and RSFuro, the flow
// control ("0" none, "2" hardware RTS/CTS). The settings form offers a fixed list of choices
// per field; a stored value that is none of them is kept as it is.

#include <QString>
#include <QStringList>
#include <array>

namespace comm {

enum LineField { kBaud, kParity, kDataBits, kStopBits, kPort, kLineFields };

inline const QString kDefaultLineSettings = QStringLiteral("9600,n,8,1,1");
inline const QString kHardwareFlow = QStringLiteral("2");
inline const QString kNoFlow = QStringLiteral("0");

// The choices of a field in the order the form shows them; the row of a choice is its
// position from 1.
const QStringList& LineChoices(LineField field);
// The row (from 1) of the choice equal to value; 0 when the value is none of them.
int ChoiceRow(LineField field, const QString& value);

struct LineSettings {
    std::array<QString, kLineFields> fields;
    bool hardwareFlow = true;

    // The five fields joined by commas, none at the end.
    QString Text() const;
    QString FlowText() const { return hardwareFlow ? kHardwareFlow : kNoFlow; }
};

// The fields of a stored RSset: each runs to the next comma, the fifth to the next comma or
// the end; a missing field is empty. Hardware flow unless RSFuro is other than "2".
LineSettings ParseLineSettings(const QString& rsset, const QString& rsfuro);

// The maker's defaults for the instrument format (the port is kept): 2400,e,7,1 for GSI,
// 9600,n,8,2 for FC5, 9600,n,8,1 otherwise; no flow control for LEICA, hardware for the rest.
LineSettings MakerDefaults(const LineSettings& current, const QString& format, const QString& maker);

// The caption of the defaults button: "ﾒｰｶｰ初期値に設定", a line break, " ( maker･format )".
QString MakerDefaultsCaption(const QString& maker, const QString& format);

}  // namespace comm
