#include "comm/settings/LineSettings.h"

namespace comm {
namespace {

const std::array<QStringList, kLineFields> kChoices = {
    QStringList{QStringLiteral("38400"), QStringLiteral("19200"), QStringLiteral("9600"), QStringLiteral("4800"),
                QStringLiteral("2400"), QStringLiteral("1200")},
    QStringList{QStringLiteral("n"), QStringLiteral("e"), QStringLiteral("o")},
    QStringList{QStringLiteral("8"), QStringLiteral("7")},
    QStringList{QStringLiteral("1"), QStringLiteral("2")},
    QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")},
};

}  // namespace

const QStringList& LineChoices(LineField field) { return kChoices.at(field); }

int ChoiceRow(LineField field, const QString& value) {
    return static_cast<int>(LineChoices(field).indexOf(value)) + 1;
}

QString LineSettings::Text() const {
    QStringList parts(fields.begin(), fields.end());
    return parts.join(u',');
}

LineSettings ParseLineSettings(const QString& rsset, const QString& rsfuro) {
    LineSettings settings;
    const QStringList parts = rsset.split(u',');
    for (int i = 0; i < kLineFields && i < parts.size(); ++i) settings.fields[static_cast<size_t>(i)] = parts[i];
    settings.hardwareFlow = rsfuro == kHardwareFlow;
    return settings;
}

LineSettings MakerDefaults(const LineSettings& current, const QString& format, const QString& maker) {
    LineSettings settings = current;
    const bool gsi = format == QStringLiteral("GSI");
    const bool fc5 = format == QStringLiteral("FC5");
    settings.fields[kBaud] = gsi ? QStringLiteral("2400") : QStringLiteral("9600");
    settings.fields[kParity] = gsi ? QStringLiteral("e") : QStringLiteral("n");
    settings.fields[kDataBits] = gsi ? QStringLiteral("7") : QStringLiteral("8");
    settings.fields[kStopBits] = fc5 ? QStringLiteral("2") : QStringLiteral("1");
    settings.hardwareFlow = maker != QStringLiteral("LEICA");
    return settings;
}

QString MakerDefaultsCaption(const QString& maker, const QString& format) {
    return QStringLiteral("ﾒｰｶｰ初期値に設定\n ( ") + maker + u'･' + format + QStringLiteral(" )");
}

}  // namespace comm
