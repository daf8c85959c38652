#pragma once
// The card routines' messages to the user, all critical boxes titled "確認".

#include <QByteArray>
#include <QString>

namespace platform {
class Prompt;
}

namespace comm::card {

// The message for a command the reader refused with `code` (two characters; shorter or
// empty when the reply was cut short, which reads as a communication error).
QString CardErrorText(const QByteArray& code);

// The hint shown when the reader refuses the switch query: set it to interface IF8 and
// select communication, SCR2, file in that order.
QString SwitchHintText();

inline const QString kCardDataBroken = QStringLiteral("\nカードデータ異常！！  何かキーを押して下さい");
inline const QString kCardFull = QStringLiteral("カードの空き容量が足りません。\n何かキーを押してください。");
inline const QString kNoCardFiles = QStringLiteral("実行するファイルは有りません.\n何かキーを押して下さい。");

// Shows `text` with the critical icon, titled "確認".
void ShowCardMessage(platform::Prompt& prompt, const QString& text);

}  // namespace comm::card
