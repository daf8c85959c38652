// The calc jobs: the district's calculation tree, one stored calculation, and a sample
// calculation handed to the host the way traverse creation hands one.

#include "host/KobelinDlg.h"
#include "host/state/ProcessValues.h"
#include "trevanto/CalcReport.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"
#include "trevanto/SampleTraverse.h"
#include "trevanto/jobs/Job.h"

namespace trevanto_app {
namespace {

// A calculation or folder ID typed on the command line.
qint32 IdArgument(const QString& text) {
    bool ok = false;
    const qint32 id = text.toInt(&ok);
    if (!ok || id < 0) throw JobError(QStringLiteral("ID ではありません: ") + text);
    return id;
}

int List(const QCommandLineParser&, JobContext& context) {
    context.out << trevanto_host::CalcTreeText(DistrictDatabase(context)) << Qt::flush;
    return kExitOk;
}

int Show(const QCommandLineParser& parser, JobContext& context) {
    const qint32 id = IdArgument(parser.positionalArguments().constFirst());
    context.out << trevanto_host::CalcText(DistrictDatabase(context), id) << Qt::flush;
    return kExitOk;
}

// Fills the hand-off object and saves it: the host stores it while SaveStart runs.
int SaveSample(const QCommandLineParser& parser, JobContext& context) {
    const QStringList arguments = parser.positionalArguments();
    const qint32 folder = arguments.isEmpty() ? 1 : IdArgument(arguments.constFirst());
    const QString database = DistrictDatabase(context);
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    host.Dialog().SetDataBaseName(database);
    host.Dialog().SetNumbers();
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    trevanto_host::FillSampleTraverse(handOff, database, folder);
    bool saveOk = false;
    const bool saved = handOff.Save(saveOk);
    handOff.Clear();
    host.Dialog().ProgramTerm();
    if (!saved)
        throw JobError(QStringLiteral("ホストが計算を登録しませんでした: ") + host.LastError());
    context.out << trevanto_host::CalcText(database, host.LastStoredCalc()) << Qt::flush;
    return kExitOk;
}

}  // namespace

QList<Job> CalcJobs() {
    Job list{.words = {QStringLiteral("calc"), QStringLiteral("list")},
             .summary =
                 QStringLiteral("地区の計算の木（フォルダーと計算、それぞれの ID）を表示します。"),
             .run = List};
    Job show{.words = {QStringLiteral("calc"), QStringLiteral("show")},
             .summary = QStringLiteral("登録された計算をひとつ表示します：点、パラメータ、要素。"),
             .argumentSyntax = QStringLiteral("ID"),
             .minArguments = 1,
             .maxArguments = 1,
             .declare =
                 [](QCommandLineParser& p) {
                     p.addPositionalArgument(QStringLiteral("ID"), QStringLiteral("計算の ID。"));
                 },
             .run = Show};
    Job sample{
        .words = {QStringLiteral("calc"), QStringLiteral("save-sample")},
        .summary =
            QStringLiteral("見本の閉合トラバースをホストに渡し、登録された内容を表示します。"),
        .description = QStringLiteral(
            "トラバース入力の作成と同じく SaveStart で渡します。ホストが登録しなかったとき"
            "（フォルダーがないときなど）は終了状態 2 です。"),
        .argumentSyntax = QStringLiteral("[FOLDER]"),
        .maxArguments = 1,
        .declare =
            [](QCommandLineParser& p) {
                p.addPositionalArgument(QStringLiteral("FOLDER"),
                                        QStringLiteral("登録先のフォルダーの ID（既定 1）。"),
                                        QStringLiteral("[FOLDER]"));
            },
        .run = SaveSample};
    return {list, show, sample};
}

}  // namespace trevanto_app
