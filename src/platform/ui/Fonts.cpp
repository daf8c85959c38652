#include "platform/ui/Fonts.h"

#include <QFont>
#include <QString>

namespace platform {

void RegisterJapaneseFontSubstitutes() {
    const QString gothic = QStringLiteral("IPAGothic");
    const QString pgothic = QStringLiteral("IPAPGothic");
    const QString mincho = QStringLiteral("IPAMincho");
    const QString pmincho = QStringLiteral("IPAPMincho");
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), gothic);
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), pgothic);
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), pgothic);
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitution(QStringLiteral("MS Mincho"), mincho);
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), pmincho);
    QFont::insertSubstitution(QStringLiteral("MS PMincho"), pmincho);
}

}  // namespace platform
