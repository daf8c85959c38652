#include "comm/card/CardSession.h"

#include "comm/card/CardFrame.h"
#include "comm/card/CardMessages.h"
#include "platform/CodePage.h"
#include "platform/Prompt.h"

namespace comm::card {
namespace {

// A record ends with a comma and two check characters.
constexpr qsizetype kCheckTail = 3;

bool ReadsRecords(const QByteArray& command) {
    return command.startsWith("R,SEQ") || command.startsWith("R,FIL");
}

// The text before the space at `space`, less its comma and check; empty when there is
// nothing more.
QByteArray RecordBefore(const QByteArray& data, qsizetype space) {
    return data.first(qMax<qsizetype>(0, space - kCheckTail));
}

}  // namespace

bool CardSession::Transact(const QByteArray& command, QByteArray& carry) {
    reply_ = link_.Exchange(CommandFrame(command));
    if (!Accepted(reply_) || !ReplyCheckHolds(reply_)) {
        Refused(command);
        return false;
    }
    data_ = ReplyData(reply_);
    if (ReadsRecords(command)) {
        SplitRecords(carry);
    } else {
        carry = reply_;
    }
    return true;
}

void CardSession::Refused(const QByteArray& command) {
    if (!ReplyCheckHolds(reply_)) {
        ShowCardMessage(prompt_, CardErrorText("00"));
    } else if (command.mid(2, 3) == "SWP") {
        ShowCardMessage(prompt_, SwitchHintText());
    } else {
        ShowCardMessage(prompt_, CardErrorText(ErrorCode(reply_)));
    }
}

void CardSession::Emit(const QByteArray& record) {
    if (record.isEmpty()) return;
    sink_.SaveLine(record);
    sink_.Log(platform::cp932::Decode(record) + u'\n');
}

void CardSession::SplitRecords(QByteArray& carry) {
    QByteArray rest = data_;
    data_ = reply_;
    qsizetype space = rest.indexOf(' ');
    if (space < 0) {
        carry += rest;
        return;
    }
    if (space < 4) {
        // The record ended in the previous reply; its comma and check, wholly or in
        // part, are in the carry.
        const qsizetype keep = carry.size() + space + 1 - 4;
        if (keep < 1) {
            ShowCardMessage(prompt_, kCardDataBroken);
            return;
        }
        carry.truncate(keep);
    } else {
        carry += RecordBefore(rest, space);
    }
    for (;;) {
        rest.remove(0, space + 1);
        Emit(carry);
        space = rest.indexOf(' ');
        if (space < 0) break;
        carry = RecordBefore(rest, space);
    }
    carry = rest;
}

}  // namespace comm::card
