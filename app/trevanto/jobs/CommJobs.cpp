// The communication jobs: a transfer with an instrument or card reader without a display,
// and the simulators that stand in for them on a pseudo-terminal.

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <functional>

#include "comm/card/CardTransfer.h"
#include "comm/link/CardReaderService.h"
#include "comm/link/CommControl.h"
#include "comm/link/InstrumentService.h"
#include "comm/link/SerialCardExchange.h"
#include "comm/protocol/Recorders.h"
#include "comm/settings/PortNames.h"
#include "comm/transfer/TransferLines.h"
#include "platform/FileError.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"
#include "trevanto/jobs/ConsolePrompt.h"
#include "trevanto/jobs/Job.h"

#include <unistd.h>

namespace trevanto_app {
namespace {

const QString kPortOption = QStringLiteral("port");
const QString kFormatOption = QStringLiteral("format");
const QString kSettingsOption = QStringLiteral("settings");
const QString kFlowOption = QStringLiteral("flow");
const QString kOutputOption = QStringLiteral("output");
const QString kCardFileOption = QStringLiteral("card-file");
const QString kCardOption = QStringLiteral("card");
const QString kLimitOption = QStringLiteral("limit");
const QString kWaitOption = QStringLiteral("wait");
const QString kRequestOption = QStringLiteral("request");
const QString kNoHandshakeOption = QStringLiteral("no-handshake");
constexpr int kDefaultWaitSeconds = 120;

volatile std::sig_atomic_t gStop = 0;
extern "C" void OnStopSignal(int) { gStop = 1; }

int CountOption(const QCommandLineParser& parser, const QString& name) {
    if (!parser.isSet(name)) return 0;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < 1) throw JobError(QStringLiteral("--") + name + QStringLiteral(" は 1 以上の数です: ") + parser.value(name));
    return n;
}

// Ctrl-C, kill and a closed terminal end a transfer as a cancel does: what came is kept.
void OnStopSignals() {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    std::signal(SIGHUP, OnStopSignal);
}

// The format code given, one of the recorder types.
QString Format(const QCommandLineParser& parser) {
    const QString format = parser.value(kFormatOption).trimmed().toUpper();
    if (comm::protocol::RecorderNames().contains(format)) return format;
    throw JobError(QStringLiteral("データ形式は ") + comm::protocol::RecorderNames().join(QStringLiteral("、")) +
                   QStringLiteral(" のどれかです: ") + parser.value(kFormatOption));
}

// The line's properties: the options, else the stored RSset (its port too) and RSFuro.
void Configure(comm::CommControl& control, const QCommandLineParser& parser) {
    platform::SettingsStore& store = platform::SettingsStore::User();
    QString rsset = store.Peek(QStringLiteral("Trevanto"), QStringLiteral("RSset"));
    if (rsset.size() < 3) rsset = QStringLiteral("9600,n,8,1,1");
    const QString line = parser.isSet(kSettingsOption) ? parser.value(kSettingsOption) : rsset.chopped(2);
    if (const QString fault = comm::LineSettingsFault(line); !fault.isEmpty()) throw JobError(fault);
    control.SetSettings(line);
    control.SetCommPort(rsset.right(1).toInt());
    control.SetDevice(parser.value(kPortOption));
    const QString flow = parser.isSet(kFlowOption) ? parser.value(kFlowOption)
                                                   : store.Peek(QStringLiteral("Trevanto"), QStringLiteral("RSFuro"));
    if (parser.isSet(kFlowOption) && flow != u"0" && flow != u"2")
        throw JobError(QStringLiteral("--flow は 0（なし）か 2（ハードウェア）です: ") + flow);
    control.SetFlowControl(flow == u"0" ? 0 : 2);
    if (parser.isSet(kLimitOption)) control.SetLimit(CountOption(parser, kLimitOption));
    // --wait belongs to receive only.
    control.SetFirstWait(parser.optionNames().contains(kWaitOption) ? CountOption(parser, kWaitOption) : kDefaultWaitSeconds);
    control.SetHandshaking(!parser.isSet(kNoHandshakeOption));
    control.SetRequest(parser.isSet(kRequestOption));
    control.SetRecorderIndex(static_cast<int>(comm::protocol::RecorderNames().indexOf(Format(parser))) + 1);
}

comm::protocol::LinkOptions Options(const QCommandLineParser& parser) {
    comm::protocol::LinkOptions options;
    options.request = parser.isSet(kRequestOption);
    options.handshaking = !parser.isSet(kNoHandshakeOption);
    return options;
}

// The transfer form's texts, with what they mean to someone at a terminal.
QString FaultText(int code) {
    switch (code) {
        case comm::kLineGone: return QStringLiteral("通信ポートがなくなりました。");
        case comm::protocol::kTimeOut: return QStringLiteral("応答が途絶えました（TimeOutError）。");
        case comm::protocol::kPacketData: return QStringLiteral("データのチェックが合いません（PacketDataError）。");
        case comm::protocol::kNoText: return QStringLiteral("データがありません。");
        default: return comm::CommErrorText(code);
    }
}

// Tells a terminal how far a transfer has come, on one line that it rewrites.
class Progress {
  public:
    explicit Progress(QTextStream& err) : err_(err), shown_(isatty(STDERR_FILENO) != 0) {}
    ~Progress() {
        if (shown_ && lines_ > 0) err_ << Qt::endl;
    }
    void Add(qsizetype bytes) {
        ++lines_;
        bytes_ += bytes;
        if (shown_) err_ << QStringLiteral("\r") << lines_ << QStringLiteral(" 行 ") << bytes_ << QStringLiteral(" バイト") << Qt::flush;
    }

