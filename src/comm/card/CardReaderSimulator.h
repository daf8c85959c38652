#pragma once
// A card reader with a card in it, for trying the card routines without the device. It
// answers one command frame with the reply frame, and writes what it is sent to the card,
// which it holds as files in a folder:
//
//   FOLDER/                  the card; a folder that does not exist is a reader without one
//   FOLDER/SEQUENCE.DAT      the sequential area: records, each followed by one space
//   FOLDER/FILES/NAME        a named file, NAME its eight-byte card name (AB*****A), holding
//                            records each followed by one space
//   FOLDER/CAPACITY          the card's size in bytes as decimal text: 32000, 64000, 128000,
//                            256000 or 512000 (32000 when absent)
//   FOLDER/PROTECT           present: the card is write-protected
//   FOLDER/BATTERY-LOW       present: the card's battery is low
//
// The reader's reply layout is not published. The replies here follow this system's
// convention, which the routines rely on only through CardFrame.h: STX, "0100M", the first
// 14 bytes of the command (padded with spaces), ',', 'Y' or 'N', ',', a two-character code,
// ',', the data, ETX and the frame check. An accepted read that has more to give answers
// "Y,00"; its last reply, and every other accepted command, answers "Y,01". Codes of a
// refusal:
//
//   01  a frame that is not STX 0100M … ETX with a holding check, or a malformed command
//   02  a command this reader does not know
//   11  no card
//   12  low battery (refuses writes only)
//   14  the card is write-protected
//   15  the card is full
//   16  no such file, or no file open for the command
//
// Status data: R,WHO the version; R,SWP the sequential area's full blocks plus 11 as three
// hex digits and its remaining bytes as two; R,MRE the free bytes as five hex digits; R,SME
// the card type code (007E … 07FE by capacity), the ID flags '0', the card flags (8 write
// protect, 1 low battery), "00" and the free bytes as six hex digits. Free bytes are the
// capacity less the sequential area and every named file. A directory reply holds up to
// eight 16-byte entries: the name, "00" and the size as six hex digits.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

#include "comm/card/CardLink.h"

namespace comm::card {

class CardReaderSimulator : public CardExchange {
  public:
    // Reads the card in `folder`. Throws platform::FileError when a card file cannot be read.
    explicit CardReaderSimulator(QString folder);

    // Answers one command frame; writes changes to the card folder through the atomic
    // writer (throws platform::FileError when that fails).
    QByteArray Answer(QByteArrayView frame);
    QByteArray Exchange(const QByteArray& frame) override { return Answer(frame); }

    // Bytes of a named file given per R,FIL reply (default 128); small values split records
    // across replies.
    void SetReadChunk(int bytes) { readChunk_ = qMax(1, bytes); }

    int FreeBytes() const;

  private:
    struct Reply {
        QByteArray code;  // when accepted: "00" more to read, "01" nothing more
        QByteArray data;
        bool accepted = true;
    };
    static Reply Accept(QByteArray data = {}, bool more = false);
    static Reply Refuse(const char* code);

    Reply Dispatch(const QByteArray& command);
    Reply ReadCommand(const QByteArray& command);
    Reply FileCommand(const QByteArray& command);
    Reply WriteCommand(const QByteArray& command);
    Reply Status(const QByteArray& what) const;
    Reply Directory(bool fromStart);
    Reply ReadSequence(const QByteArray& command);
    Reply ReadFile();
    Reply WriteRecord(const QByteArray& command, bool sequential);
    Reply Clear();
    std::optional<Reply> RefuseChange(qsizetype growth) const;

    void SaveSequence();
    void SaveFile(const QByteArray& name);
    QString FilePath(const QByteArray& name) const;

    QString folder_;
    bool cardPresent_ = false;
    bool protect_ = false;
    bool batteryLow_ = false;
    int capacity_ = 32000;
    QByteArray sequence_;
    QMap<QByteArray, QByteArray> files_;
    qsizetype sequenceAt_ = 0;
    qsizetype directoryAt_ = 0;
    QByteArray openFile_;
    bool openForWrite_ = false;
    qsizetype fileAt_ = 0;
    int readChunk_ = 128;
};

}  // namespace comm::card
