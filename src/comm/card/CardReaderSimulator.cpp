#include "comm/card/CardReaderSimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "comm/card/CardFrame.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace comm::card {
namespace {

constexpr int kHeadBytes = 14;        // bytes of the command echoed in the reply
constexpr int kEntriesPerReply = 8;   // directory entries per R,DIR reply
constexpr int kBlockCountOffset = 11; // R,SWP reports full blocks plus 11
constexpr int kBlockBytes = 128;
constexpr int kNameBytes = 8;

const char* const kSequenceFile = "SEQUENCE.DAT";
const char* const kFilesFolder = "FILES";

QByteArray HexField(qint64 value, int digits) {
    return QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

QByteArray CardTypeCode(int capacity) {
    switch (capacity) {
        case 64000: return "00FE";
        case 128000: return "01FE";
        case 256000: return "03FE";
        case 512000: return "07FE";
        default: return "007E";
    }
}

int CapacityFrom(const QByteArray& text) {
    const int value = text.trimmed().toInt();
    for (const int known : {32000, 64000, 128000, 256000, 512000}) {
        if (value == known) return value;
    }
    return 32000;
}

// A card name that can stand as a file name in the card folder.
bool UsableName(const QByteArray& name) {
    if (name.isEmpty() || name.size() > kNameBytes || name == "." || name == "..") return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\' || c == ' ') return false;
    }
    return true;
}

// The command inside a well-formed frame, or nothing.
std::optional<QByteArray> CommandOf(QByteArrayView frame) {
    if (frame.size() < 9 || frame[0] != kStx || frame.sliced(1, 5) != "0100M") return std::nullopt;
    if (!ReplyCheckHolds(frame)) return std::nullopt;
    return frame.sliced(6, frame.size() - 9).toByteArray();
}

QByteArray ReplyFrame(const QByteArray& command, bool accepted, const QByteArray& code, const QByteArray& data) {
    QByteArray reply;
    reply.reserve(data.size() + 32);
    reply.append(kStx).append("0100M").append(command.left(kHeadBytes).leftJustified(kHeadBytes, ' '));
    reply.append(',').append(accepted ? 'Y' : 'N').append(',').append(code.leftJustified(2, '0', true));
    reply.append(',').append(data).append(kEtx);
    return reply + Hex2(FrameSum(reply));
}

}  // namespace

CardReaderSimulator::CardReaderSimulator(QString folder) : folder_(std::move(folder)) {
    const QDir dir(folder_);
    cardPresent_ = dir.exists();
    if (!cardPresent_) return;
    protect_ = dir.exists(QStringLiteral("PROTECT"));
    batteryLow_ = dir.exists(QStringLiteral("BATTERY-LOW"));
    if (dir.exists(QStringLiteral("CAPACITY"))) {
        capacity_ = CapacityFrom(platform::ReadFileBytes(dir.filePath(QStringLiteral("CAPACITY"))));
    }
    if (dir.exists(QLatin1String(kSequenceFile))) {
        sequence_ = platform::ReadFileBytes(dir.filePath(QLatin1String(kSequenceFile)));
    }
    const QDir files(dir.filePath(QLatin1String(kFilesFolder)));
    for (const QFileInfo& info : files.entryInfoList(QDir::Files, QDir::Name)) {
        const QByteArray name = platform::cp932::Encode(info.fileName());
        if (UsableName(name)) files_.insert(name, platform::ReadFileBytes(info.filePath()));
    }
}

int CardReaderSimulator::FreeBytes() const {
    qint64 used = sequence_.size();
    for (const QByteArray& content : files_) used += content.size();
    return static_cast<int>(qMax<qint64>(0, capacity_ - used));
}

CardReaderSimulator::Reply CardReaderSimulator::Accept(QByteArray data, bool more) {
    return {more ? QByteArray("00") : QByteArray("01"), std::move(data), true};
}

CardReaderSimulator::Reply CardReaderSimulator::Refuse(const char* code) { return {code, {}, false}; }

QByteArray CardReaderSimulator::Answer(QByteArrayView frame) {
    const std::optional<QByteArray> command = CommandOf(frame);
    if (!command) return ReplyFrame({}, false, "01", {});
    const Reply reply = cardPresent_ ? Dispatch(*command) : Refuse("11");
    return ReplyFrame(*command, reply.accepted, reply.code, reply.data);
}

CardReaderSimulator::Reply CardReaderSimulator::Dispatch(const QByteArray& command) {
    switch (command.isEmpty() ? char{} : command.front()) {
        case 'R': return ReadCommand(command);
        case 'O':
        case 'C':
        case 'D': return FileCommand(command);
        case 'W':
        case 'F':
        case 'M': return WriteCommand(command);
        default: return Refuse("02");
    }
}

CardReaderSimulator::Reply CardReaderSimulator::ReadCommand(const QByteArray& command) {
    const QByteArray what = command.mid(2, 3);
    if (what == "DIR") return Directory(command.endsWith('0'));
    if (what == "SEQ") return ReadSequence(command);
    if (what == "FIL") return ReadFile();
    return Status(what);
}

CardReaderSimulator::Reply CardReaderSimulator::Status(const QByteArray& what) const {
    if (what == "STA") return Accept();
    if (what == "WHO") return Accept("SCR3-SIM 1.00");
    if (what == "SWP") {
        return Accept(HexField(sequence_.size() / kBlockBytes + kBlockCountOffset, 3) +
                      HexField(sequence_.size() % kBlockBytes, 2));
    }
    if (what == "MRE") return Accept(HexField(FreeBytes(), 5));
    if (what == "SME") {
        const int flags = (protect_ ? 8 : 0) | (batteryLow_ ? 1 : 0);
        return Accept(CardTypeCode(capacity_) + '0' + HexField(flags, 1) + "00" + HexField(FreeBytes(), 6));
    }
    return Refuse("02");
}

