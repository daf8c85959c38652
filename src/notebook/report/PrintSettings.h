#pragma once
// The print form's settings as the user keeps them (section Trevanto\PrintCR): font, size,
// line spacing, margins, paper, orientation and the notebook's first page number. A setting
// that is missing or not one the form offers reads as its default, so that a hand-edited
// or older store never stops a report.

#include <QString>
#include <QStringList>

namespace platform {
class SettingsStore;
}

namespace notebook::report {

inline const QString kPrintSection = QStringLiteral("Trevanto\\PrintCR");
inline const QString kFontNameKey = QStringLiteral("ﾌｫﾝﾄ番号");
inline const QString kFontSizeKey = QStringLiteral("ﾌｫﾝﾄｻｲｽﾞ");
inline const QString kTopMarginKey = QStringLiteral("上側余白");
inline const QString kBottomMarginKey = QStringLiteral("下側余白");
inline const QString kLeftMarginKey = QStringLiteral("左側余白");
inline const QString kRightMarginKey = QStringLiteral("右側余白");
inline const QString kPaperSizeKey = QStringLiteral("用紙ｻｲｽﾞ");
inline const QString kOrientationKey = QStringLiteral("用紙方向");
inline const QString kLineSpacingKey = QStringLiteral("印字改行");
inline const QString kPageNumberKey = QStringLiteral("ページ番号");

inline const QString kCloseSpacing = QStringLiteral("詰める");
inline const QString kOpenSpacing = QStringLiteral("空ける");

// The fonts the form offers; the IPA fonts stand in for them.
const QStringList& FontNames();
// The font size entries the form offers, as it lists them ("10.5").
const QStringList& FontSizes();

// Paper codes and orientation codes as printer drivers number them: A4 is 9.
inline constexpr int kPaperA4 = 9;
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;

// Margins in whole millimetres; 0 is the whole printable area.
inline constexpr int kMaxMargin = 99;

struct PrintSettings {
    QString fontName = FontNames().constFirst();
    QString fontSize = QStringLiteral("10");
    bool openSpacing = false;
    int marginTop = 10, marginBottom = 10, marginLeft = 10, marginRight = 10;
    int paperSize = 0;  // 0: the printer's own default
    int orientation = kLandscape;
    int firstPage = 1;

    double FontPoints() const { return fontSize.toDouble(); }
};

// The settings in the store; the defaults above for what is missing or unusable.
PrintSettings ReadPrintSettings(const platform::SettingsStore& store);

// Writes every setting. Throws platform::FileError when the store cannot be written.
void SavePrintSettings(platform::SettingsStore& store, const PrintSettings& settings);

}  // namespace notebook::report
