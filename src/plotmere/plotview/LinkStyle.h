#pragma once
// How a link is drawn: the colour named in its cTag ("COL:赤,"), as an entry of the
// 16-colour palette (0 black, 8 grey, 9 blue, 10 green, 11 light cyan, 12 red,
// 13 light magenta, 14 yellow), and whether the line is dashed.

#include <QString>

namespace plotmere {

namespace palette {
constexpr int kBlack = 0, kGrey = 8, kBlue = 9, kGreen = 10, kCyan = 11, kRed = 12, kMagenta = 13, kYellow = 14;
}

struct LinkPen {
    int palette = palette::kBlack;
    bool dashed = false;
};

// The text after "COL:" up to the next comma or the end; empty without "COL:".
QString ColourName(const QString& cTag);

// The pen for a colour name: 緑 赤 青 黄 水 紫 黒, and 破 grey, dashed on a straight link only;
// any other name black.
LinkPen PenFor(const QString& colourName, bool arc);

}  // namespace plotmere
