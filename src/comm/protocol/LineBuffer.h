#pragma once

// Cuts a byte stream into lines for the line-based protocols (SDR, GSI, APA).

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace comm::protocol {

class LineBuffer {
  public:
    // Longest line kept; a longer run without a line feed is not a record of any recorder.
    static constexpr qsizetype kMaxLine = 4096;

    // Appends bytes and calls line for each completed line, without its CR LF (a lone LF ends
    // a line too, as in real captures). Stops early when line returns false. Returns false
    // when a line grew past kMaxLine.
    bool Feed(QByteArrayView bytes, const std::function<bool(const QByteArray&)>& line);

  private:
    QByteArray pending_;
};

}  // namespace comm::protocol