  private:
    QTextStream& err_;
    bool shown_;
    qsizetype lines_ = 0;
    qsizetype bytes_ = 0;
};

// Writes the received lines into the receive file as they come, with their progress. A
// write that fails (a full disk) is kept to be told; the old file then stays.
class JobSink : public comm::card::CardSink {
  public:
    JobSink(QTextStream& err, platform::TextFileWriter* file) : progress_(err), file_(file) {}
    void SaveLine(const QByteArray& raw) override {
        ++lines_;
        bytes_ += raw.size() + 2;
        progress_.Add(raw.size());
        if (!file_ || !writeFault_.isEmpty()) return;
        try {
            file_->WriteBytes(raw + "\r\n");
        } catch (const platform::FileError& e) {
            writeFault_ = e.Told();
        }
    }
    void Log(const QString&) override {}
    void LogMark(const QString&) override {}
    void ClearLog() override {}
    qsizetype Lines() const { return lines_; }
    qsizetype Bytes() const { return bytes_; }
    const QString& WriteFault() const { return writeFault_; }

  private:
    Progress progress_;
    platform::TextFileWriter* file_;
    qsizetype lines_ = 0;
    qsizetype bytes_ = 0;
    QString writeFault_;
};

// The control set up from the options with its line open; refused settings are told.
void OpenLine(comm::CommControl& control, const QCommandLineParser& parser, JobContext& context) {
    Configure(control, parser);
    if (!control.ResetLink()) throw JobError(control.OpenError());
    for (const QString& refused : control.Refused())
        context.err << QStringLiteral("trevanto: ") << control.Device() << QStringLiteral(" は設定を受けません（")
                    << refused << QStringLiteral("）。ほかの設定で続けます。") << Qt::endl;
    OnStopSignals();
}

// Ctrl-C stops the link while a transfer runs; what came before it is kept.
class Interrupt {
  public:
    explicit Interrupt(comm::CommControl& control) {
        timer_.callOnTimeout([&control] {
            if (gStop != 0) control.StopLink();
        });
        timer_.start(100);
    }

