// The communication jobs: a transfer with an instrument or card reader without a display,
// and the simulators that stand in for them on a pseudo-terminal.

#include <QFile>
#include <csignal>

#include "comm/card/CardTransfer.h"
#include "comm/link/InstrumentService.h"
#include "comm/link/LineTransfer.h"
#include "comm/protocol/Recorders.h"
#include "comm/transfer/TransferLines.h"
#include "comm/link/CardReaderService.h"
#include "comm/link/SerialCardExchange.h"
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

volatile std::sig_atomic_t gStop = 0;
extern "C" void OnStopSignal(int) { gStop = 1; }

int CountOption(const QCommandLineParser& parser, const QString& name) {
    if (!parser.isSet(name)) return 0;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < 1) throw JobError(QStringLiteral("--") + name + QStringLiteral(" は 1 以上の数です: ") + parser.value(name));
    return n;
}

// --settings and --flow, else the stored RSset (without its port) and RSFuro.
comm::LinkSettings Settings(const QCommandLineParser& parser) {
    comm::LinkSettings settings;
    settings.device = parser.value(kPortOption);
    platform::SettingsStore& store = platform::SettingsStore::User();
    QString line = parser.value(kSettingsOption);
    if (line.isEmpty()) {
        const QString stored = store.Peek(QStringLiteral("Trevanto"), QStringLiteral("RSset"));
        line = (stored.isEmpty() ? QStringLiteral("9600,n,8,1,1") : stored).chopped(2);
    }
    if (const QString fault = comm::LineSettingsFault(line); !fault.isEmpty()) throw JobError(fault);
    settings.line = line;
    const QString flow = parser.isSet(kFlowOption) ? parser.value(kFlowOption)
                                                   : store.Peek(QStringLiteral("Trevanto"), QStringLiteral("RSFuro"));
    if (parser.isSet(kFlowOption) && flow != u"0" && flow != u"2")
        throw JobError(QStringLiteral("--flow は 0（なし）か 2（ハードウェア）です: ") + flow);
    settings.flowControl = flow == u"0" ? 0 : 2;
    if (parser.isSet(QStringLiteral("limit"))) settings.limitSeconds = CountOption(parser, QStringLiteral("limit"));
    return settings;
}

// The format code given, one of the recorder types.
QString Format(const QCommandLineParser& parser) {
    const QString format = parser.value(kFormatOption).trimmed().toUpper();
    if (comm::protocol::RecorderNames().contains(format)) return format;
    throw JobError(QStringLiteral("データ形式は ") + comm::protocol::RecorderNames().join(QStringLiteral("、")) +
                   QStringLiteral(" のどれかです: ") + parser.value(kFormatOption));
}

comm::protocol::LinkOptions Options(const QCommandLineParser& parser) {
    comm::protocol::LinkOptions options;
    options.request = parser.isSet(QStringLiteral("request"));
    options.handshaking = !parser.isSet(QStringLiteral("no-handshake"));
    return options;
}

QString FaultText(int code) {
    if (code == comm::kLineGone) return QStringLiteral("通信ポートがなくなりました。");
    const QString text = comm::CommErrorText(code);
    return text.isEmpty() ? QStringLiteral("データがありません。") : text;
}



// Keeps the card's records and tells a terminal how far the transfer has come.
class JobSink : public comm::card::CardSink {
  public:
    explicit JobSink(QTextStream& err) : err_(err), progress_(isatty(STDERR_FILENO) != 0) {}
    void SaveLine(const QByteArray& raw) override {
        lines_.append(raw);
        bytes_ += raw.size();
        if (progress_) err_ << QStringLiteral("\r") << lines_.size() << QStringLiteral(" 行 ") << bytes_ << QStringLiteral(" バイト") << Qt::flush;
    }
    void Log(const QString&) override {}
    void LogMark(const QString&) override {}
    void ClearLog() override {}
    const QList<QByteArray>& Lines() const { return lines_; }

  private:
    QTextStream& err_;
    bool progress_;
    QList<QByteArray> lines_;
    qsizetype bytes_ = 0;
};

void OpenLine(comm::SerialLine& line, const QCommandLineParser& parser, JobContext& context) {
    QString error;
    if (!line.Open(Settings(parser), error)) throw JobError(error);
    for (const QString& refused : line.Refused())
        context.err << QStringLiteral("trevanto: ") << parser.value(kPortOption) << QStringLiteral(" は設定を受けません（")
                    << refused << QStringLiteral("）。ほかの設定で続けます。") << Qt::endl;
}

// What came before a transfer ended, and why it ended early (empty when it did not).
struct Received {
    QList<QByteArray> lines;
    QString fault;
};

Received ReceiveFromCardReader(const QString& format, comm::SerialLine& line, const QCommandLineParser& parser,
                               JobContext& context) {
    comm::SerialCardExchange link(line);
    JobSink sink(context.err);
    ConsolePrompt prompt(context.err, parser.values(kCardFileOption));
    comm::card::CardSession session(link, sink, prompt);
    try {
        format == u"SC1" ? comm::card::ReadSc1Card(session) : comm::card::ReadScrCard(session);
    } catch (const comm::card::CardLinkError&) {
        return {sink.Lines(), QStringLiteral("通信エラー: ") + parser.value(kPortOption) + QStringLiteral(" から応答がありません。")};
    }
    return {sink.Lines(), prompt.Told() > 0 ? QStringLiteral("カードリーダから受信できませんでした。") : QString()};
}

