// The traverse job: a field book's observations handed to the host as a traverse
// calculation, as the print form's traverse button does, without a person to ask.

#include <QFileInfo>
#include <QTemporaryDir>

#include "calcstore/CalcTypes.h"
#include "calcstore/Calcurate.h"
#include "calcstore/clsConvert2.h"
#include "host/state/ProcessValues.h"
#include "notebook/NotebookDatabase.h"
#include "calcstore/CalcFolders.h"
#include "platform/Database.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Recordset.h"
#include "traverse/CalculationKinds.h"
#include "traverse/DistrictPoints.h"
#include "traverse/TraverseRegistration.h"
#include "trevanto/DemoDistrict.h"
#include "trevanto/DemoHost.h"
#include "trevanto/jobs/NotebookRun.h"
#include "trevanto/jobs/RowList.h"

namespace trevanto_app {
namespace {

const QString kTypeOption = QStringLiteral("type");
const QString kRowsOption = QStringLiteral("rows");
const QString kOptionsOption = QStringLiteral("options");
const QString kNameOption = QStringLiteral("name");
const QString kFolderOption = QStringLiteral("folder");
const QString kListOption = QStringLiteral("list");

// Answers the registration dialog with the name and folder of the command line.
class FixedChooser : public calcstore::CalcNameChooser {
  public:
    FixedChooser(QString name, qint32 folder) : name_(std::move(name)), folder_(folder) {}
    std::optional<calcstore::CalcEntryChoice> Choose(const QString&, qint32,
                                                     const calcstore::RegionRefresh&) override {
        return calcstore::CalcEntryChoice{name_, folder_};
    }

