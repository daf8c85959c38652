// The communication jobs as a surveyor runs them without an instrument: the instrument and
// card-reader simulators on pseudo-terminals, downloads, time-outs, and a card written and
// read back.

#include <QDir>
#include <QFileInfo>

#include "app/TrevantoProcess.h"

namespace {

using test::Args;
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
    // Starts "trevanto simulate ..." and answers the device it prints.
    QString Simulate(QProcess& simulator, const QStringList& arguments) {
        simulator.setProcessEnvironment(Environment());
        simulator.start(QStringLiteral(TREVANTO_EXE),
                        QStringList{QStringLiteral("simulate")} + arguments);
        if (!simulator.waitForReadyRead(10000)) return {};
        return QString::fromUtf8(simulator.readLine()).trimmed();
    }
    // The card-reader simulator over a card folder.
    QString StartCardReader(const QStringList& faults = {}) {
        const QString card = home_ + QStringLiteral("/card");
        QDir().mkpath(card);
        return Simulate(simulator_, Args("card-reader --card") + QStringList{card} + faults);
    }
    // The instrument simulator playing `file` in `format`.
    QString StartInstrument(QProcess& simulator, const QString& format, const QString& file,
                            const QStringList& extra = {}) {
        return Simulate(simulator, Args("instrument --format") + QStringList{format, file} + extra);
    }
    // trevanto receive without flow control; `options` come before the output file.
    Outcome Receive(const QString& device, const QString& format, const QString& file,
                    const QStringList& options = {}) {
        return Trevanto(QStringList{QStringLiteral("receive"), QStringLiteral("--port"), device,
                                    QStringLiteral("--format"), format} +
                        Args("--flow 0") + options + QStringList{QStringLiteral("-o"), file});
    }

    QProcess simulator_;
};

// A download as the recorder makes it: the STX record an empty line, the end record with its
// sum kept; a TOPCON block spoilt on the line is asked for again and comes through whole.
TEST_F(CommJobTest, RecorderDownloadsThroughTheSimulator) {
    const QString sdr =
        File(QStringLiteral("sdr.txt"),
             "00NMSDR33 V04-04.02     07-Dec-26 09:00 111111\r\n02TP0001    1.500 T1\r\n");
    const QString got = home_ + QStringLiteral("/got.3GD");
    const Outcome o = Receive(StartInstrument(simulator_, QStringLiteral("3GD"), sdr),
                              QStringLiteral("3GD"), got);
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QList<QByteArray> lines = test::ReadBytes(got).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "\r");
    EXPECT_EQ(lines[2], "02TP0001    1.500 T1\r");
    EXPECT_TRUE(lines[3].startsWith('\x03')) << lines[3].toStdString();
    simulator_.waitForFinished(5000);

    QProcess topcon;
    const QString fc5 =
        File(QStringLiteral("fc5.txt"), "X000ST01,0001,,1.500,\r\nX001SS02,,0.000,\r\n");
    const QString gotFc5 = home_ + QStringLiteral("/got.FC5");
    const Outcome t =
        Receive(StartInstrument(topcon, QStringLiteral("FC5"), fc5, Args("--corrupt 1")),
                QStringLiteral("FC5"), gotFc5);
    EXPECT_EQ(t.status, 0) << t.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(gotFc5).contains("ST01,0001,,1.500,")) << test::ReadBytes(gotFc5).toStdString();
    topcon.waitForFinished(5000);
}

// An instrument that falls silent times out at the limit; what came before stays.
TEST_F(CommJobTest, SilenceTimesOut) {
    const QString fc5 =
        File(QStringLiteral("fc5.txt"), "X000ST01,0001,,1.500,\r\nX001SS02,,0.000,\r\n");
    const QString got = home_ + QStringLiteral("/part.FC5");
    const Outcome o =
        Receive(StartInstrument(simulator_, QStringLiteral("FC5"), fc5, Args("--drop-after 1")),
                QStringLiteral("FC5"), got, Args("--limit 1"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("TimeOutError"))) << o.err.toStdString();
    const QByteArray kept = test::ReadBytes(got);
    EXPECT_TRUE(kept.contains("ST01,0001,,1.500,") && !kept.contains("SS02")) << kept.toStdString();
}