Received ReceiveFromRecorder(const QString& format, comm::SerialLine& line, const QCommandLineParser& parser,
                             JobContext& context) {
    JobSink sink(context.err);
    auto receiver = comm::protocol::MakeReceiver(format, comm::protocol::Side::Computer, Options(parser));
    const int fault = comm::ReceiveOverLine(line, *receiver, [&](const QByteArray& block, bool last) {
        if (const auto raw = comm::ReceivedLine(format, block, last)) sink.SaveLine(*raw);
    });
    return {sink.Lines(), fault == 0 ? QString() : QStringLiteral("通信エラー: ") + FaultText(fault)};
}

int Receive(const QCommandLineParser& parser, JobContext& context) {
    const QString format = Format(parser);
    if (!parser.isSet(kOutputOption)) throw JobError(QStringLiteral("-o で書くファイルを指定してください。"));
    comm::SerialLine line;
    OpenLine(line, parser, context);
    const Received received = comm::protocol::IsCardReader(format) ? ReceiveFromCardReader(format, line, parser, context)
                                                                   : ReceiveFromRecorder(format, line, parser, context);
    // What came before a fault is kept, as the transfer form keeps it.
    if (!received.lines.isEmpty() || received.fault.isEmpty()) {
        QByteArray bytes;
        for (const QByteArray& l : received.lines) bytes += l + "\r\n";
        platform::WriteFileBytes(parser.value(kOutputOption), bytes);
        context.out << parser.value(kOutputOption) << QStringLiteral(": ") << received.lines.size()
                    << QStringLiteral(" 行、") << bytes.size() << QStringLiteral(" バイト") << Qt::endl;
    }
    if (!received.fault.isEmpty()) throw JobError(received.fault);
    return kExitOk;
}

void SendToCardReader(const QString& format, comm::SerialLine& line, const QList<QByteArray>& lines,
                      const QCommandLineParser& parser, JobContext& context) {
    comm::SerialCardExchange link(line);
    JobSink sink(context.err);
    ConsolePrompt prompt(context.err, parser.values(kCardFileOption));
    comm::card::CardSession session(link, sink, prompt);
    comm::card::WriteResult result = comm::card::WriteResult::Refused;
    try {
        result = format == u"SC1" ? comm::card::WriteSc1Card(session, lines) : comm::card::WriteScrCard(session, lines);
    } catch (const comm::card::CardLinkError&) {
        throw JobError(QStringLiteral("通信エラー: ") + parser.value(kPortOption) + QStringLiteral(" から応答がありません。"));
    }
    if (result != comm::card::WriteResult::Done) throw JobError(QStringLiteral("カードに書けませんでした。"));
}

void SendToRecorder(const QString& format, comm::SerialLine& line, QList<QByteArray> lines,
                    const QCommandLineParser& parser) {
    auto sender = comm::protocol::MakeSender(format, comm::protocol::Side::Computer, Options(parser));
    const int fault = comm::SendOverLine(line, *sender, [&](QByteArray& next) {
        if (lines.isEmpty()) return false;
        next = comm::SendBytes(format, lines.takeFirst());
        return true;
    });
    if (fault != 0) throw JobError(QStringLiteral("通信エラー: ") + FaultText(fault));
}

int Send(const QCommandLineParser& parser, JobContext& context) {
    const QString format = Format(parser);
    const QString file = parser.positionalArguments().constFirst();
    const QList<QByteArray> lines = comm::SendFileLines(file);
    comm::SerialLine line;
    OpenLine(line, parser, context);
    if (comm::protocol::IsCardReader(format))
        SendToCardReader(format, line, lines, parser, context);
    else
        SendToRecorder(format, line, lines, parser);
    context.out << file << QStringLiteral(": ") << lines.size() << QStringLiteral(" 行を送りました。") << Qt::endl;
    return kExitOk;
}

comm::SimulatorFaults Faults(const QCommandLineParser& parser) {
    return {CountOption(parser, QStringLiteral("drop-after")), CountOption(parser, QStringLiteral("corrupt")),
            CountOption(parser, QStringLiteral("hangup-after"))};
}

void OnStopSignals() {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
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
    comm::card::CardReaderSimulator reader(parser.value(kCardOption));
    comm::PseudoTerminal terminal;
    context.out << terminal.DevicePath() << Qt::endl;
    OnStopSignals();
    comm::ServeCardReader(terminal, reader, faults, [] { return gStop != 0; });
    return kExitOk;
}

void DeclareLine(QCommandLineParser& parser) {
    parser.addOptions({
        {kPortOption, QStringLiteral("通信ポートのデバイス（/dev/ttyUSB0、シミュレータの /dev/pts/N など）。"), QStringLiteral("DEV")},
        {kFormatOption, QStringLiteral("データ形式（APA、3GD、3PD、SDF、SC1、SCR、FC5、GSI、DR2）。"), QStringLiteral("CODE")},
        {QStringLiteral("limit"), QStringLiteral("応答を待つ秒数（既定 20）。"), QStringLiteral("SECONDS")},
        {QStringLiteral("request"), QStringLiteral("GSI: 古い器械の要求（?）手順で受けます。")},
        {QStringLiteral("no-handshake"), QStringLiteral("ACK/NAK の応答をしません（APA の共通形式など）。")},
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
                .description = QStringLiteral("-o のファイルは名前のまま書きます。"
                                              "終了状態: 0 受信した、2 使い方の誤り、ポートが開けない、通信エラー、"
                                              "カードリーダが拒んだ（ファイルは書きません）。"),
                .declare =
                    [](QCommandLineParser& p) {
                        DeclareLine(p);
                        p.addOption({{QStringLiteral("o"), kOutputOption}, QStringLiteral("書くファイル（名前はそのまま）。"),
                                     QStringLiteral("FILE")});
                    },
                .run = Receive};
    Job send{.words = {QStringLiteral("send")},
             .summary = QStringLiteral("ファイルの行を器械やカードリーダに送ります。"),
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
