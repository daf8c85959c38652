#pragma once

// Control characters of the serial protocols.

namespace comm::protocol::ctl {

constexpr char kSoh = 0x01;
constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kLf = 0x0A;
constexpr char kCr = 0x0D;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
constexpr char kNak = 0x15;

}  // namespace comm::protocol::ctl
