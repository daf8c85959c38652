#pragma once
// What the main menu shows for the current choices.

#include <QString>

namespace host {

struct MenuStatus {
    QString formatLabel;  // TCMSET
    bool editAllEnabled;  // HENSYUALL
    bool editOwnEnabled;  // HENSYUETC
    bool convertEnabled;  // TSMENU3
};

MenuStatus ComputeMenuStatus(const QString& format, const QString& tsType);

// The data folder as the DRVSET label shows it: up to 16 characters on one line, a longer
// path broken after the sixteenth.
QString WrapDataPath(const QString& dataPath);

// Menu items 6 and 7 refuse these formats: their instruments take no coordinates.
bool CanSendCoordinates(const QString& format);

}  // namespace host

namespace host {

// The main menu's title: "ﾄｰﾀﾙｽﾃｰｼｮﾝﾃﾞｰﾀ処理ｼｽﾃﾑﾒﾆｭ-" -地区名(<district>).
QString MenuTitle(const QString& regName);

}  // namespace host