  private:
    QTimer timer_;
};

QString LineFault(int code, const comm::CommControl& control) {
    switch (code) {
        case comm::kStopped: return QStringLiteral("中断しました。");
        case comm::kLineGone: return QStringLiteral("通信エラー: ") + control.Device() + QStringLiteral(" がなくなりました。");
        case comm::protocol::kTimeOut:
            return QStringLiteral("通信エラー: ") + control.Device() + QStringLiteral(" から応答がありません（TimeOutError）。");
        default: return QStringLiteral("通信エラー: ") + FaultText(code);
    }
}

// A card routine in direct mode; the fault of a line that failed under it.
QString RunCardRoutine(comm::CommControl& control, const std::function<void(comm::card::CardSession&)>& routine,
                       comm::card::CardSink& sink, ConsolePrompt& prompt) {
    comm::SerialCardExchange link(control);
    comm::card::CardSession session(link, sink, prompt);
    Interrupt interrupt(control);
    try {
        routine(session);
    } catch (const comm::card::CardLinkError&) {
        return LineFault(control.Stopped() ? comm::kStopped : link.LastFault(), control);
    }
    return {};
}

QString ReceiveFromCardReader(const QString& format, comm::CommControl& control, const QCommandLineParser& parser,
                              JobSink& sink, JobContext& context) {
    ConsolePrompt prompt(context.err, parser.values(kCardFileOption));
    QString fault = RunCardRoutine(
        control,
        [&](comm::card::CardSession& session) {
            format == u"SC1" ? comm::card::ReadSc1Card(session) : comm::card::ReadScrCard(session);
        },
        sink, prompt);
    if (fault.isEmpty() && prompt.Told() > 0) fault = QStringLiteral("カードリーダから受信できませんでした。");
    return fault;
}

// Runs the event loop until the receive ends: the last block, a fault or Ctrl-C. A check
// that failed on the last block comes as a fault right after it.
QString ReceiveFromRecorder(const QString& format, comm::CommControl& control, JobSink& sink) {
    QEventLoop loop;
    bool done = false;
    int fault = 0;
    const auto end = [&](int code) {
        fault = code;
        done = true;
        loop.quit();
    };
    QObject::connect(&control, &comm::CommControl::DataReceived, &loop, [&](const QByteArray& block, bool last) {
        if (const auto raw = comm::ReceivedLine(format, block, last)) sink.SaveLine(*raw);
        if (last) end(0);
    });
    QObject::connect(&control, &comm::CommControl::CommError, &loop, end);
    QTimer interrupt;
    interrupt.callOnTimeout([&] {
        if (gStop == 0) return;
        control.StopLink();
        end(comm::kStopped);
    });
    interrupt.start(100);
    if (!control.StartReceive()) throw JobError(control.OpenError());
    if (!done) loop.exec();
    if (fault == comm::protocol::kTimeOut && sink.Lines() == 0)
        return QStringLiteral("器械からデータが来ませんでした（--wait ") + QString::number(control.FirstWait()) +
               QStringLiteral(" 秒）。");
    return fault == 0 ? QString() : LineFault(fault, control);
}

int Receive(const QCommandLineParser& parser, JobContext& context) {
    const QString format = Format(parser);
    if (!parser.isSet(kOutputOption)) throw JobError(QStringLiteral("-o で書くファイルを指定してください。"));
    // Opened before the line: a file that cannot be written is told before the instrument
    // sends, and what comes goes to disk as it comes.
    platform::TextFileWriter file(parser.value(kOutputOption));
    comm::CommControl control([](int port) { return comm::PortDevice(port, platform::SettingsStore::User()); });
    OpenLine(control, parser, context);
    JobSink sink(context.err, &file);
    const QString fault = comm::protocol::IsCardReader(format) ? ReceiveFromCardReader(format, control, parser, sink, context)
                                                               : ReceiveFromRecorder(format, control, sink);
    if (!sink.WriteFault().isEmpty()) throw JobError(sink.WriteFault());
    // What came before a fault is kept, as the transfer form keeps it.
    if (sink.Lines() > 0 || fault.isEmpty()) {
        file.Commit();
        context.out << parser.value(kOutputOption) << QStringLiteral(": ") << sink.Lines() << QStringLiteral(" 行、")
                    << sink.Bytes() << QStringLiteral(" バイト") << Qt::endl;
    }
    if (!fault.isEmpty()) throw JobError(fault);
    return kExitOk;
}

void SendToCardReader(const QString& format, comm::CommControl& control, const QList<QByteArray>& lines,
                      const QCommandLineParser& parser, JobContext& context) {
    JobSink sink(context.err, nullptr);
    ConsolePrompt prompt(context.err, parser.values(kCardFileOption));
    comm::card::WriteResult result = comm::card::WriteResult::Refused;
    const QString fault = RunCardRoutine(
        control,
        [&](comm::card::CardSession& session) {
            result = format == u"SC1" ? comm::card::WriteSc1Card(session, lines) : comm::card::WriteScrCard(session, lines);
        },
        sink, prompt);
    if (!fault.isEmpty()) throw JobError(fault);
    if (result != comm::card::WriteResult::Done) throw JobError(QStringLiteral("カードに書けませんでした。"));
}

// The control asks for each line in turn; the end of the list stops the link.
void SendToRecorder(const QString& format, comm::CommControl& control, QList<QByteArray> lines, JobContext& context) {
    Progress progress(context.err);
    QObject::connect(&control, &comm::CommControl::DataRequest, &control, [&](QByteArray& data) {
        if (lines.isEmpty()) {
            control.StopLink();
            return;
        }
        data = comm::SendBytes(format, lines.takeFirst());
        progress.Add(data.size());
    }, Qt::DirectConnection);
    int fault = 0;
    QObject::connect(&control, &comm::CommControl::CommError, &control, [&](int code) { fault = code; });
    Interrupt interrupt(control);
    if (control.StartSend()) return;
    if (fault != 0) throw JobError(LineFault(fault, control));
    throw JobError(control.Stopped() ? QStringLiteral("中断しました。") : control.OpenError());
}

int Send(const QCommandLineParser& parser, JobContext& context) {
    const QString format = Format(parser);
    const QString file = parser.positionalArguments().constFirst();
    const QList<QByteArray> lines = comm::SendFileLines(file);
    comm::CommControl control([](int port) { return comm::PortDevice(port, platform::SettingsStore::User()); });
    OpenLine(control, parser, context);
    if (comm::protocol::IsCardReader(format))
        SendToCardReader(format, control, lines, parser, context);
    else
        SendToRecorder(format, control, lines, context);
    context.out << file << QStringLiteral(": ") << lines.size() << QStringLiteral(" 行を送りました。") << Qt::endl;
    return kExitOk;
}

comm::SimulatorFaults Faults(const QCommandLineParser& parser) {
    return {CountOption(parser, QStringLiteral("drop-after")), CountOption(parser, QStringLiteral("corrupt")),
            CountOption(parser, QStringLiteral("hangup-after"))};
}

// Plays the file to whoever opens the device, then takes an upload when -o is given.
int SimulateInstrument(const QCommandLineParser& parser, JobContext& context) {
    const QString format = Format(parser);
    if (comm::protocol::IsCardReader(format))
        throw JobError(QStringLiteral("カードリーダは simulate card-reader で演じます。"));
    const QList<QByteArray> lines = comm::SendFileLines(parser.positionalArguments().constFirst());
    comm::PseudoTerminal terminal;
    context.out << terminal.DevicePath() << Qt::endl;
    OnStopSignals();
    const auto stop = [] { return gStop != 0; };
    auto sender = comm::protocol::MakeSender(format, comm::protocol::Side::Instrument, Options(parser));
    const int played = comm::PlayToReceiver(terminal, *sender, lines, Faults(parser), comm::TimingFor(format), stop);
    context.err << QStringLiteral("送信: ") << (played == 0 ? QStringLiteral("終了") : FaultText(played)) << Qt::endl;
    if (played < 0) return kExitOk;
    if (!parser.isSet(kOutputOption)) {
        // The instrument stays on the line until the receiver lets go: a GSI receiver ends
        // its transfer only on the silence that follows.
        while (!stop() && terminal.Read(100)) {
        }
        return kExitOk;
    }
    QByteArray upload;
    auto receiver = comm::protocol::MakeReceiver(format, comm::protocol::Side::Instrument, Options(parser));
    comm::TakeFromSender(terminal, *receiver, [&](const QByteArray& block, bool) { upload += block + "\r\n"; },
                         comm::TimingFor(format), stop);
    platform::WriteFileBytes(parser.value(kOutputOption), upload);
    return kExitOk;
}

int SimulateCardReader(const QCommandLineParser& parser, JobContext& context) {
    const comm::SimulatorFaults faults = Faults(parser);
    const QString card = parser.value(kCardOption);
    if (card.isEmpty() || !QFileInfo(card).isDir())
        throw JobError(QStringLiteral("--card にカードのフォルダーを指定してください: ") + card);
    comm::card::CardReaderSimulator reader(card);
    comm::PseudoTerminal terminal;
    context.out << terminal.DevicePath() << Qt::endl;
    OnStopSignals();
    comm::ServeCardReader(terminal, reader, faults, [] { return gStop != 0; });
    return kExitOk;
}

void DeclareLine(QCommandLineParser& parser) {
    parser.addOptions({
        {kPortOption, QStringLiteral("通信ポートのデバイス（/dev/ttyUSB0、シミュレータの /dev/pts/N など）。"
                                     "既定は保存された通信条件のポート。"), QStringLiteral("DEV")},
        {kFormatOption, QStringLiteral("データ形式（APA、3GD、3PD、SDF、SC1、SCR、FC5、GSI、DR2）。"), QStringLiteral("CODE")},
        {kLimitOption, QStringLiteral("転送が始まった後、無通信で打ち切るまでの秒数（既定 20）。"), QStringLiteral("SECONDS")},
        {kRequestOption, QStringLiteral("GSI: 古い器械の要求（?）手順で受けます。")},
        {kNoHandshakeOption, QStringLiteral("ACK/NAK の応答をしません（APA の共通形式など）。")},
        {kSettingsOption, QStringLiteral("通信条件「ボーレート,パリティ,データビット,ストップビット」。既定は保存された通信条件。"),
         QStringLiteral("9600,n,8,1")},
        {kFlowOption, QStringLiteral("フロー制御 0（なし）か 2（ハードウェア）。既定は保存された設定。"), QStringLiteral("0|2")},
        {kCardFileOption, QStringLiteral("カードモニタへの答え（SCR: 読むファイルの番号、書くファイルの名称）。繰り返せます。"),
         QStringLiteral("ANSWER")},
    });
}

}  // namespace

