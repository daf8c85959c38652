#pragma once
// Titles and texts that the forms of every subsystem show alike.

#include <QString>

namespace host::msg {

inline const QString kTitleConfirm = QStringLiteral("確認");
inline const QString kTitleWarning = QStringLiteral("警告");
inline const QString kPressAnyKey = QStringLiteral("何かキーを押してください。");
inline const QString kDialogError = QStringLiteral("エラーです。\n何かキーを押してください。");

}  // namespace host::msg
