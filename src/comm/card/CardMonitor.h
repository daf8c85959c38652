#pragma once
// The card monitor: shows the reader's status and the card's directory in the log, lets
// the user pick the file to read or name the file to write, and offers the card's upkeep
// (deleting a file, initialising the card). Its questions go through the session's prompt.

#include <QByteArray>
#include <optional>

#include "comm/card/CardSession.h"

namespace comm::card {

enum class MonitorMode { Read, Write };

struct MonitorChoice {
    QByteArray cardName;  // eight bytes: name padded with '*', then the type letter
    int freeBytes = 0;    // the card's free bytes from its status
};

// Runs the monitor until the user chooses a file or gives up. In read mode the data of the
// status replies also go to the receive file (the sink drops them when none is open). In
// write mode the chosen name has been created on the card and is open for writing.
// Returns nothing when the user cancels, the card has no files, or the reader refuses a
// command (its message has been shown). Throws CardLinkError.
std::optional<MonitorChoice> RunCardMonitor(CardSession& session, MonitorMode mode);

}  // namespace comm::card
