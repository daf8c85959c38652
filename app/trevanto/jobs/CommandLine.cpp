#include "trevanto/jobs/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "platform/DbError.h"
#include "platform/FileError.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

const QString kProgram = QStringLiteral("trevanto");
const QString kDatabaseOption = QStringLiteral("database");

QList<Job> AllJobs() {
    return CalcJobs() + ApaJobs() + ConvertJobs() + DistrictJobs() + NotebookJobs() + ReportJobs() +
           TraverseJobs() + CommJobs() + ExportJobs();
}

QCommandLineOption HelpOption() {
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("この説明を表示します。"));
}

// The parser's help without its own usage line, which names the program only.
QString HelpBody(const QCommandLineParser& parser) {
    const QString text = parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    return firstLineEnd < 0 ? QString() : text.mid(firstLineEnd + 1);
}

QString JobHead(const Job& job) {
    return (job.words.join(u' ') + u' ' + job.argumentSyntax).trimmed();
}

// The jobs and their summaries, in two columns.
QString JobList(const QList<Job>& jobs) {
    qsizetype width = 0;
    for (const Job& job : jobs) width = std::max(width, JobHead(job).size());
    QString text = QStringLiteral("ジョブ:\n");
    for (const Job& job : jobs)
        text += QStringLiteral("  ") + JobHead(job).leftJustified(width + 2) + job.summary + u'\n';
    return text;
}

QString TopHelp(const QCommandLineParser& parser) {
    return QStringLiteral("使い方: trevanto [--database FILE] [JOB [引数...]]\n\n") +
           QStringLiteral(
               "ジョブを付けずに起動すると、地区の上でメインメニューを開きます（画面が要ります）。"
               "\n"
               "地区は --database で別の計算データベースを指定しない限りデモ地区です。\n") +
           HelpBody(parser) + u'\n' + JobList(AllJobs()) +
           QStringLiteral(
               "\n各ジョブの説明: trevanto JOB --help\n"
               "終了状態: 0 問題なし、1 入力に問題が見つかった、2 使い方の誤り・読み書きできない"
               "ファイル・ジョブの失敗。\n"
               "ファイルは $TREVANTO_HOME（ないときは "
               "~/.local/share/Brandel/Trevanto）に置かれます。\n");
}

QString JobHelp(const Job& job, const QCommandLineParser& parser) {
    return QStringLiteral("使い方: trevanto ") + job.words.join(u' ') +
           QStringLiteral(" [オプション] ") + job.argumentSyntax + QStringLiteral("\n\n") +
           job.summary + u'\n' + (job.description.isEmpty() ? QString() : job.description + u'\n') +
           HelpBody(parser);
}

// The job whose words begin the arguments, the longest such; nullptr when none does.
const Job* FindJob(const QList<Job>& jobs, const QStringList& arguments) {
    const Job* found = nullptr;
    for (const Job& job : jobs) {
        if (job.words.size() > arguments.size()) continue;
        if (arguments.mid(0, job.words.size()) != job.words) continue;
        if (!found || job.words.size() > found->words.size()) found = &job;
    }
    return found;
}

QList<Job> JobsOfGroup(const QList<Job>& jobs, const QString& group) {
    QList<Job> members;
    for (const Job& job : jobs)
        if (job.words.constFirst() == group) members.append(job);
    return members;
}

// Usage errors: the message, and where to read more.
int Trouble(QTextStream& err, const QString& message, const QString& helpCommand) {
    err << kProgram << ": " << message << '\n'
        << QStringLiteral("詳しくは ") << helpCommand << QStringLiteral(" を見てください。")
        << Qt::endl;
    return kExitTrouble;
}

int RunJob(const Job& job, const QStringList& arguments, JobContext& context) {
    const QString helpCommand = kProgram + u' ' + job.words.join(u' ') + QStringLiteral(" --help");
    QCommandLineParser parser;
    parser.addOption(HelpOption());
    if (job.declare) job.declare(parser);
    if (!parser.parse(QStringList{kProgram} + arguments))
        return Trouble(context.err, parser.errorText(), helpCommand);
    if (parser.isSet(QStringLiteral("help"))) {
        context.out << JobHelp(job, parser) << Qt::flush;
        return kExitOk;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < job.minArguments)
        return Trouble(context.err, QStringLiteral("引数が足りません。"), helpCommand);
    if (job.maxArguments >= 0 && count > job.maxArguments)
        return Trouble(context.err,
                       QStringLiteral("余分な引数です: ") +
                           parser.positionalArguments().mid(job.maxArguments).join(u' '),
                       helpCommand);
    try {
        return job.run(parser, context);
    } catch (...) {
        context.err << kProgram << ": " << TroubleText(std::current_exception()) << Qt::endl;
    }
    return kExitTrouble;
}

