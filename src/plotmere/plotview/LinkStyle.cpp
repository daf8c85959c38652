#include "plotmere/plotview/LinkStyle.h"

#include <array>
#include <utility>

namespace plotmere {

QString ColourName(const QString& cTag) {
    static const QString kKey = QStringLiteral("COL:");
    const qsizetype at = cTag.indexOf(kKey);
    if (at < 0) return {};
    const qsizetype from = at + kKey.size();
    const qsizetype comma = cTag.indexOf(u',', from);
    return cTag.mid(from, comma < 0 ? -1 : comma - from);
}

LinkPen PenFor(const QString& colourName, bool arc) {
    using namespace palette;
    static const std::array<std::pair<char16_t, int>, 8> kColours{{
        {u'緑', kGreen}, {u'赤', kRed}, {u'青', kBlue}, {u'黄', kYellow},
        {u'水', kCyan}, {u'紫', kMagenta}, {u'黒', kBlack}, {u'破', kGrey},
    }};
    if (colourName.size() != 1) return {};
    for (const auto& [name, entry] : kColours)
        if (colourName.front() == name) return {entry, name == u'破' && !arc};
    return {};
}

}  // namespace plotmere
