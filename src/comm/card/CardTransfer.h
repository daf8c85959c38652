#pragma once
// Reading and writing SOKKIA memory cards through the card reader: "SC1", the card's
// sequential data area, read and rewritten as a whole, and "SCR", named files chosen in the
// card monitor. Each routine switches the link's direct mode on at its start and off at its
// end, however it ends. Each stops at the first command the reader refuses, whose message
// has been shown. A failing line (CardLinkError) is let through to the caller.
//
// Received records go to the session's sink, one line each, without their comma and check
// characters. The receive file and the log belong to the caller: it opens and closes the
// file and re-enables its controls after the routine returns.

#include <QByteArray>
#include <QList>

#include "comm/card/CardSession.h"

namespace comm::card {

enum class CardFormat { Sc1, Scr };

// How a write ended.
enum class WriteResult {
    Done,       // every line is on the card
    CardFull,   // stopped at the first line that does not fit; the lines before it are written
    Refused,    // the reader refused a command, or the user gave up in the monitor
};

// Reads the whole sequential area, block by block, and logs the receive-finished mark.
// What follows the area's last space, if anything, is saved as its last line.
void ReadSc1Card(CardSession& session);

// Clears the sequential area and writes `lines` (prepared for card transfer, each ending
// in a comma) as card records.
WriteResult WriteSc1Card(CardSession& session, const QList<QByteArray>& lines);

// Reads the named file the user picks in the card monitor, and logs the receive-finished
// mark.
void ReadScrCard(CardSession& session);

// Writes `lines` to a new named file the user names in the card monitor.
WriteResult WriteScrCard(CardSession& session, const QList<QByteArray>& lines);

// Writes `lines` as records of the open card area, stopping with the card-full message at
// the first that would take the total (each line's length plus one) past `freeBytes`.
// Logs each line and, unless stopped, the send-finished mark.
WriteResult WriteCardLines(CardSession& session, const QList<QByteArray>& lines, int freeBytes, CardFormat format);

}  // namespace comm::card
