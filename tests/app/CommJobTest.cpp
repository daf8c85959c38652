// The communication jobs as a surveyor runs them without an instrument: the card-reader
// simulator on a pseudo-terminal, and a card written and read back through it.

#include <QDir>

#include "app/TrevantoProcess.h"

namespace {

using test::Outcome;

class CommJobTest : public test::TrevantoProcessTest {
  protected:
    void TearDown() override {
        if (simulator_.state() != QProcess::NotRunning) {
            simulator_.terminate();
            EXPECT_TRUE(simulator_.waitForFinished(5000));
            EXPECT_EQ(simulator_.exitCode(), 0);
        }
    }
    // Starts the simulator over a card folder and answers the device it prints.
    QString StartCardReader(const QStringList& faults = {}) {
        const QString card = home_ + QStringLiteral("/card");
        QDir().mkpath(card);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TREVANTO_HOME"), home_);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/config"));
        simulator_.setProcessEnvironment(env);
        simulator_.start(QStringLiteral(TREVANTO_EXE),
                         QStringList{QStringLiteral("simulate"), QStringLiteral("card-reader"), QStringLiteral("--card"), card} + faults);
        if (!simulator_.waitForReadyRead(10000)) return {};
        return QString::fromUtf8(simulator_.readLine()).trimmed();
    }
    QStringList Line(const QString& device) const {
        return {QStringLiteral("--port"), device, QStringLiteral("--format"), QStringLiteral("SC1"), QStringLiteral("--flow"),
                QStringLiteral("0")};
    }

    QProcess simulator_;
};

TEST_F(CommJobTest, CardWrittenAndReadBackThroughTheSimulator) {
    const QString device = StartCardReader();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
    const QString up = File(QStringLiteral("up.txt"), "001,KI,P1,1.000,\r\n002,KI,\x8d\x59\x31,2.000,\r\n");
    const Outcome sent = Trevanto(QStringList{QStringLiteral("send")} + Line(device) + QStringList{up});
    ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
    const QString got = home_ + QStringLiteral("/受信.SC1");
    const Outcome received = Trevanto(QStringList{QStringLiteral("receive")} + Line(device) + QStringList{QStringLiteral("-o"), got});
    ASSERT_EQ(received.status, 0) << received.err.toStdString();
    EXPECT_EQ(test::ReadBytes(got), QByteArray("001,KI,P1,1.000\r\n002,KI,\x8d\x59\x31,2.000\r\n"));
}

// A reader that stops answering, or that vanishes, fails the job and writes nothing; so
// does a device that is not there or a format the line cannot carry yet.
TEST_F(CommJobTest, LineFaultsWriteNothing) {
    const QString device = StartCardReader({QStringLiteral("--hangup-after"), QStringLiteral("1")});
    const QString got = home_ + QStringLiteral("/x.SC1");
    const Outcome gone = Trevanto(QStringList{QStringLiteral("receive")} + Line(device) + QStringList{QStringLiteral("-o"), got});
    EXPECT_EQ(gone.status, 2);
    EXPECT_TRUE(gone.err.contains(QStringLiteral("通信エラー"))) << gone.err.toStdString();
    const Outcome missing = Trevanto({QStringLiteral("receive"), QStringLiteral("--port"), QStringLiteral("/dev/none9"),
                                      QStringLiteral("--format"), QStringLiteral("SC1"), QStringLiteral("-o"), got});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("/dev/none9"))) << missing.err.toStdString();
    const Outcome settings = Trevanto(QStringList{QStringLiteral("receive")} + Line(device) +
                                      QStringList{QStringLiteral("--settings"), QStringLiteral("9600,x,8,1"), QStringLiteral("-o"), got});
    EXPECT_EQ(settings.status, 2);
    EXPECT_FALSE(QFile::exists(got));
    EXPECT_EQ(Trevanto({QStringLiteral("simulate"), QStringLiteral("card-reader"), QStringLiteral("--help")}).status, 0);
}

}  // namespace
