#pragma once
// One writer per instrument format; each returns the file's lines (CP932 bytes, without
// their line ends unless a writer's comment says otherwise) and throws ExportError naming a
// point whose value does not fit its field. No digit is ever cut off a number.

#include <QByteArray>
#include <QList>

#include "coords/ExportPoints.h"

namespace coords {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kEot = 0x04;

// LEICA GSI: one line per point (8- or 16-character words), then " ! ----+".
QList<QByteArray> GsiLines(const QList<ExportPoint>& points, bool words16);

// TOPCON FC5: the start record, the header, 128-byte blocks with their digit, and "*" EOT.
// Every line starts with "*", which the transfer drops before framing.
QList<QByteArray> Fc5Lines(const QList<ExportPoint>& points, bool threeD);

// SOKKIA SDR 3G: the STX record, the header records, one 08NM record per point, and the
// end record ETX with the sum of the records.
QList<QByteArray> SdrLines(const QList<ExportPoint>& points, const QString& job);

// SOKKIA SDR comma format: STX, the B00NM job record, E30TP per point, ETX "00000".
QList<QByteArray> SdfLines(const QList<ExportPoint>& points, const QString& job);

// SOKKIA memory card (SC1, SCR): one record per point; the card writer adds the checks.
QList<QByteArray> CardLines(const QList<ExportPoint>& points);

// The common field book: "A,01,Z,", a G record per point with its check character, "Z,&,".
QList<QByteArray> ApaLines(const QList<ExportPoint>& points);

// The 16-byte SDR job name: the answer padded with spaces and cut to 16 bytes.
QString SdrJobName(const QString& answer);

}  // namespace coords
