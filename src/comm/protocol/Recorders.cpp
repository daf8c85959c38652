#include "comm/protocol/Recorders.h"

#include "comm/protocol/Apa.h"
#include "comm/protocol/Dr2.h"
#include "comm/protocol/Fc5.h"
#include "comm/protocol/Gsi.h"
#include "comm/protocol/Sdr.h"

namespace comm::protocol {

namespace {

// The SDR recorder taking an upload holds the computer off after this many records.
constexpr int kSdrRecordsPerMemoryWrite = 8;

bool IsSdr(const QString& format) {
    return format == u"3GD" || format == u"3PD" || format == u"SDF";
}

}  // namespace

QStringList RecorderNames() {
    return {QStringLiteral("APA"), QStringLiteral("3GD"), QStringLiteral("3PD"),
            QStringLiteral("SDF"), QStringLiteral("SC1"), QStringLiteral("SCR"),
            QStringLiteral("FC5"), QStringLiteral("GSI"), QStringLiteral("DR2")};
}

bool IsCardReader(const QString& format) {
    return format == u"SC1" || format == u"SCR";
}

std::unique_ptr<Receiver> MakeReceiver(const QString& format, Side side,
                                       const LinkOptions& options) {
    const bool computer = side == Side::Computer;
    if (IsSdr(format))
        return std::make_unique<SdrReceiver>(computer ? 0 : kSdrRecordsPerMemoryWrite);
    if (format == u"APA") return std::make_unique<ApaReceiver>(options);
    if (format == u"GSI") return std::make_unique<GsiReceiver>(options.request, !computer);
    if (format == u"FC5") {
        if (computer) return std::make_unique<Fc5BlockReceiver>(options);
        return std::make_unique<Fc5FrameReceiver>(options);
    }
    if (format == u"DR2") {
        if (computer) return std::make_unique<Dr2Receiver>(options, kNikonComputer, kNikonRecorder);
        return std::make_unique<Dr2Receiver>(options, kNikonRecorder, kNikonComputer);
    }
    return nullptr;
}

std::unique_ptr<Sender> MakeSender(const QString& format, Side side, const LinkOptions& options) {
    const bool computer = side == Side::Computer;
    if (IsSdr(format)) return std::make_unique<SdrSender>();
    if (format == u"APA") return std::make_unique<ApaSender>(options);
    if (format == u"GSI") return std::make_unique<GsiSender>(options.request, !computer);
    if (format == u"FC5") {
        if (computer) return std::make_unique<Fc5FrameSender>(options);
        return std::make_unique<Fc5BlockSender>(options);
    }
    if (format == u"DR2") {
        if (computer) return std::make_unique<Dr2Sender>(options, kNikonComputer, kNikonRecorder);
        return std::make_unique<Dr2Sender>(options, kNikonRecorder, kNikonComputer);
    }
    return nullptr;
}

}  // namespace comm::protocol
