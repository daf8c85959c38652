#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSerialPort>

#include "comm/link/PseudoTerminal.h"

namespace {

QByteArray ReadAll(QSerialPort& port, qsizetype size) {
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < size && timer.elapsed() < 3000)
        if (port.waitForReadyRead(100)) got += port.readAll();
    return got;
}

// A receiver opens the simulator's device as a serial port: every byte passes both ways
// unchanged (CR LF, XON/XOFF, CP932), and when the simulator hangs up the port fails.
TEST(PseudoTerminal, ASerialPortTalksToTheSimulator) {
    comm::PseudoTerminal terminal;
    ASSERT_TRUE(terminal.DevicePath().startsWith(QStringLiteral("/dev/pts/")));
    QSerialPort port(terminal.DevicePath());
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    port.setBaudRate(9600);

    const QByteArray bytes = QByteArray("\x02" "00NMSDR33\r\n\x11\x13\x8d\x59\x03", 17);
    ASSERT_TRUE(terminal.Write(bytes));
    EXPECT_EQ(ReadAll(port, bytes.size()), bytes);

    port.write("\x06\r");
    ASSERT_TRUE(port.waitForBytesWritten(1000));
    QByteArray back;
    for (int i = 0; i < 20 && back.size() < 2; ++i) back += terminal.Read(100).value_or(QByteArray());
    EXPECT_EQ(back, QByteArray("\x06\r"));

    terminal.Hangup();
    EXPECT_FALSE(terminal.Write("x"));
    port.waitForReadyRead(500);
    EXPECT_NE(port.error(), QSerialPort::NoError);
}

}  // namespace
