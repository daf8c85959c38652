#pragma once
// A whole send with one recorder type's protocol machine over an open serial line, blocking
// until it ends. The machine is told of every silence as long as the line's limit, and of
// every write once it has left the port.

#include <QByteArray>
#include <functional>

#include "comm/link/SerialLine.h"
#include "comm/protocol/Protocol.h"

namespace comm {

// Sends the lines `next` hands out (false at the end) until the machine is done or fails.
// `stop` is asked between steps (it may turn the event loop). Returns 0 when the transfer
// ended normally, the fault code (1 time-out, 2 packet data, kLineGone for a line that went
// away), or kStopped when `stop` held.
int SendOverLine(SerialLine& line, protocol::Sender& sender, const std::function<bool(QByteArray& line)>& next,
                 const std::function<bool()>& stop);

}  // namespace comm
