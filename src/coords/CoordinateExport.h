#pragma once
// The coordinate export: the ticked points of the SIMA editor written in the instrument
// format the menu has chosen, as the file the transfer form sends (ZAHYO_SD.dat in the work
// folder) or the user saves. The answers to the format's questions come with the call.

#include <QByteArray>
#include <QList>
#include <QString>

#include "coords/ExportPoints.h"

namespace coords {

inline const QString kExportFileName = QStringLiteral("ZAHYO_SD.dat");
inline const QString kDefaultJob = QStringLiteral("SURVEY_XY_DAT");

struct ExportChoices {
    QString format;          // GSI, FC5, 3GD, SDF, SC1, SCR or APA
    bool gsi16 = true;       // GSI: 16-character words, else 8
    bool fc5ThreeD = true;   // FC5: X, Y and Z, else X and Y
    QString job = kDefaultJob;  // 3GD and SDF: the job the instrument files the points under
};

// The SDR job name takes what the recorder's records hold: up to 16 printable half-width
// characters, no comma (the SDF records are comma-separated).
bool IsJobName(const QString& job);

// The formats coordinates can be written in.
bool ExportsCoordinates(const QString& format);

struct ExportResult {
    QList<QByteArray> lines;     // CP932, without line ends
    bool lastLineEnded = true;   // FC5 ends with "*" EOT and no line end
};

// Throws ExportError naming the point whose value does not read or fit, or for a format
// that takes no coordinates.
ExportResult ExportCoordinates(const QList<TickedPoint>& ticked, const ExportChoices& choices);

// The file's bytes: every line with CR LF (but an unended last line).
QByteArray ExportBytes(const ExportResult& result);

}  // namespace coords