QList<Job> CommJobs() {
    Job receive{.words = {QStringLiteral("receive")},
                .summary = QStringLiteral("器械やカードリーダからデータを受信し、受けたままのバイトをファイルに書きます。"),
                .description = QStringLiteral("-o のファイルは名前のまま書きます。最初のデータは --wait の秒数だけ待ち、"
                                              "その後は --limit の秒数の無通信で打ち切ります。Ctrl-C で中断できます。"
                                              "通信エラーや中断の前に受けた行はファイルに残ります。"
                                              "終了状態: 0 受信した、2 使い方の誤り、ポートが開けない、通信エラー、中断、"
                                              "カードリーダが拒んだ。"),
                .declare =
                    [](QCommandLineParser& p) {
                        DeclareLine(p);
                        p.addOption({kWaitOption, QStringLiteral("最初のデータを待つ秒数（既定 120）。器械の送信操作をこの間に。"),
                                     QStringLiteral("SECONDS")});
                        p.addOption({{QStringLiteral("o"), kOutputOption}, QStringLiteral("書くファイル（名前はそのまま）。"),
                                     QStringLiteral("FILE")});
                    },
                .run = Receive};
    Job send{.words = {QStringLiteral("send")},
             .summary = QStringLiteral("ファイルの行を器械やカードリーダに送ります。"),
             .description = QStringLiteral("器械が受け取らないまま --limit の秒数が過ぎると打ち切ります。Ctrl-C で中断できます。"
                                           "終了状態: 0 送った、2 使い方の誤り、ファイルが読めない、ポートが開けない、"
                                           "通信エラー、中断、カードリーダが拒んだ。"),
             .argumentSyntax = QStringLiteral("FILE"),
             .minArguments = 1,
             .maxArguments = 1,
             .declare =
                 [](QCommandLineParser& p) {
                     DeclareLine(p);
                     p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("送るファイル（CP932、1 行 1 レコード）。"));
                 },
             .run = Send};
    Job card{.words = {QStringLiteral("simulate"), QStringLiteral("card-reader")},
             .summary = QStringLiteral("フォルダーのカードを入れたカードリーダを疑似端末で演じます。"),
             .description = QStringLiteral("疑似端末のデバイスを表示し、Ctrl-C まで応答します。"),
             .declare =
                 [](QCommandLineParser& p) {
                     p.addOptions({
                         {kCardOption, QStringLiteral("カードのフォルダー（SEQUENCE.DAT、FILES/、CAPACITY、PROTECT）。"), QStringLiteral("DIR")},
                         {QStringLiteral("drop-after"), QStringLiteral("N 回応答した後は黙ります。"), QStringLiteral("N")},
                         {QStringLiteral("corrupt"), QStringLiteral("N 番目の応答のチェックを壊します。"), QStringLiteral("N")},
                         {QStringLiteral("hangup-after"), QStringLiteral("N 回応答した後にデバイスが消えます。"), QStringLiteral("N")},
                     });
                 },
             .run = SimulateCardReader};
    Job instrument{
        .words = {QStringLiteral("simulate"), QStringLiteral("instrument")},
        .summary = QStringLiteral("器械を疑似端末で演じ、ファイルをその記録形式の手順で送ります。"),
        .description = QStringLiteral("疑似端末のデバイスを表示し、受信側が開くのを待って送ります。-o のときは続けて"
                                      "アップロードを受け、受けたブロックを書きます。"),
        .argumentSyntax = QStringLiteral("FILE"),
        .minArguments = 1,
        .maxArguments = 1,
        .declare =
            [](QCommandLineParser& p) {
                p.addOptions({
                    {kFormatOption, QStringLiteral("記録形式（APA、3GD、3PD、SDF、FC5、GSI、DR2）。"), QStringLiteral("CODE")},
                    {{QStringLiteral("o"), kOutputOption}, QStringLiteral("アップロードを書くファイル。"), QStringLiteral("FILE")},
                    {QStringLiteral("request"), QStringLiteral("GSI: 要求（?）手順の器械。")},
                    {QStringLiteral("no-handshake"), QStringLiteral("ACK/NAK を待ちません。")},
                    {QStringLiteral("drop-after"), QStringLiteral("N ブロック送った後は黙ります。"), QStringLiteral("N")},
                    {QStringLiteral("corrupt"), QStringLiteral("N 番目のブロックのチェックを壊します。"), QStringLiteral("N")},
                    {QStringLiteral("hangup-after"), QStringLiteral("N ブロック送った後にデバイスが消えます。"), QStringLiteral("N")},
                });
                p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("送るファイル（受信ファイルと同じ 1 行 1 ブロック）。"));
            },
        .run = SimulateInstrument};
    return {receive, send, card, instrument};
}

}  // namespace trevanto_app
