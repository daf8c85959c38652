#pragma once

// The recorders' serial wire protocols as byte state machines. A machine owns no port, no
// timer and no thread: its owner reads and writes the line, measures silences and calls in.
//
// Four roles per recorder type (see Recorders.h for the factory):
//   - Receiver on the computer: takes a download from the instrument, yields its blocks as the
//     transfer form gets them (DataReceived), the bytes to answer (ACK, NAK, requests) and faults.
//   - Sender on the computer: takes the lines of a file one by one (DataRequest) and yields the
//     bytes to write, waiting for acknowledgements and resending where the recorder type does.
//   - Sender on the instrument side: plays a file to a receiver as the recorder would.
//   - Receiver on the instrument side: takes an upload as the recorder would.
// Blocks and lines are raw bytes (CP932 as they came); every check is computed over bytes.
//
// Time is the owner's: it waits for the first byte as long as the user needs, and after that
// calls Idle when the line has been silent for its limit (the link's Limit seconds). Each
// recorder type keeps its open choices in one place, the comment at the top of its .cpp.

#include <QByteArray>
#include <QByteArrayView>

namespace comm::protocol {

// Codes of the communication error event.
enum FaultCode : int {
    kTimeOut = 1,     // silence past the owner's limit while a block or a reply was due
    kPacketData = 2,  // a block whose check failed after the allowed resends, or a malformed one
    kNoText = 3,      // the transfer ended without any data
};

// Options the link passes on from its properties.
struct LinkOptions {
    bool handshaking = true;  // ACK/NAK per block where the recorder type has it
    bool request = false;     // GSI: the older instruments' "?" request protocol
    int nakLimit = 3;         // resends asked for one block before it counts as a packet data error
};

// Where a receiver's results go.
struct ReceiverOutput {
    virtual ~ReceiverOutput() = default;
    // A completed block. After a block with last set no further block comes.
    virtual void Block(const QByteArray& block, bool last) = 0;
    // Bytes to write back to the other side.
    virtual void Reply(const QByteArray& bytes) = 0;
    // The transfer failed, or (only right after the last block) a check failed on data that
    // could not be asked for again and was delivered as it came. Nothing follows a fault.
    virtual void Fault(int code) = 0;
};

class Receiver {
  public:
    virtual ~Receiver() = default;
    // Called once when the link starts listening (request protocols ask for the first block).
    virtual void Start(ReceiverOutput& out) { (void)out; }
    // Bytes as they arrive, in any split.
    virtual void Feed(QByteArrayView bytes, ReceiverOutput& out) = 0;
    // The owner's wait ran out with the line silent. Most types report a time-out; GSI without
    // requests has no end record and ends here; the SDR upload taker resumes its sender.
    virtual void Idle(ReceiverOutput& out);
    // The transfer is being stopped, or the line failed under it: a complete block still held
    // back (GSI holds its newest line until it knows whether it is the last) is delivered as
    // a block that is not the last, so that nothing received is lost.
    virtual void Abort(ReceiverOutput& out) { (void)out; }
    // True once the last block or a fault has been given: further bytes are ignored.
    bool Finished() const { return finished_; }

  protected:
    void Deliver(ReceiverOutput& out, const QByteArray& block, bool last);
    void Fail(ReceiverOutput& out, int code);
    // The end mark came: no text when no data came before it, else the mark as the last
    // block, followed by a packet data error when a check failed on a block that could not
    // be asked for again.
    void EndTransfer(ReceiverOutput& out, bool anyData, const QByteArray& endMark, bool badCheck);

  private:
    bool finished_ = false;
    bool reported_ = false;
};

// Where a sender's results go, and where it takes its lines from.
struct SenderOutput {
    virtual ~SenderOutput() = default;
    // Fills line with the next line of the file (without its line end); false at its end.
    // A sender may ask one line ahead of what it writes, so the end of the file can be
    // reported while the last line is still to go out.
    virtual bool Request(QByteArray& line) = 0;
    // Bytes to put on the wire. The owner calls Sender::Ready once they have left.
    virtual void Write(const QByteArray& bytes) = 0;
    virtual void Fault(int code) = 0;
    // The transfer has ended normally. It may come right after the last Write, which the
    // owner still lets drain before it closes the port.
    virtual void Done() = 0;
};

class Sender {
  public:
    virtual ~Sender() = default;
    virtual void Start(SenderOutput& out) = 0;
    // Bytes from the other side (acknowledgements, requests, XON/XOFF).
    virtual void Feed(QByteArrayView bytes, SenderOutput& out) = 0;
    // The last write has left the port.
    virtual void Ready(SenderOutput& out) = 0;
    // The owner's wait for a reply ran out.
    virtual void Idle(SenderOutput& out) = 0;
    virtual bool Finished() const = 0;
};

}  // namespace comm::protocol