// A group name without one of its jobs: its list under --help, else a usage error.
int RunGroup(const QList<Job>& members, const QStringList& arguments, QTextStream& out,
             QTextStream& err) {
    const QString group = arguments.constFirst();
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        out << QStringLiteral("使い方: trevanto ") << group << QStringLiteral(" 操作 [引数...]\n\n")
            << JobList(members) << Qt::flush;
        return kExitOk;
    }
    const QString message = arguments.size() == 1
                                ? group + QStringLiteral(": 操作を指定してください。")
                                : group + QStringLiteral(": 知らない操作です: ") + arguments[1];
    return Trouble(err, message, kProgram + u' ' + group + QStringLiteral(" --help"));
}

}  // namespace

QString OutputFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists()) throw JobError(QStringLiteral("出力フォルダーがありません: ") + folder);
    if (!info.isDir()) throw JobError(QStringLiteral("出力先はフォルダーではありません: ") + folder);
    return folder;
}

QString TroubleText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const JobError& e) {
        return e.Message();
    } catch (const platform::DbError& e) {
        return e.Description();
    } catch (const platform::FileError& e) {
        return e.Told();
    }
}

bool OpensMenu(const QStringList& arguments) {
    if (arguments.isEmpty()) return true;
    if (arguments.size() == 1)
        return arguments[0].startsWith(QStringLiteral("--database=")) &&
               arguments[0].size() > QStringLiteral("--database=").size();
    return arguments.size() == 2 && arguments[0] == QStringLiteral("--database") &&
           !arguments[1].isEmpty() && !arguments[1].startsWith(u'-');
}

bool PaintsReports(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("report"));
}

QString MenuDatabase(const QStringList& arguments) {
    if (arguments.size() == 2) return arguments[1];
    return arguments.value(0).mid(QStringLiteral("--database=").size());
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(HelpOption());
    parser.addOption(QCommandLineOption(kDatabaseOption,
                                        QStringLiteral("地区の計算データベース（SQLite）。"),
                                        QStringLiteral("FILE")));
    parser.addPositionalArgument(QStringLiteral("JOB"), QStringLiteral("下のジョブのひとつ。"),
                                 QStringLiteral("[JOB [引数...]]"));
    const QString topHelp = kProgram + QStringLiteral(" --help");
    if (!parser.parse(QStringList{kProgram} + arguments))
        return Trouble(err, parser.errorText(), topHelp);
    QStringList rest = parser.positionalArguments();
    // "trevanto --help calc" asks for the help of calc.
    if (!rest.isEmpty() && parser.isSet(QStringLiteral("help")))
        rest.append(QStringLiteral("--help"));
    if (rest.isEmpty()) {
        if (parser.isSet(QStringLiteral("help"))) {
            out << TopHelp(parser) << Qt::flush;
            return kExitOk;
        }
        return Trouble(err, QStringLiteral("ジョブを指定してください。"), topHelp);
    }

    const QList<Job> jobs = AllJobs();
    const Job* job = FindJob(jobs, rest);
    if (!job) {
        const QList<Job> members = JobsOfGroup(jobs, rest.constFirst());
        if (!members.isEmpty()) return RunGroup(members, rest, out, err);
        return Trouble(err, QStringLiteral("知らないジョブです: ") + rest.constFirst(), topHelp);
    }
    if (parser.isSet(kDatabaseOption) && parser.value(kDatabaseOption).isEmpty())
        return Trouble(err, QStringLiteral("--database にファイルを指定してください。"), topHelp);
    JobContext context{parser.value(kDatabaseOption), out, err};
    return RunJob(*job, rest.mid(job->words.size()), context);
}

}  // namespace trevanto_app
