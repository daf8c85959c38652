#pragma once
// Registering a traverse: the checks on the checked rows, then assembly, point resolution,
// the host's name for the calculation, the input handed over and saved.

#include <QString>
#include <vector>

#include "traverse/CalculationInput.h"
#include "traverse/TraverseSelection.h"

namespace calcstore {
class clsConvert2;
}

namespace platform {
class Prompt;
}

namespace traverse {

inline const QString kSaveErrorTitle = QStringLiteral("登録エラー");
inline const QString kSaveError = QStringLiteral("登録に何らかのエラーが発生しました");

enum class Registration { Saved, Declined, Failed };

// Assembles the checked rows, resolves their points, asks the hand-off object for the
// calculation's name and folder (Declined when the user gives none), hands the input over
// and saves it (Failed when the host did not store it). The hand-off object is cleared
// afterwards in every case. The rows must have passed CheckSelection. With `wait`, the
// hourglass shows while the input is handed over and saved (not over the dialogs before).
Registration RegisterTraverse(const std::vector<TraverseRow>& rows, const std::vector<int>& checked,
                              const TraverseOptions& options, const PointResolver& resolve,
                              const QString& source, calcstore::clsConvert2& handOff,
                              platform::Prompt* wait = nullptr);

}  // namespace traverse
