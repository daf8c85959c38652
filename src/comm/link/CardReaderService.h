#pragma once
// The card-reader simulator on a pseudo-terminal: frames from the line go to the simulated
// reader, its replies go back, with the faults a test asks for.

#include <QByteArray>
#include <functional>

#include "comm/card/CardReaderSimulator.h"
#include "comm/link/PseudoTerminal.h"

namespace comm {

// Faults on demand, counted in replies from 1; 0 is never.
struct SimulatorFaults {
    int dropAfter = 0;    // after this many replies the line goes silent
    int corrupt = 0;      // this reply goes out with a wrong check
    int hangupAfter = 0;  // after this many replies the device vanishes
};

// Takes whole command frames (STX … ETX and two check characters) off the front of
// `bytes`; bytes before an STX are line noise and dropped.
QList<QByteArray> TakeCardFrames(QByteArray& bytes);

// Answers frames until `stop` holds or the hang-up fault ends it; returns the replies sent.
int ServeCardReader(PseudoTerminal& terminal, card::CardReaderSimulator& reader, const SimulatorFaults& faults,
                    const std::function<bool()>& stop);

}  // namespace comm
