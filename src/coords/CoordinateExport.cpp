#include "coords/CoordinateExport.h"

#include <algorithm>

#include "coords/ExportWriters.h"

namespace coords {
namespace {

// The formats whose coordinate fields hold only -99999.999 to 999999.999.
bool TakesOffsets(const ExportChoices& c) {
    return c.format == u"3GD" || c.format == u"SC1" || c.format == u"SCR" || (c.format == u"GSI" && !c.gsi16);
}

}  // namespace

bool IsJobName(const QString& job) {
    if (job.size() > 16) return false;
    return std::all_of(job.begin(), job.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u','; });
}

bool ExportsCoordinates(const QString& format) {
    static const QStringList formats{QStringLiteral("GSI"), QStringLiteral("FC5"), QStringLiteral("3GD"), QStringLiteral("SDF"),
                                     QStringLiteral("SC1"), QStringLiteral("SCR"), QStringLiteral("APA")};
    return formats.contains(format);
}

ExportResult ExportCoordinates(const QList<TickedPoint>& ticked, const ExportChoices& choices) {
    if (!ExportsCoordinates(choices.format))
        throw ExportError(QStringLiteral("座標を書けない形式です: ") + choices.format);
    if ((choices.format == u"3GD" || choices.format == u"SDF") && !IsJobName(choices.job))
        throw ExportError(QStringLiteral("JOB 名は半角の英数字と記号（「,」を除く）16 文字までです: ") + choices.job);
    const QList<ExportPoint> points = ReadExportPoints(ticked, TakesOffsets(choices));
    const QString& f = choices.format;
    if (f == u"GSI") return {GsiLines(points, choices.gsi16)};
    if (f == u"FC5") return {Fc5Lines(points, choices.fc5ThreeD), false};
    if (f == u"3GD") return {SdrLines(points, choices.job)};
    if (f == u"SDF") return {SdfLines(points, choices.job)};
    if (f == u"APA") return {ApaLines(points)};
    return {CardLines(points)};
}

QByteArray ExportBytes(const ExportResult& result) {
    QByteArray bytes;
    for (qsizetype i = 0; i < result.lines.size(); ++i) {
        bytes += result.lines[i];
        if (i + 1 < result.lines.size() || result.lastLineEnded) bytes += "\r\n";
    }
    return bytes;
}

}  // namespace coords
