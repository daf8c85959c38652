#include "traverse/TraverseOptions.h"

namespace traverse {
namespace {

constexpr int kPrefixLength = 4;
constexpr int kTypes = 6;

// The digit at d (0 for d5) when it is a choice from 1 to `choices`, else the default's.
int Digit(const QString& text, int d, int choices) {
    const int at = kPrefixLength + d;
    const int fallback = kDefaultOptionsText.at(at).digitValue();
    if (at >= text.size()) return fallback;
    const int digit = text.at(at).digitValue();
    return digit >= 1 && digit <= choices ? digit : fallback;
}

QChar Choice(bool first) { return first ? u'1' : u'2'; }

}  // namespace

TraverseOptions ParseTraverseOptions(const QString& text) {
    const QString source = text.startsWith(QStringLiteral("TRAV")) ? text : kDefaultOptionsText;
    TraverseOptions options;
    options.zeroBacksight = Digit(source, 0, 2) == 1;
    options.type = Digit(source, 1, kTypes);
    options.registerElevations = Digit(source, 2, 2) == 1;
    options.overwriteSighted = Digit(source, 3, 2) == 1;
    return options;
}

QString TraverseOptionsText(const TraverseOptions& options) {
    return QStringLiteral("TRAV") + Choice(options.zeroBacksight) + QString::number(options.type) +
           Choice(options.registerElevations) + Choice(options.overwriteSighted);
}

}  // namespace traverse
