// The communication jobs: a transfer with an instrument or card reader without a display,
// and the simulators that stand in for them on a pseudo-terminal.

#include <QFile>
#include <csignal>

#include "comm/card/CardTransfer.h"
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
    return settings;
}

QString CardFormat(const QCommandLineParser& parser) {
    const QString format = parser.value(kFormatOption).trimmed().toUpper();
    if (format == u"SC1" || format == u"SCR") return format;
    throw JobError(QStringLiteral("このビルドで通信できる形式は SC1 と SCR（カードリーダ）です: ") +
                   parser.value(kFormatOption));
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

void OpenLine(comm::SerialLine& line, const QCommandLineParser& parser) {
    QString error;
    if (!line.Open(Settings(parser), error)) throw JobError(error);
}

int Receive(const QCommandLineParser& parser, JobContext& context) {
    const QString format = CardFormat(parser);
    if (!parser.isSet(kOutputOption)) throw JobError(QStringLiteral("-o で書くファイルを指定してください。"));
    comm::SerialLine line;
    OpenLine(line, parser);
    comm::SerialCardExchange link(line);
    JobSink sink(context.err);
    ConsolePrompt prompt(context.err, parser.values(kCardFileOption));
    comm::card::CardSession session(link, sink, prompt);
    try {
        format == u"SC1" ? comm::card::ReadSc1Card(session) : comm::card::ReadScrCard(session);
    } catch (const comm::card::CardLinkError&) {
        throw JobError(QStringLiteral("通信エラー: ") + parser.value(kPortOption) + QStringLiteral(" から応答がありません。"));
    }
    if (prompt.Told() > 0) return kExitTrouble;
    QByteArray bytes;
    for (const QByteArray& l : sink.Lines()) bytes += l + "\r\n";
    platform::WriteFileBytes(parser.value(kOutputOption), bytes);
    context.out << parser.value(kOutputOption) << QStringLiteral(": ") << sink.Lines().size() << QStringLiteral(" 行、")
                << bytes.size() << QStringLiteral(" バイト") << Qt::endl;
    return kExitOk;
}

int Send(const QCommandLineParser& parser, JobContext& context) {
    const QString format = CardFormat(parser);
    const QString file = parser.positionalArguments().constFirst();
    QList<QByteArray> lines;
    for (const QByteArray& l : platform::ReadFileBytes(file).split('\n'))
        if (!l.trimmed().isEmpty()) lines.append(l.endsWith('\r') ? l.chopped(1) : l);
    comm::SerialLine line;
    OpenLine(line, parser);
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
    if (result != comm::card::WriteResult::Done) return kExitTrouble;
    context.out << file << QStringLiteral(": ") << lines.size() << QStringLiteral(" 行を送りました。") << Qt::endl;
    return kExitOk;
}

int SimulateCardReader(const QCommandLineParser& parser, JobContext& context) {
    const comm::SimulatorFaults faults{CountOption(parser, QStringLiteral("drop-after")),
                                       CountOption(parser, QStringLiteral("corrupt")),
                                       CountOption(parser, QStringLiteral("hangup-after"))};
    comm::card::CardReaderSimulator reader(parser.value(kCardOption));
    comm::PseudoTerminal terminal;
    context.out << terminal.DevicePath() << Qt::endl;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    comm::ServeCardReader(terminal, reader, faults, [] { return gStop != 0; });
    return kExitOk;
}

void DeclareLine(QCommandLineParser& parser) {
    parser.addOptions({
        {kPortOption, QStringLiteral("通信ポートのデバイス（/dev/ttyUSB0、シミュレータの /dev/pts/N など）。"), QStringLiteral("DEV")},
        {kFormatOption, QStringLiteral("データ形式（SC1、SCR）。"), QStringLiteral("CODE")},
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
                .summary = QStringLiteral("カードリーダからデータを受信し、受けたままのバイトをファイルに書きます。"),
                .description = QStringLiteral("終了状態: 0 受信した、2 使い方の誤り、ポートが開けない、通信エラー、"
                                              "カードリーダが拒んだ（ファイルは書きません）。"),
                .declare =
                    [](QCommandLineParser& p) {
                        DeclareLine(p);
                        p.addOption({{QStringLiteral("o"), kOutputOption}, QStringLiteral("書くファイル（名前はそのまま）。"),
                                     QStringLiteral("FILE")});
                    },
                .run = Receive};
    Job send{.words = {QStringLiteral("send")},
             .summary = QStringLiteral("ファイルの行をカードリーダに送ります。"),
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
    return {receive, send, card};
}

}  // namespace trevanto_app