CardReaderSimulator::Reply CardReaderSimulator::Directory(bool fromStart) {
    if (fromStart) directoryAt_ = 0;
    const QList<QByteArray> names = files_.keys();
    QByteArray data;
    for (int n = 0; n < kEntriesPerReply && directoryAt_ < names.size(); ++n, ++directoryAt_) {
        const QByteArray& name = names[directoryAt_];
        data += name.leftJustified(kNameBytes, '*', true) + "00" + HexField(files_.value(name).size(), 6);
    }
    return Accept(data, directoryAt_ < names.size());
}

CardReaderSimulator::Reply CardReaderSimulator::ReadSequence(const QByteArray& command) {
    if (!command.startsWith("R,SEQ,00000,")) return Refuse("01");
    const int count = HexValue(command.mid(12));
    const QByteArray data = sequence_.mid(sequenceAt_, count);
    sequenceAt_ += data.size();
    return Accept(data, sequenceAt_ < sequence_.size());
}

CardReaderSimulator::Reply CardReaderSimulator::ReadFile() {
    if (openFile_.isEmpty() || openForWrite_) return Refuse("16");
    const QByteArray content = files_.value(openFile_);
    const QByteArray data = content.mid(fileAt_, readChunk_);
    fileAt_ += data.size();
    return Accept(data, fileAt_ < content.size());
}

CardReaderSimulator::Reply CardReaderSimulator::FileCommand(const QByteArray& command) {
    const QByteArray what = command.left(5);
    if (what == "O,SQR") {
        sequenceAt_ = 0;
        return Accept();
    }
    if (what == "C,FIL") {
        openFile_.clear();
        return Accept();
    }
    const QByteArray name = command.mid(6);
    if (!UsableName(name)) return Refuse("01");
    if (what == "O,FRD") {
        if (!files_.contains(name)) return Refuse("16");
        openFile_ = name;
        openForWrite_ = false;
        fileAt_ = 0;
        return Accept();
    }
    if (what != "O,FWR" && what != "O,FAP" && what != "D,FIL") return Refuse("02");
    if (const auto refusal = RefuseChange(0)) return *refusal;
    if (what == "D,FIL") {
        if (!files_.remove(name)) return Refuse("16");
        QFile::remove(FilePath(name));
        return Accept();
    }
    if (what == "O,FAP" && !files_.contains(name)) return Refuse("16");
    if (what == "O,FWR") {
        files_.insert(name, {});
        SaveFile(name);
    }
    openFile_ = name;
    openForWrite_ = true;
    return Accept();
}

CardReaderSimulator::Reply CardReaderSimulator::WriteCommand(const QByteArray& command) {
    const QByteArray what = command.left(5);
    if (what == "W,SRC") return WriteRecord(command, true);
    if (what == "W,FIL") return WriteRecord(command, false);
    if (what == "M,CLR") return Clear();
    if (what != "F,SRC" && what != "W,CWP" && what != "F,FIL") return Refuse("02");
    if (const auto refusal = RefuseChange(0)) return *refusal;
    if (what == "F,SRC") {
        sequence_.clear();
        SaveSequence();
    }
    return Accept();
}

// "W,SRC,00000,LL,record" stores the record and a space; LL is the record's length less 6.
// "W,FIL,00000,LL,record " stores what follows the comma; LL is its length.
CardReaderSimulator::Reply CardReaderSimulator::WriteRecord(const QByteArray& command, bool sequential) {
    if (!command.startsWith(sequential ? "W,SRC,00000," : "W,FIL,00000,")) return Refuse("01");
    const qsizetype comma = command.indexOf(',', 12);
    if (comma < 0) return Refuse("01");
    const int length = HexValue(command.mid(12, comma - 12));
    QByteArray payload = command.mid(comma + 1);
    if (sequential) {
        if (length != payload.size() - 6) return Refuse("01");
        payload += ' ';
    } else {
        if (length != payload.size()) return Refuse("01");
        if (openFile_.isEmpty() || !openForWrite_) return Refuse("16");
    }
    if (const auto refusal = RefuseChange(payload.size())) return *refusal;
    if (sequential) {
        sequence_ += payload;
        SaveSequence();
    } else {
        files_[openFile_] += payload;
        SaveFile(openFile_);
    }
    return Accept();
}

CardReaderSimulator::Reply CardReaderSimulator::Clear() {
    if (const auto refusal = RefuseChange(0)) return *refusal;
    for (auto it = files_.cbegin(); it != files_.cend(); ++it) QFile::remove(FilePath(it.key()));
    files_.clear();
    openFile_.clear();
    sequence_.clear();
    SaveSequence();
    return Accept();
}

std::optional<CardReaderSimulator::Reply> CardReaderSimulator::RefuseChange(qsizetype growth) const {
    if (batteryLow_) return Refuse("12");
    if (protect_) return Refuse("14");
    if (growth > FreeBytes()) return Refuse("15");
    return std::nullopt;
}

void CardReaderSimulator::SaveSequence() {
    platform::WriteFileBytes(QDir(folder_).filePath(QLatin1String(kSequenceFile)), sequence_);
}

void CardReaderSimulator::SaveFile(const QByteArray& name) {
    QDir(folder_).mkpath(QLatin1String(kFilesFolder));
    platform::WriteFileBytes(FilePath(name), files_.value(name));
}

QString CardReaderSimulator::FilePath(const QByteArray& name) const {
    return QDir(folder_).filePath(QLatin1String(kFilesFolder) + u'/' + platform::cp932::Decode(name));
}

}  // namespace comm::card