  private:
    QString name_;
    qint32 folder_;
};

traverse::TraverseOptions Options(const QCommandLineParser& parser) {
    if (!parser.isSet(kTypeOption) && !parser.isSet(kOptionsOption))
        throw JobError(QStringLiteral("--type で計算の種類（1〜6）を指定してください。"));
    traverse::TraverseOptions options = traverse::ParseTraverseOptions(
        parser.isSet(kOptionsOption) ? parser.value(kOptionsOption) : traverse::kDefaultOptionsText);
    if (parser.isSet(kOptionsOption) && traverse::TraverseOptionsText(options) != parser.value(kOptionsOption))
        throw JobError(QStringLiteral("--options は TRAV と 4 桁の選択番号です: ") + parser.value(kOptionsOption));
    if (parser.isSet(kTypeOption)) {
        bool ok = false;
        options.type = parser.value(kTypeOption).toInt(&ok);
        if (!ok || !traverse::KindOfDigit(options.type))
            throw JobError(QStringLiteral("--type は 1 から 6 です: ") + parser.value(kTypeOption));
    }
    return options;
}

// The folder must be the root (0) or a present folder of the district's tree.
qint32 Folder(const QCommandLineParser& parser, const QString& database) {
    if (!parser.isSet(kFolderOption)) return 0;
    bool ok = false;
    const qint32 folder = parser.value(kFolderOption).toInt(&ok);
    if (!ok || folder < 0) throw JobError(QStringLiteral("フォルダーの ID ではありません: ") + parser.value(kFolderOption));
    if (folder == 0) return 0;
    auto rs = platform::Database::Open(database)->OpenRecordset(
        QStringLiteral("SELECT Attributes FROM CALC WHERE ID = ? AND DelFlg = ?"), {folder, calcstore::kDelFlgPresent});
    const QString id = QString::number(folder);
    if (rs->Eof()) throw JobError(QStringLiteral("フォルダー ") + id + QStringLiteral(" はありません。"));
    if (rs->Field(QStringLiteral("Attributes")).toInt() != calcstore::kAttrFolder)
        throw JobError(QStringLiteral("ID ") + id + QStringLiteral(" は計算です。フォルダーではありません。"));
    return folder;
}

// The name the registration dialog would accept in the folder: not blank, not the recycle
// bin, no present entry of the folder under it.
QString EntryName(const QCommandLineParser& parser, const traverse::TraverseOptions& options,
                  const QString& database, qint32 folder) {
    const QString typed = parser.isSet(kNameOption)
                              ? parser.value(kNameOption)
                              : calcstore::CalcTypeDefaultName(traverse::KindOfDigit(options.type)->calcNo);
    platform::ScriptedPrompt told;
    told.AnswerMessage(platform::PromptAnswer::Ok);
    const std::optional<QString> name = calcstore::CalcFolders(database, told).ConfirmEntryName(folder, typed);
    if (!name) throw JobError(told.Records().isEmpty() ? typed : told.Records().constLast().text);
    return *name;
}

// Grid row numbers from 1, as the form's No column shows them, into row indices.
std::vector<int> CheckedRows(const QCommandLineParser& parser, int rowCount) {
    std::vector<int> checked;
    if (!parser.isSet(kRowsOption)) {
        for (int i = 0; i < rowCount; ++i) checked.push_back(i);
        return checked;
    }
    const std::optional<QList<int>> numbers = ParseRowList(parser.value(kRowsOption), rowCount);
    if (!numbers)
        throw JobError(QStringLiteral("--rows は 1 から ") + QString::number(rowCount) +
                       QStringLiteral(" までの行番号と範囲（2-5）をコンマで区切ります: ") + parser.value(kRowsOption));
    for (int number : *numbers) checked.push_back(number - 1);
    return checked;
}

int RefuseSelection(traverse::SelectionFault fault, JobContext& context) {
    context.err << QStringLiteral("trevanto: ")
                << (fault == traverse::SelectionFault::TooFewRows ? traverse::kTooFewRows : traverse::kBlankName)
                << Qt::endl;
    return kExitProblems;
}

// The rows as the form's grid shows them, for choosing --rows.
int ListRows(const std::vector<traverse::TraverseRow>& rows, JobContext& context) {
    context.out << QStringLiteral("  No  観測点  視準点  観測距離  補正") << '\n';
    for (size_t i = 0; i < rows.size(); ++i) {
        const traverse::TraverseRow& r = rows[i];
        context.out << QString::number(i + 1).rightJustified(4) << QStringLiteral("  ") << r.station
                    << QStringLiteral("  ") << r.target << QStringLiteral("  ") << r.distance
                    << (r.corrected ? QStringLiteral("  有り") : QString()) << '\n';
    }
    context.out.flush();
    return kExitOk;
}

// The grid rows of the field book, reduced in a folder of the job's own so that the work
// folder's notebook stays as it is.
std::vector<traverse::TraverseRow> ReducedRows(const QString& file, JobContext& context,
                                               notebook::NotebookSummary& summary) {
    QTemporaryDir work;
    if (!work.isValid()) throw JobError(QStringLiteral("作業フォルダーを作れません: ") + work.errorString());
    summary = ReduceForJob(file, work.path(), context);
    return traverse::TraverseRows(notebook::ReadTraverseSource(work.filePath(notebook::kNotebookFileName)));
}

// Hands the checked rows to the demo host as one calculation of the district.
int Register(const std::vector<traverse::TraverseRow>& rows, const std::vector<int>& checked,
             const traverse::TraverseOptions& options, const QString& database, const calcstore::CalcEntryChoice& entry,
             const QString& source, JobContext& context) {
    trevanto_host::DemoHost host(database, trevanto_host::kDemoRegID, trevanto_host::kDemoRegName);
    host.Dialog().SetDataBaseName(database);
    host.Dialog().SetNumbers();
    calcstore::clsConvert2& handOff = *host::Process().HandOff;
    handOff.SetCalcNameChooser(std::make_unique<FixedChooser>(entry.name, entry.folderId));
    auto district = platform::Database::Open(database);
    const auto resolve = traverse::UniqueDistrictPoints(*district, [&](const QString& point, int count) {
        context.err << point << QStringLiteral(" は、複数点あります（") << count
                    << QStringLiteral(" 点）。新点として渡します。") << Qt::endl;
    });
    const traverse::Registration result = traverse::RegisterTraverse(rows, checked, options, resolve, source, handOff);
    host.Dialog().ProgramTerm();
    if (result != traverse::Registration::Saved)
        throw JobError(traverse::kSaveError + QStringLiteral(": ") + host.LastError());
    context.out << QStringLiteral("計算 ") << host.LastStoredCalc() << QStringLiteral(": ") << host.LastStoredName()
                << Qt::endl;
    return kExitOk;
}

int Traverse(const QCommandLineParser& parser, JobContext& context) {
    const QString file = parser.positionalArguments().constFirst();
    if (parser.isSet(kListOption)) {
        notebook::NotebookSummary summary;
        return ListRows(ReducedRows(file, context, summary), context);
    }
    const traverse::TraverseOptions options = Options(parser);
    const QString database = DistrictDatabase(context);
    const qint32 folder = Folder(parser, database);
    const QString name = EntryName(parser, options, database, folder);
    notebook::NotebookSummary summary;
    const std::vector<traverse::TraverseRow> rows = ReducedRows(file, context, summary);
    // What the reduction could not form is handed as not given; the surveyor is told why.
    for (const QString& problem : summary.problems) context.err << file << QStringLiteral(": ") << problem << '\n';
    context.err.flush();
    const std::vector<int> checked = CheckedRows(parser, static_cast<int>(rows.size()));
    if (const auto fault = traverse::CheckSelection(rows, checked); fault != traverse::SelectionFault::None)
        return RefuseSelection(fault, context);
    return Register(rows, checked, options, database, {name, folder}, QFileInfo(file).fileName(), context);
}

void Declare(QCommandLineParser& parser) {
    parser.addOptions({
        {kTypeOption,
         QStringLiteral("計算の種類: 1 放射、2 開放、3 結合、4 閉合、5 厳密水平網、6 厳密高低網。"
                        "--options の種類の桁より優先します。"),
         QStringLiteral("N")},
        {kRowsOption,
         QStringLiteral("チェックする行: 表の No（1 から）をコンマで区切り、2-5 のような範囲も可。既定は全行。"),
         QStringLiteral("LIST")},
        {kOptionsOption,
         QStringLiteral("条件 TRAVdddd: 後視点方向の強制０セット、種類、計算標高の登録、視準点の既存座標上書き"
                        "（各桁 1 が最初の選択: する）。既定 TRAV1121。"),
         QStringLiteral("TRAVdddd")},
        {kNameOption, QStringLiteral("計算の名称。既定は種類の名称です。"), QStringLiteral("TEXT")},
        {kFolderOption, QStringLiteral("登録するフォルダーの ID。既定は地区の最上位（0）。"), QStringLiteral("ID")},
        {kListOption, QStringLiteral("表の行（No、観測点、視準点、観測距離、補正）を表示するだけで、登録しません。")},
    });
    parser.addPositionalArgument(QStringLiteral("FILE.APA"), QStringLiteral("APA 観測手簿ファイル。"),
                                 QStringLiteral("FILE.APA"));
}

}  // namespace

QList<Job> TraverseJobs() {
    Job job{
        .words = {QStringLiteral("traverse")},
        .summary = QStringLiteral("APA 観測手簿からトラバース計算の入力を作り、ホストに登録させます。"),
        .description = QStringLiteral(
            "観測手簿を整約し、視準の行（表の No）をチェックして、計算をホスト（デモホスト）に渡します。"
            "点名は --database の地区（既定はデモ地区）の点に引き当てます。同じ名の点が複数あるときは"
            "標準エラーに表示して新点として渡します。整約できなかった値は未指定（9999999）で渡し、"
            "その理由を標準エラーに表示します。登録した計算の ID と名称を表示します。--list で表の行を"
            "見てから --rows を選べます。名称は登録名称の設定と同じく確かめます（空白、ゴミ箱、"
            "フォルダーにある名称は不可）。\n"
            "終了状態: 0 登録した、1 チェックした行が 3 行未満か点名が空白（何も登録しない）、2 使い方の"
            "誤り、フォルダーがない、名称が使えない、ファイルが読めない、登録できない。"),
        .argumentSyntax = QStringLiteral("FILE.APA"),
        .minArguments = 1,
        .maxArguments = 1,
        .declare = Declare,
        .run = Traverse};
    return {job};
}

}  // namespace trevanto_app
