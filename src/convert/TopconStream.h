#pragma once
// TOPCON underscore-coded data as a list of items. An instrument sends one character
// stream, "_" + item code + value, cut into lines anywhere (inside a number too): either
// serial blocks (STX, 128 data characters, block digit, 3-digit check, ETX) or plain lines.
// The items are cut from the joined stream, each with the line where its "_" stands, so a
// fault found later in an item is reported on the line the user can find.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include "convert/Converter.h"

namespace convert::topcon {

struct Item {
    QByteArray code;   // one character, or two in the "_!" form ("!" or "t" group first);
                       // empty where data was lost (a block skipped or missing)
    QByteArray value;  // up to the next "_"
    qsizetype line;
};

// The XOR of the bytes as 3 decimal digits, the check of both blocks and measurements.
QByteArray Check(QByteArrayView bytes);

// The items of the stream. A block whose check fails is read and flagged; a block too short
// to hold its frame is skipped, and the item it cuts through becomes a gap item. Data that does not
// begin with "_" is no underscore data: all of it is skipped and no item returned.
QList<Item> ReadItems(QByteArrayView raw, ConversionLog& log);

}  // namespace convert::topcon
