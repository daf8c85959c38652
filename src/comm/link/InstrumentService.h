#pragma once
// An instrument simulated on a pseudo-terminal: it plays a file to a receiver as its
// recorder type does (framing, checks, pauses for acknowledgement, end of transfer), or takes
// an upload, with the faults a test asks for.

#include <QByteArray>
#include <QList>
#include <functional>

#include "comm/link/CardReaderService.h"
#include "comm/link/PseudoTerminal.h"
#include "comm/protocol/Protocol.h"

namespace comm {

struct InstrumentTiming {
    int idleMs = 20000;  // silence after which the machine hears of it (a recorder's time-out)
};

// The silence a recorder type's instrument side waits before it hears of it: the SDR
// recorder resumes an upload after a short memory-write pause, the others wait for the
// computer as long as its own limit.
InstrumentTiming TimingFor(const QString& format);

// Waits for a receiver to open the device, then plays `lines` with the instrument-side
// sender. Faults count the sender's writes (blocks) from 1. Returns 0 when the transfer
// ended, else the fault code, or -1 when stopped or hung up on demand.
int PlayToReceiver(PseudoTerminal& terminal, protocol::Sender& sender, QList<QByteArray> lines,
                   const SimulatorFaults& faults, const InstrumentTiming& timing, const std::function<bool()>& stop);

// Waits for a sender to open the device, then takes its upload with the instrument-side
// receiver; each block goes to `block`. Returns as PlayToReceiver does.
int TakeFromSender(PseudoTerminal& terminal, protocol::Receiver& receiver,
                   const std::function<void(const QByteArray& block, bool last)>& block,
                   const InstrumentTiming& timing, const std::function<bool()>& stop);

}  // namespace comm
