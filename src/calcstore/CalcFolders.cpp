#include "calcstore/CalcFolders.h"

#include <QSet>
#include <algorithm>

#include "calcstore/CalcMessages.h"
#include "platform/Blanks.h"
#include "platform/DbError.h"
#include "platform/Prompt.h"
#include "platform/Recordset.h"

namespace calcstore {
namespace {

constexpr int kNewFolderNames = 100;
const QString kConfirmTitle = QStringLiteral("確認");
const QString kRecycleBinRefused = QStringLiteral("名称を 'ゴミ箱' にする事はできません。");

const QString kPresentOfKind =
    QStringLiteral("SELECT * FROM CALC WHERE PARENTID = ? AND ATTRIBUTES = ? AND DELFLG = ?");
// Another present entry of the folder, folder or calculation alike, that has the name.
const QString kSameName =
    QStringLiteral("SELECT * FROM CALC WHERE NAME = ? AND PARENTID = ? AND ID <> ? AND DELFLG = ?");

}  // namespace

std::optional<QString> FreeFolderName(const QStringList& taken) {
    for (int n = 1; n <= kNewFolderNames; ++n) {
        const QString name =
            n == 1 ? kNewFolderName : kNewFolderName + u'(' + QString::number(n) + u')';
        if (!taken.contains(name)) return name;
    }
    return std::nullopt;
}

CalcFolders::CalcFolders(const QString& databasePath, platform::Prompt& prompt)
    : prompt_(prompt), db_(prompt) {
    db_.SetDataBaseName(databasePath);
}

std::vector<CalcEntry> CalcFolders::Entries(qint32 folderId) {
    std::vector<CalcEntry> entries;
    for (const qint32 kind : {kAttrFolder, kAttrCalculation}) {
        auto rs = db_.OpenRecordSet(kPresentOfKind, {folderId, kind, kDelFlgPresent});
        for (; !rs->Eof(); rs->MoveNext())
            entries.push_back({rs->Field(QStringLiteral("ID")).toInt(),
                               rs->Field(QStringLiteral("Name")).toString(), kind == kAttrFolder});
    }
    return entries;
}

// The row of the id; GetCalc leaves a record with id 0 untouched when there is none.
std::optional<Calcurate> CalcFolders::Row(qint32 id) {
    Calcurate record;
    if (!db_.GetCalc(id, record))
        throw platform::DbError(QStringLiteral("計算データベースを読めません。"));
    if (record.ID() == 0) return std::nullopt;
    return record;
}

std::optional<std::vector<FolderPathItem>> CalcFolders::Chain(qint32 folderId) {
    std::vector<FolderPathItem> chain;
    QSet<qint32> seen;
    for (qint32 id = folderId; id != kRootFolder;) {
        const std::optional<Calcurate> row = Row(id);
        if (!row || row->Attributes() != kAttrFolder || row->DelFlg() != kDelFlgPresent ||
            seen.contains(id))
            return std::nullopt;
        seen.insert(id);
        chain.insert(chain.begin(), FolderPathItem{id, row->Name(), 0});
        id = row->ParentID();
    }
    for (size_t i = 0; i < chain.size(); ++i) chain[i].depth = static_cast<int>(i) + 1;
    return chain;
}

FolderPath CalcFolders::PathTo(qint32 folderId) {
    FolderPath path;
    for (const CalcEntry& top : Entries(kRootFolder))
        if (top.isFolder) path.items.push_back({top.id, top.name, 1});
    if (folderId <= kRootFolder) return path;
    const auto chain = Chain(folderId);
    if (!chain) return path;
    // Each folder of the chain goes in after its parent, the first after its top-level self.
    auto at = std::find_if(path.items.begin(), path.items.end(), [&](const FolderPathItem& item) {
        return item.id == chain->front().id;
    });
    if (at == path.items.end()) return path;
    path.items.insert(at + 1, chain->begin() + 1, chain->end());
    path.folderId = folderId;
    return path;
}

std::optional<qint32> CalcFolders::ParentOf(qint32 folderId) {
    const std::optional<Calcurate> row = Row(folderId);
    if (!row) return std::nullopt;
    return row->ParentID();
}

qint32 CalcFolders::CreateFolder(qint32 parentId) {
    QStringList taken;
    try {
        for (const CalcEntry& entry : Entries(parentId)) taken << entry.name;
    } catch (const platform::DbError& e) {
        ShowCalcError(prompt_, e.Description());
        taken.clear();
    }
    const std::optional<QString> name = FreeFolderName(taken);
    qint32 id = 0;
    if (name) {
        Calcurate folder;
        folder.SetAttributes(kAttrFolder);
        folder.SetParentID(parentId);
        folder.SetName(*name);
        id = db_.SetCalc(folder);
    }
    if (id == 0) ShowCalcError(prompt_, QStringLiteral("ﾌｫﾙﾀﾞの作成に失敗しました。"));
    return id;
}

bool CalcFolders::NameAllowed(const QString& name) {
    if (name.isEmpty()) {
        ShowCalcError(prompt_, QStringLiteral("空白の名称は、設定できません。"));
        return false;
    }
    if (name == kRecycleBinName) {
        ShowCalcError(prompt_, kRecycleBinRefused);
        return false;
    }
    return true;
}

bool CalcFolders::NameTaken(const QString& name, qint32 folderId, qint32 exceptId) {
    return !db_.OpenRecordSet(kSameName, {name, folderId, exceptId, kDelFlgPresent})->Eof();
}

std::optional<QString> CalcFolders::RenameFolder(qint32 folderId, const QString& typed) {
    const QString name = platform::TrimBlanks(typed);
    if (!NameAllowed(name)) return std::nullopt;
    db_.SetWorkSpace();
    try {
        db_.StartTrans();
        const Renamed outcome = StoreFolderName(folderId, name);
        if (outcome == Renamed::Stored) {
            db_.CommitTrans();
            db_.UnSetWorkSpace();
            return name;
        }
        AbandonRename();
        if (outcome == Renamed::Missing)
            ShowCalcError(prompt_, QStringLiteral("名前を変更するﾌｧｲﾙが見つかりません。"));
        else if (outcome == Renamed::Taken)
            ShowCalcError(prompt_, QStringLiteral("同一名称が既に存在します。"));
        else if (outcome == Renamed::WriteFailed)
            ShowCalcError(prompt_, QStringLiteral("名前を変更することができません。"));
        return std::nullopt;
    } catch (const platform::DbError& e) {
        AbandonRename();
        ShowCalcError(prompt_, e.Description());
        return std::nullopt;
    }
}

// The steps inside the rename's transaction, which the caller commits or rolls back.
CalcFolders::Renamed CalcFolders::StoreFolderName(qint32 folderId, const QString& name) {
    std::optional<Calcurate> row = Row(folderId);
    if (!row) return Renamed::Missing;
    if (row->Name() == name) return Renamed::Unchanged;
    if (NameTaken(name, row->ParentID(), folderId)) return Renamed::Taken;
    row->SetName(name);
    return db_.SetCalc(*row, folderId) >= 1 ? Renamed::Stored : Renamed::WriteFailed;
}

// The transaction goes back and the workspace with it; a roll back that fails too leaves
// nothing written, since the workspace's connection closes uncommitted.
void CalcFolders::AbandonRename() noexcept {
    try {
        db_.RollBackTrans();
    } catch (const platform::DbError&) {
    }
    db_.UnSetWorkSpace();
}

std::optional<QString> CalcFolders::ConfirmEntryName(qint32 folderId, const QString& typed) {
    const QString name = platform::TrimBlanks(typed);
    if (name.isEmpty()) {
        prompt_.Show(QStringLiteral("登録名称を入力してください。"), kConfirmTitle,
                     platform::PromptIcon::Exclamation);
        return std::nullopt;
    }
    if (name == kRecycleBinName) {
        ShowCalcError(prompt_, kRecycleBinRefused);
        return std::nullopt;
    }
    try {
        // No row has id 0, so every present entry of the folder counts.
        if (NameTaken(name, folderId, 0)) {
            prompt_.Show(QStringLiteral("同一名称が存在します。 名称を変更してください。"),
                         kConfirmTitle, platform::PromptIcon::Exclamation);
            return std::nullopt;
        }
    } catch (const platform::DbError& e) {
        ShowCalcError(prompt_, e.Description());
        return std::nullopt;
    }
    return name;
}

}  // namespace calcstore
