#pragma once
// The editor's transfer of its ticked points, step by step with the user: the question
// before it (with the card warning), the export's own questions, ZAHYO_SD.dat in the work
// folder, and then either sending it through the transfer form or saving it under a name
// the user picks. Windowless: the questions go through the prompt, the sending through
// the caller's function.

#include <QString>
#include <functional>
#include <optional>

#include "coords/CoordinateExport.h"

namespace platform {
class Prompt;
}

namespace coords {

struct TransferSetting {
    QString format;      // the menu's format code
    QString maker;       // the menu's maker ("FILE" with APA saves instead of sending)
    QString dataFolder;  // where the save dialog opens
    QString workFolder;  // where ZAHYO_SD.dat is written
    std::function<void(const QString& file)> send;  // opens the transfer form on the file
};

// The question before a transfer: "転送しますか？" with the format's warning in front.
QString TransferQuestion(const QString& format, const QString& maker);

// GSI, and APA of maker FILE, are saved under a name; every other format is sent.
bool SavesInsteadOfSending(const QString& format, const QString& maker);

// The export's questions: 3D or 2D for FC5, GSI_16 or GSI_8, the SDR job name.
ExportChoices AskExportChoices(platform::Prompt& prompt, const QString& format);

// Asks, exports, writes ZAHYO_SD.dat and sends or saves it. True when the transfer ran to
// its end or the user declined it; false when the export failed (told to the user).
bool TransferPoints(platform::Prompt& prompt, const TransferSetting& setting, const QList<TickedPoint>& points);

}  // namespace coords