// Nobody starts the instrument (a card reader speaks only when asked): --wait ends the wait
// for the first byte, and nothing is written.
TEST_F(CommJobTest, FirstByteWaitEnds) {
    const QString got = home_ + QStringLiteral("/none.3GD");
    const Outcome o = Receive(StartCardReader(), QStringLiteral("3GD"), got, Args("--wait 1"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("--wait 1"))) << o.err.toStdString();
    EXPECT_FALSE(QFile::exists(got));
}

// A real recorder's file played by the simulator and received over the line converts to
// the same field book as the file itself; a 7E1 line the pseudo-terminal cannot take is
// told and the transfer goes on.
TEST_F(CommJobTest, ReceivedFilesConvertAsThePlayedOnes) {
    const struct {
        const char* format;
        const char* file;
        const char* settings;
    } samples[] = {{"3GD", "sokkia-sdr/geoeasy_sdr33_20151125.sdr", "9600,n,8,1"},
                   {"GSI", "leica-gsi/tops_gsi8_rilievo_cr_only.gsi", "2400,e,7,1"}};
    for (const auto& sample : samples) {
        const QString played = QStringLiteral(TREVANTO_SHARED_SAMPLES "/") + QString::fromLatin1(sample.file);
        if (!QFile::exists(played)) GTEST_SKIP() << "samples folder absent";
        const QString format = QString::fromLatin1(sample.format);
        QProcess simulator;
        const QString got = home_ + QStringLiteral("/got.") + format;
        const Outcome o =
            Receive(StartInstrument(simulator, format, played), format, got,
                    {QStringLiteral("--settings"), QString::fromLatin1(sample.settings),
                     QStringLiteral("--limit"), QStringLiteral("2")});
        ASSERT_EQ(o.status, 0) << sample.format << ' ' << o.err.toStdString();
        simulator.waitForFinished(5000);
        for (const QString& in : {played, got}) {
            QFile::remove(home_ + u'/' + QFileInfo(in).completeBaseName() + QStringLiteral(".APA"));
            // 1: the sample has lines the converter skips; they are skipped alike in both.
            ASSERT_LE(Trevanto({QStringLiteral("convert"), QStringLiteral("-f"), format, QStringLiteral("-o"), home_, in}).status, 1);
        }
        EXPECT_EQ(test::ReadBytes(home_ + QStringLiteral("/got.APA")),
                  test::ReadBytes(home_ + u'/' + QFileInfo(played).completeBaseName() + QStringLiteral(".APA")))
            << sample.format;
    }
}

TEST_F(CommJobTest, CardWrittenAndReadBackThroughTheSimulator) {
    const QString device = StartCardReader();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
    const QString up = File(QStringLiteral("up.txt"), "001,KI,P1,1.000,\r\n002,KI,\x8d\x59\x31,2.000,\r\n");
    const Outcome sent =
        Trevanto(QStringList{QStringLiteral("send"), QStringLiteral("--port"), device} +
                 Args("--format SC1 --flow 0") + QStringList{up});
    ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
    const QString got = home_ + QStringLiteral("/受信.SC1");
    const Outcome received = Receive(device, QStringLiteral("SC1"), got);
    ASSERT_EQ(received.status, 0) << received.err.toStdString();
    EXPECT_EQ(test::ReadBytes(got), QByteArray("001,KI,P1,1.000\r\n002,KI,\x8d\x59\x31,2.000\r\n"));
}

// A reader that stops answering, or that vanishes, fails the job and writes nothing; so
// does a device that is not there or a format the line cannot carry yet.
TEST_F(CommJobTest, LineFaultsWriteNothing) {
    const QString device = StartCardReader(Args("--hangup-after 1"));
    const QString sc1 = QStringLiteral("SC1");
    const QString got = home_ + QStringLiteral("/x.SC1");
    const Outcome gone = Receive(device, sc1, got);
    EXPECT_EQ(gone.status, 2);
    EXPECT_TRUE(gone.err.contains(QStringLiteral("なくなりました"))) << gone.err.toStdString();
    // A file that cannot be written is told before the reader is asked for anything.
    const Outcome nowhere = Receive(device, sc1, home_ + QStringLiteral("/none/x.SC1"));
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_TRUE(nowhere.err.contains(QStringLiteral("/none/x.SC1"))) << nowhere.err.toStdString();
    const Outcome missing = Receive(QStringLiteral("/dev/none9"), sc1, got);
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("/dev/none9"))) << missing.err.toStdString();
    EXPECT_EQ(Receive(device, sc1, got, Args("--settings 9600,x,8,1")).status, 2);
    EXPECT_FALSE(QFile::exists(got));
}

}  // namespace
