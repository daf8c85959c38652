// The apa jobs: structural checks of field books, with the observation codes fixed first
// when asked.

#include "apa/ApaCheck.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

const QString kFixCodes = QStringLiteral("fix-codes");

// Checks one file; its exit status.
int CheckFile(const QString& file, bool fix, JobContext& context) {
    if (fix) {
        QString reason;
        QList<apa::CodeChange> changes;
        if (!apa::FixObservationCodes(file, reason, &changes)) {
            context.err << file << QStringLiteral(": 観測コードを直せません: ") << reason
                        << Qt::endl;
            return kExitTrouble;
        }
        for (const apa::CodeChange& change : changes)
            context.out << file << ':' << change.line << QStringLiteral(": 観測コード ")
                        << change.from << QStringLiteral(" を ") << change.to
                        << QStringLiteral(" に直しました\n");
    }
    const QList<apa::ApaProblem> problems = apa::CheckApaFile(file);
    int status = kExitOk;
    for (const apa::ApaProblem& p : problems) {
        if (p.line == 0) {  // the file itself could not be read
            context.err << file << ": " << p.message << Qt::endl;
            return kExitTrouble;
        }
        context.out << file << ':' << p.line << ": " << p.message << '\n';
        status = kExitProblems;
    }
    if (problems.isEmpty()) context.out << file << ": ok\n";
    context.out.flush();
    return status;
}

int Check(const QCommandLineParser& parser, JobContext& context) {
    int status = kExitOk;
    for (const QString& file : parser.positionalArguments())
        status = std::max(status, CheckFile(file, parser.isSet(kFixCodes), context));
    return status;
}

}  // namespace

QList<Job> ApaJobs() {
    Job check{.words = {QStringLiteral("apa"), QStringLiteral("check")},
              .summary = QStringLiteral("APA 観測手簿の構造の問題を行番号つきで表示します。"),
              .description = QStringLiteral(
                  "順序の誤ったレコード、知らないレコード、数として読めない値、形の誤った番号、"
                  "視準と合わない観測コードを示し、見つかれば終了状態 1 です。\n"
                  "数のフィールド: C 1-6、D 3-4、F 3 と 5-8。空は問題なし、全体が数でないもの"
                  "（読み手は先頭の数か 0 と読む）は問題です。"),
              .argumentSyntax = QStringLiteral("FILE..."),
              .minArguments = 1,
              .maxArguments = -1,
              .declare =
                  [](QCommandLineParser& p) {
                      p.addOption(QCommandLineOption(
                          kFixCodes, QStringLiteral("先に観測コードを書き直します（その場で）。")));
                      p.addPositionalArgument(QStringLiteral("FILE"),
                                              QStringLiteral("調べる APA ファイル。"),
                                              QStringLiteral("FILE..."));
                  },
              .run = Check};
    return {check};
}

}  // namespace trevanto_app
