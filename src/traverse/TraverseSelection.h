#pragma once
// The checks on the rows the user checked before a traverse is registered, and what the
// user is told.

#include <QString>
#include <vector>

#include "traverse/TraverseRows.h"

namespace traverse {

inline const QString kTooFewRowsTitle = QStringLiteral("測点選択の確認");
inline const QString kTooFewRows = QStringLiteral("3点以上の測点を選択してください。");
inline const QString kContinueSelecting = QStringLiteral("選択処理を続行しますか？");
inline const QString kBlankNameTitle = QStringLiteral("点名エラー");
inline const QString kBlankName = QStringLiteral("点名が空白のデータがあります。");
inline const QString kCheckNames = QStringLiteral("観測データ編集で点名を確認して下さい。");
enum class SelectionFault { None, TooFewRows, BlankName };

// Fewer than three distinct checked rows, or a checked row without its station's or target's
// name.
SelectionFault CheckSelection(const std::vector<TraverseRow>& rows, const std::vector<int>& checked);

}  // namespace traverse
