#include "traverse/TraverseRegistration.h"

#include <optional>

#include "calcstore/clsConvert2.h"
#include "platform/Prompt.h"
#include "traverse/CalculationKinds.h"

namespace traverse {

Registration RegisterTraverse(const std::vector<TraverseRow>& rows, const std::vector<int>& checked,
                              const TraverseOptions& options, const PointResolver& resolve,
                              const QString& source, calcstore::clsConvert2& handOff,
                              platform::Prompt* wait) {
    clsTrb traverse;
    const std::vector<StationRows> stations = AssembleTraverse(traverse, rows, checked);
    ResolvePoints(traverse, resolve, options.overwriteSighted);

    bool named = false;
    handOff.GetCalcName(KindOfDigit(options.type)->calcNo, named);
    if (!named) {
        handOff.Clear();
        return Registration::Declined;
    }
    const CalculationInput input =
        BuildCalculationInput(traverse, rows, stations, options, {handOff.CalcName(), source});
    Registration result = Registration::Failed;
    std::optional<platform::WaitCursor> hourglass;
    if (wait) hourglass.emplace(*wait);
    try {
        HandOver(input, handOff);
        bool saveOk = false;
        if (handOff.Save(saveOk)) result = Registration::Saved;
    } catch (...) {
        handOff.Clear();
        throw;
    }
    handOff.Clear();
    return result;
}

}  // namespace traverse
