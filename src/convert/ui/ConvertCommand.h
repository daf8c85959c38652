#pragma once
// Menu item 3, output to APA format: the raw file chosen in the data folder becomes a field
// book of the same name in the data folder, by the converter of the selected data format.

#include "host/state/ProcessValues.h"
#include "platform/Prompt.h"

namespace convert {

// Does nothing for the format "APA" (the data already are field books). Asks before
// replacing a field book that is not empty, shows the hourglass while converting, and tells
// the user when nothing could be converted, when lines were skipped and when the book has
// no station. Leaves the chosen file in DataFile.
void ConvertDataFile(platform::Prompt& prompt, host::ProcessValues& values);

}  // namespace convert
