#include "comm/card/CardMessages.h"

#include "platform/CodePage.h"
#include "platform/Prompt.h"

namespace comm::card {

QString CardErrorText(const QByteArray& code) {
    QString text = QStringLiteral("  メモリ－カ－ド エラ－ ( ｴﾗ-ｺ-ﾄﾞ ") + platform::cp932::Decode(code) +
                   QStringLiteral(" )  ") + u'\n';
    if (code == "11") text += QStringLiteral("カ－ドが挿入されていません.");
    if (code == "12") text += QStringLiteral("カ－ドの電池の電圧が低い.");
    if (code == "13") text += QStringLiteral("指定外のカ－ドが挿入されています.");
    if (code == "19") text += QStringLiteral("カ－ドＩＤエラ－または不良カ－ド");
    // Codes below "1" are the reader's own line faults; an empty code compares below too.
    if (code.isEmpty() || static_cast<unsigned char>(code[0]) < '1') text += QStringLiteral("リ－ダライタとの通信エラ－");
    return text + u'\n' + QStringLiteral("設定またはカードを確認変更し、何かキーを押して下さい");
}

QString SwitchHintText() {
    return u'\n' + QStringLiteral("(SCR2 と接続の場合は IF8 で") + u'\n' +
           QStringLiteral("<ﾂｳｼﾝ><SCR2><ﾌｧｲﾙ><ｾﾝﾀｸ> の順に指示して下さい.)");
}

void ShowCardMessage(platform::Prompt& prompt, const QString& text) {
    prompt.Show(text, QStringLiteral("確認"), platform::PromptIcon::Critical);
}

}  // namespace comm::card
