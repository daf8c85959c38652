#pragma once
// The main menu's own messages; the ones every form shows are in SharedMessages.h.

#include <QString>

#include "host/state/SharedMessages.h"

namespace host::msg {

inline const QString kNotApa =
    QStringLiteral("APAデータではありません。\nデータ読み込みを中止します。");
inline const QString kReadError =
    QStringLiteral("データファイル読込みエラーです。\n何かキーを押してください。");
inline const QString kNoEditor = QStringLiteral(
    "テキストファイルを編集するためのエディターが見つかりません。\n"
    "ﾜｰﾄﾞﾊﾟｯﾄﾞ又は、ﾃｷｽﾄ編集可能なｿﾌﾄをｲﾝｽﾄｰﾙしてください。");
inline const QString kCreateNew = QStringLiteral(" データを新規作成しますか ？");
inline const QString kChooseSendFormat =
    QStringLiteral("送信する デ－タ形式を 指定して下さい。\n何かキーを押してください。");
inline const QString kCannotCopy = QStringLiteral("ファイルを登録できません。");
inline const QString kNoDataFolder = QStringLiteral("データ登録フォルダーを作成できません。");
inline const QString kNoDistrictCoordinates =
    QStringLiteral("地区内に座標値が登録されていません。");

}  // namespace host::msg
