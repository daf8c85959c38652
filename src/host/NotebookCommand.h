#pragma once
// Menu item 5: the observation notebook of the field book loaded last.

#include <QString>

#include <optional>

#include "host/state/ProcessValues.h"
#include "notebook/SurveyClass.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"

namespace host {

// The survey class checked after the reduction (section "Trevanto"; "1", "2a", "2b", "3",
// "4", empty for none).
inline const QString kSurveyClassKey = QStringLiteral("SurveyClass");

// Reduces DataLines into SHUBO1.DAT and SHUBO.MDB of the work folder under the hourglass,
// names through the hand-off object, station elevations from the district database. Says
// what was made and where, and with a survey class set, the values over its limits. True
// when the notebook was made; a failure is told and leaves the older notebook.
// The survey class the user keeps; nullopt for none.
std::optional<notebook::SurveyClass> StoredSurveyClass(const platform::SettingsStore& store);

bool MakeObservationNotebook(platform::Prompt& prompt, const ProcessValues& values,
                             platform::SettingsStore& store, const QString& workFolder);

}  // namespace host
