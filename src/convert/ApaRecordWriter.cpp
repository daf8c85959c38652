#include "convert/ApaRecordWriter.h"

#include <algorithm>
#include <cstring>

#include "apa/ApaLine.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

constexpr qsizetype kFlushBytes = qsizetype{1} << 20;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

bool Splits(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == ',' || u < 0x20 || u == 0x7F;
}

// The field and its comma. CP932 never uses these bytes inside a double-byte character, so
// replacing them cannot break one.
void AppendField(QByteArray& to, QByteArrayView field) {
    const qsizetype start = to.size();
    to.append(field);
    char* data = to.data();
    for (qsizetype i = start; i < to.size(); ++i)
        if (Splits(data[i])) data[i] = '?';
    to.append(',');
}

bool WritesRecord(int printFlag) { return printFlag == 0 || printFlag == 9; }

}  // namespace

StationRecords::StationRecords() : b(8), c(6), d(7) {
    d[4] = apa::kDefaultObservationCode;
}

void StationRecords::NewInstrumentHeader() {
    if (bPrint == 1) bPrint = 9;
}

void StationRecords::NewWeatherHeader() {
    if (cPrint == 1) cPrint = 9;
}

ApaRecordWriter::ApaRecordWriter(const QString& outputPath) : file_(outputPath) {}

void ApaRecordWriter::AppendLine(QByteArray& to, char record, const QStringList& fields) {
    to.append(record);
    to.append(',');
    for (const QString& field : fields) AppendField(to, platform::cp932::Encode(field));
    to.append(kLineEnd);
}

void ApaRecordWriter::WriteHeader() {
    out_.append(apa::kHeaderLine.toLatin1());
    out_.append(kLineEnd);
}

void ApaRecordWriter::WriteStation(StationRecords& records) {
    EndStation();
    if (WritesRecord(records.bPrint)) AppendLine(out_, 'B', records.b);
    if (WritesRecord(records.cPrint)) AppendLine(out_, 'C', records.c);
    station_.append("D,");
    for (int i = 0; i < records.d.size(); ++i) {
        if (i == 4) {
            // Known once the station's sightings are written; a placeholder of its length.
            codeAt_ = station_.size();
            AppendField(station_, apa::kDefaultObservationCode.toLatin1());
        } else {
            AppendField(station_, platform::cp932::Encode(records.d[i]));
        }
    }
    station_.append(kLineEnd);
    station_.append("E,");
    AppendField(station_, platform::cp932::Encode(records.e));
    station_.append(kLineEnd);

    records.bPrint = 1;
    records.cPrint = 1;
    records.d = StationRecords().d;
    ++stations_;
}

void ApaRecordWriter::WriteRemeasureMark() {
    station_.append(apa::kRemeasure.toLatin1());
    station_.append(kLineEnd);
}

namespace {

// The sighting's number as text for the tally; numbers are ASCII, widened without a copy
// on the heap.
void Tally(apa::ObservationCodeTally& tally, QByteArrayView number, bool secondDistance) {
    char16_t wide[16];
    const bool ascii = number.size() <= 16 &&
                       std::all_of(number.begin(), number.end(), [](char c) { return c >= 0; });
    if (!ascii) {
        tally.Add(platform::cp932::Decode(number), secondDistance);
        return;
    }
    for (qsizetype i = 0; i < number.size(); ++i) wide[i] = static_cast<char16_t>(number[i]);
    tally.Add(QStringView(wide, number.size()), secondDistance);
}

}  // namespace

// Composed in place: one resize of the buffer per line rather than an append per field.
void ApaRecordWriter::WriteSighting(const Sighting& s) {
    QByteArray& to = codeAt_ >= 0 ? station_ : out_;
    const QByteArrayView fields[] = {s.name,       s.memo,     s.targetHeight, s.number,
                                     s.horizontal, s.vertical, s.distance1,    s.distance2,
                                     QByteArrayView(), QByteArrayView()};
    constexpr QByteArrayView kTail = "000,\r\n";
    qsizetype size = 2 + kTail.size();
    for (const QByteArrayView field : fields) size += field.size() + 1;
    const qsizetype start = to.size();
    if (to.capacity() < start + size) to.reserve(std::max(2 * to.capacity(), start + size));
    to.resize(start + size);
    char* p = to.data() + start;
    *p++ = 'F';
    *p++ = ',';
    for (const QByteArrayView field : fields) {
        for (const char c : field) *p++ = Splits(c) ? '?' : c;
        *p++ = ',';
    }
    std::memcpy(p, kTail.data(), static_cast<size_t>(kTail.size()));
    Tally(tally_, s.number, s.secondDistance);
    ++sightings_;
    if (codeAt_ < 0) Flush(false);
}

void ApaRecordWriter::EndStation() {
    if (codeAt_ >= 0) {
        const QByteArray code = tally_.Code().toLatin1();
        station_.replace(codeAt_, code.size(), code);
        out_.append(station_);
    }
    station_.clear();
    codeAt_ = -1;
    tally_ = apa::ObservationCodeTally();
    Flush(false);
}

void ApaRecordWriter::Flush(bool all) {
    if (!all && out_.size() < kFlushBytes) return;
    file_.WriteBytes(out_);
    out_.clear();
}

void ApaRecordWriter::Finish() {
    EndStation();
    out_.append(apa::kEndLine.toLatin1());
    out_.append(kLineEnd);
    Flush(true);
    file_.Commit();
}

void ApaRecordWriter::CopyAndFinish(QByteArrayView bytes) {
    file_.WriteBytes(bytes);
    file_.Commit();
}

}  // namespace convert
