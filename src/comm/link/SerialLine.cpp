#include "comm/link/SerialLine.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include "comm/settings/PortNames.h"

namespace comm {
namespace {

constexpr int kWaitStepMs = 50;

struct ParsedLine {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString fault;
};

ParsedLine ParseLine(const QString& line) {
    ParsedLine p;
    const QStringList f = line.split(u',');
    if (f.size() != 4)
        return {0, {}, {}, {}, QStringLiteral("通信条件は「ボーレート,パリティ,データビット,ストップビット」です: ") + line};
    bool ok = false;
    p.baud = f[0].trimmed().toInt(&ok);
    if (!ok || p.baud <= 0) p.fault = QStringLiteral("ボーレートが正の数ではありません: ") + f[0];
    const QString parity = f[1].trimmed().toLower();
    if (parity == u"e") p.parity = QSerialPort::EvenParity;
    else if (parity == u"o") p.parity = QSerialPort::OddParity;
    else if (parity != u"n") p.fault = QStringLiteral("パリティは n、e、o のどれかです: ") + f[1];
    const QString bits = f[2].trimmed();
    if (bits == u"7") p.dataBits = QSerialPort::Data7;
    else if (bits != u"8") p.fault = QStringLiteral("データビットは 7 か 8 です: ") + f[2];
    const QString stop = f[3].trimmed();
    if (stop == u"2") p.stopBits = QSerialPort::TwoStop;
    else if (stop != u"1") p.fault = QStringLiteral("ストップビットは 1 か 2 です: ") + f[3];
    return p;
}

}  // namespace

QString LineSettingsFault(const QString& line) { return ParseLine(line).fault; }

bool SerialLine::Open(const LinkSettings& settings, QString& error) {
    const ParsedLine line = ParseLine(settings.line);
    if (!line.fault.isEmpty()) {
        error = line.fault;
        return false;
    }
    port_.close();
    port_.setPortName(settings.device);
    if (!port_.open(QIODevice::ReadWrite)) {
        error = PortOpenFault(settings.device, port_.error() == QSerialPort::PermissionError,
                              QFileInfo::exists(settings.device));
        return false;
    }
    const QStringList fields = settings.line.split(u',');
    refused_.clear();
    if (!port_.setBaudRate(line.baud)) refused_ << QStringLiteral("ボーレート ") + fields[0];
    if (!port_.setParity(line.parity)) refused_ << QStringLiteral("パリティ ") + fields[1];
    if (!port_.setDataBits(line.dataBits)) refused_ << QStringLiteral("データビット ") + fields[2];
    if (!port_.setStopBits(line.stopBits)) refused_ << QStringLiteral("ストップビット ") + fields[3];
    if (!port_.setFlowControl(settings.flowControl == 2 ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl))
        refused_ << QStringLiteral("フロー制御 ") + QString::number(settings.flowControl);
    port_.clearError();  // a refused setting is told, not a fault of the line
    limitMs_ = settings.limitSeconds * 1000;
    return true;
}

bool SerialLine::Gone() const {
    const QSerialPort::SerialPortError error = port_.error();
    return !port_.isOpen() || (error != QSerialPort::NoError && error != QSerialPort::TimeoutError);
}

int SerialLine::Exchange(const QByteArray& frame, const std::function<bool(const QByteArray&)>& complete,
                         const std::function<bool()>& stop, QByteArray& reply) {
    reply.clear();
    if (!port_.isOpen()) return kLineGone;
    port_.clear(QSerialPort::Input);
    port_.write(frame);
    QElapsedTimer quiet;
    quiet.start();
    while (!complete(reply)) {
        if (stop()) return kStopped;
        if (port_.bytesToWrite() > 0) port_.waitForBytesWritten(kWaitStepMs);
        // The event loop may have read bytes into the buffer already.
        if (port_.bytesAvailable() > 0 || port_.waitForReadyRead(kWaitStepMs)) {
            reply += port_.readAll();
            quiet.restart();
        } else if (Gone()) {
            return kLineGone;
        } else if (quiet.elapsed() >= limitMs_) {
            return 1;
        }
    }
    return 0;
}

}  // namespace comm
