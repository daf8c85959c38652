#include "notebook/FieldBookStations.h"

#include <cmath>

#include "apa/AngleText.h"
#include "apa/ApaLine.h"
#include "notebook/NotebookFormat.h"

namespace notebook {
namespace {

constexpr double kTargetHeightNotGiven = 9999999;

// Beyond every real value: a field that reads larger is taken as not written.
constexpr double kLargest = 1e12;

std::optional<double> AngleOf(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    const double seconds = apa::PackedDmsSeconds(text);
    return std::fabs(seconds) < kLargest ? std::optional(seconds) : std::nullopt;
}

// A distance is a length: some recorders write a negative one, which counts by its size.
double DistanceOf(const QString& text) {
    const double metres = std::fabs(apa::LenientNumber(text));
    return metres < kLargest ? metres : 0;
}

Sighting ReadSighting(const QString& line) {
    Sighting s;
    s.name = apa::Field(line, 1).trimmed();
    s.memo = apa::Field(line, 2).trimmed();
    const QString height = apa::Field(line, 3);
    const double heightValue = apa::LenientNumber(height);
    if (!height.trimmed().isEmpty() && heightValue != kTargetHeightNotGiven && std::fabs(heightValue) < kLargest)
        s.targetHeight = heightValue;
    s.number = apa::Field(line, 4).trimmed();
    s.horizontal = AngleOf(apa::Field(line, 5));
    s.vertical = AngleOf(apa::Field(line, 6));
    s.distance1 = DistanceOf(apa::Field(line, 7));
    s.distance2 = DistanceOf(apa::Field(line, 8));
    s.rowKind = RowKind(s.number);
    bool ok = false;
    const int direction = s.number.right(3).toInt(&ok);
    s.direction = ok && s.number.size() >= 3 && direction > 0 ? direction : 0;
    return s;
}

StationRecord ReadStation(const QString& line, const StationHeader& header) {
    StationRecord station;
    station.header = header;
    station.name = apa::Field(line, 1).trimmed();
    // Read leniently like every number of a field book: "1.5m" is 1.5.
    station.instrumentHeight = apa::LeadingNumber(apa::Field(line, 3)).toString();
    station.eccentricity = apa::Field(line, 4).trimmed();
    station.code = apa::Field(line, 5).trimmed();
    station.startTime = apa::Field(line, 6).trimmed();
    station.endTime = apa::Field(line, 7).trimmed();
    return station;
}

void ReadInstrument(const QString& line, StationHeader& header) {
    header.model = apa::Field(line, 2).trimmed();
    header.instrumentNumber = apa::Field(line, 3).trimmed();
    header.observer = apa::Field(line, 4).trimmed();
    header.date = apa::Field(line, 5).trimmed();
}

void ReadWeather(const QString& line, StationHeader& header) {
    QString* fields[] = {&header.weather, &header.wind, &header.temperature,
                         &header.pressure, &header.ppm, &header.pressureUnit};
    for (int i = 0; i < 6; ++i) *fields[i] = apa::Field(line, i + 1).trimmed();
}

// Keeps a station that holds anything: a placeholder without sightings is none.
void Close(std::optional<StationRecord>& open, const QString& openLine,
           std::vector<StationRecord>& stations) {
    if (!open) return;
    if (!apa::IsPlaceholderStation(openLine) || !open->sightings.empty() || !open->remeasured.empty())
        stations.push_back(std::move(*open));
    open.reset();
}

}  // namespace

int StationRecord::Sets() const {
    const QChar first = code.isEmpty() ? QChar() : code.front();
    return first >= u'1' && first <= u'3' ? first.digitValue() : 0;
}

std::vector<StationRecord> ReadStations(const QStringList& lines) {
    std::vector<StationRecord> stations;
    StationHeader header;
    std::optional<StationRecord> open;
    QString openLine;
    bool remeasure = false;
    for (const QString& line : lines) {
        switch (apa::RecordOf(line)) {
            case apa::Record::B:
                Close(open, openLine, stations);
                ReadInstrument(line, header);
                break;
            case apa::Record::C:
                Close(open, openLine, stations);
                ReadWeather(line, header);
                break;
            case apa::Record::D:
                Close(open, openLine, stations);
                open = ReadStation(line, header);
                openLine = line;
                remeasure = false;
                break;
            case apa::Record::E:
                if (open && apa::Field(line, 1).trimmed() == u"1") remeasure = true;
                break;
            case apa::Record::F:
                if (open && !apa::IsBlankRecord(line))
                    (remeasure ? open->remeasured : open->sightings).push_back(ReadSighting(line));
                break;
            case apa::Record::Z:
                Close(open, openLine, stations);
                return stations;
            default:
                break;
        }
    }
    Close(open, openLine, stations);
    return stations;
}

}  // namespace notebook
