#include "notebook/report/PrintSettings.h"

#include "platform/Settings.h"

namespace notebook::report {
namespace {

int WholeSetting(const QString& text, int low, int high, int fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
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

std::optional<int> ParseMargin(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > kMaxMargin) return std::nullopt;
    return value;
}

PrintSettings ReadPrintSettings(const platform::SettingsStore& store) {
    PrintSettings s;
    const auto peek = [&store](const QString& key) { return store.Peek(kPrintSection, key).trimmed(); };
    if (FontNames().contains(peek(kFontNameKey))) s.fontName = peek(kFontNameKey);
    if (FontSizes().contains(peek(kFontSizeKey))) s.fontSize = peek(kFontSizeKey);
    s.openSpacing = peek(kLineSpacingKey) == kOpenSpacing;
    s.marginTop = ParseMargin(peek(kTopMarginKey)).value_or(s.marginTop);
    s.marginBottom = ParseMargin(peek(kBottomMarginKey)).value_or(s.marginBottom);
    s.marginLeft = ParseMargin(peek(kLeftMarginKey)).value_or(s.marginLeft);
    s.marginRight = ParseMargin(peek(kRightMarginKey)).value_or(s.marginRight);
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
