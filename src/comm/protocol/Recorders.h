#pragma once

// The recorder types of the link and their protocol machines.

#include <QString>
#include <QStringList>
#include <memory>

#include "comm/protocol/Protocol.h"

namespace comm::protocol {

// Which end of the line a machine plays.
enum class Side {
    Computer,    // the receive and send of the transfer form
    Instrument,  // the recorder itself, as a simulator plays it
};

// The recorder names offered, equal to the format codes, in the order of the main menu's
// format choices: APA, 3GD, 3PD, SDF, SC1, SCR, FC5, GSI, DR2.
QStringList RecorderNames();

// True for the memory-card reader formats (SC1, SCR): the transfer form speaks their command
// protocol itself, one frame and reply at a time, so they have no machines here.
bool IsCardReader(const QString& format);

// A receiver for the format code and side, or nullptr for the card readers and unknown codes.
// Computer side: takes a download. Instrument side: takes an upload.
std::unique_ptr<Receiver> MakeReceiver(const QString& format, Side side,
                                       const LinkOptions& options);

// A sender for the format code and side, or nullptr as above. Computer side: uploads the
// lines the transfer form hands out. Instrument side: plays a file as the recorder does.
std::unique_ptr<Sender> MakeSender(const QString& format, Side side, const LinkOptions& options);

}  // namespace comm::protocol
