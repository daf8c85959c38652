#include "notebook/report/PrintSettings.h"

#include "platform/Settings.h"

namespace notebook::report {
namespace {

int WholeSetting(const QString& text, int low, int high, int fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

// A margin as stored: whole millimetres from 0 to kMaxMargin.
int Margin(const QString& text, int fallback) {
    return WholeSetting(text, 0, kMaxMargin, fallback);
}

}  // namespace

const QStringList& FontNames() {
    static const QStringList names{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")};
    return names;
}

const QStringList& FontSizes() {
    static const QStringList sizes{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("10.5"),
                                   QStringLiteral("11"), QStringLiteral("12")};
    return sizes;
}

PrintSettings ReadPrintSettings(const platform::SettingsStore& store) {
    PrintSettings s;
    const auto peek = [&store](const QString& key) { return store.Peek(kPrintSection, key).trimmed(); };
    if (FontNames().contains(peek(kFontNameKey))) s.fontName = peek(kFontNameKey);
    if (FontSizes().contains(peek(kFontSizeKey))) s.fontSize = peek(kFontSizeKey);
    s.openSpacing = peek(kLineSpacingKey) == kOpenSpacing;
    s.marginTop = Margin(peek(kTopMarginKey), s.marginTop);
    s.marginBottom = Margin(peek(kBottomMarginKey), s.marginBottom);
    s.marginLeft = Margin(peek(kLeftMarginKey), s.marginLeft);
    s.marginRight = Margin(peek(kRightMarginKey), s.marginRight);
    s.paperSize = WholeSetting(peek(kPaperSizeKey), 1, 32767, 0);
    s.orientation = WholeSetting(peek(kOrientationKey), kPortrait, kLandscape, s.orientation);
    s.firstPage = WholeSetting(peek(kPageNumberKey), 1, 99999, s.firstPage);
    return s;
}

void SavePrintSettings(platform::SettingsStore& store, const PrintSettings& s) {
    const auto save = [&store](const QString& key, const QString& value) { store.Save(kPrintSection, key, value); };
    save(kFontNameKey, s.fontName);
    save(kFontSizeKey, s.fontSize);
    save(kLineSpacingKey, s.openSpacing ? kOpenSpacing : kCloseSpacing);
    save(kTopMarginKey, QString::number(s.marginTop));
    save(kBottomMarginKey, QString::number(s.marginBottom));
    save(kLeftMarginKey, QString::number(s.marginLeft));
    save(kRightMarginKey, QString::number(s.marginRight));
    save(kPaperSizeKey, s.paperSize > 0 ? QString::number(s.paperSize) : QString());
    save(kOrientationKey, QString::number(s.orientation));
    save(kPageNumberKey, QString::number(s.firstPage));
}

}  // namespace notebook::report
