// The folder operations of the registration dialog, on a demo district's calculation tree.

#include "calcstore/CalcDialogSettings.h"
#include "calcstore/CalcFolders.h"
#include "calcstore/CalcTreeFixture.h"
#include "platform/Blanks.h"
#include "platform/Settings.h"

using calcstore::CalcFolders;
using test::kKijunten;
using test::kReiwa8;
using test::kSaibu;

namespace {

class CalcFoldersTest : public test::CalcTreeFixture {
  protected:
    void SetUp() override {
        CalcTreeFixture::SetUp();
        folders_ = std::make_unique<CalcFolders>(path_, prompt_);
    }

    QStringList PathNames(const calcstore::FolderPath& path) {
        QStringList names;
        for (const auto& item : path.items) names << QString::number(item.depth) + item.name;
        return names;
    }

    std::unique_ptr<CalcFolders> folders_;
};

}  // namespace

TEST_F(CalcFoldersTest, NewFolderTakesTheFirstNameTheFolderDoesNotShow) {
    EXPECT_GT(folders_->CreateFolder(kSaibu), 0);
    AddFolder(u"新しいﾌｫﾙﾀﾞ(2)"_qs, kSaibu);
    AddFolder(u"新しいﾌｫﾙﾀﾞ(3)"_qs, kSaibu);
    Add(u"新しいﾌｫﾙﾀﾞ(3)"_qs, kSaibu + 1000);  // another folder's: not in the way
    Add(u"新しいﾌｫﾙﾀﾞ(4)"_qs, kSaibu);         // a calculation of that name is
    AddFolder(u"新しいﾌｫﾙﾀﾞ(5)"_qs, kSaibu);
    platform::Database::Open(path_)->Execute(
        u"UPDATE CALC SET DelFlg = 0 WHERE Name = '新しいﾌｫﾙﾀﾞ(5)'"_qs);  // deleted: free again

    const qint32 id = folders_->CreateFolder(kSaibu);
    ASSERT_GT(id, 0);
    EXPECT_EQ(NameOf(id), u"新しいﾌｫﾙﾀﾞ(5)");
    EXPECT_TRUE(TakeMessages().isEmpty());

    // The first and second names of an empty folder: the suffix (1) is never used.
    EXPECT_EQ(NameOf(folders_->CreateFolder(kReiwa8)), u"新しいﾌｫﾙﾀﾞ");
    EXPECT_EQ(NameOf(folders_->CreateFolder(kReiwa8)), u"新しいﾌｫﾙﾀﾞ(2)");
    EXPECT_EQ(NameOf(folders_->CreateFolder(kReiwa8)), u"新しいﾌｫﾙﾀﾞ(3)");
    const auto made = folders_->Entries(kReiwa8);
    ASSERT_EQ(made.size(), 3u);
    EXPECT_TRUE(made.back().isFolder);
}

TEST_F(CalcFoldersTest, NewFolderFailsWhenAllHundredNamesAreTaken) {
    QStringList taken{u"新しいﾌｫﾙﾀﾞ"_qs};
    for (int n = 2; n <= 100; ++n) taken << u"新しいﾌｫﾙﾀﾞ("_qs + QString::number(n) + u')';
    EXPECT_EQ(calcstore::FreeFolderName(taken), std::nullopt);
    taken.removeAt(57);
    EXPECT_EQ(calcstore::FreeFolderName(taken), u"新しいﾌｫﾙﾀﾞ(58)"_qs);
    taken.append(u"新しいﾌｫﾙﾀﾞ(58)"_qs);

    for (const QString& name : taken) AddFolder(name, kReiwa8);
    EXPECT_EQ(folders_->CreateFolder(kReiwa8), 0);
    EXPECT_EQ(TakeMessages().size(), 1);
    EXPECT_EQ(folders_->Entries(kReiwa8).size(), 100u);
}

// Each case renames 令和8年度 (or another folder) from the name the case before left.
TEST_F(CalcFoldersTest, RenameChecksTheNameAmongThePresentEntries) {
    Add(u"閉合トラバー"_qs, kKijunten);
    Add(u"削除された名前"_qs, kKijunten, 256, 0);
    AddFolder(u"別の階層"_qs, kSaibu);
    const struct {
        qint32 folder;
        const char16_t* typed;
        const char16_t* stored;   // nullptr: the old name stays
        const char16_t* message;  // nullptr: none
    } cases[] = {
        {kReiwa8, u"   ", nullptr, u"空白の名称は、設定できません。"},
        {kReiwa8, u" ゴミ箱 ", nullptr, u"名称を 'ゴミ箱' にする事はできません。"},
        {kReiwa8, u"閉合トラバー", nullptr, u"同一名称が既に存在します。"},  // a calculation
        {kKijunten, u"細部測量", nullptr, u"同一名称が既に存在します。"},    // a folder beside
        {999, u"どこにもない", nullptr, u"名前を変更するﾌｧｲﾙが見つかりません。"},
        {kReiwa8, u"削除された名前", u"削除された名前", nullptr},
        {kReiwa8, u"別の階層", u"別の階層", nullptr},  // the same name in another folder
        {kReiwa8, u"O'Brien \"二重\"", u"O'Brien \"二重\"", nullptr},
        {kReiwa8, u"x' OR '1'='1", u"x' OR '1'='1", nullptr},
        {kReiwa8, u"  　全角空白は残る　  ", u"　全角空白は残る　", nullptr},
        {kReiwa8, u" 　全角空白は残る　", nullptr, nullptr},  // unchanged: nothing written
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        const QString before = NameOf(c.folder);
        const std::optional<QString> stored = folders_->RenameFolder(c.folder, typed);
        EXPECT_EQ(TakeMessages(),
                  c.message ? QStringList{QString::fromUtf16(c.message)} : QStringList())
            << typed.toStdString();
        if (c.stored) {
            EXPECT_EQ(stored, QString::fromUtf16(c.stored)) << typed.toStdString();
            EXPECT_EQ(NameOf(c.folder), QString::fromUtf16(c.stored));
        } else {
            EXPECT_EQ(stored, std::nullopt) << typed.toStdString();
            EXPECT_EQ(NameOf(c.folder), before);
        }
    }
    EXPECT_EQ(NameOf(kKijunten), u"基準点測量");
    EXPECT_EQ(platform::Workspace::Default().TransactionDepth(), 0);
}

// The write fails after the row was read: the message says so, and the transaction leaves
// nothing behind and holds no lock.
TEST_F(CalcFoldersTest, FailedWriteRollsBackTheRename) {
    platform::Database::Open(path_)->Execute(
        u"CREATE TRIGGER NoSuchName BEFORE UPDATE ON CALC WHEN NEW.Name = '拒否' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    EXPECT_EQ(folders_->RenameFolder(kReiwa8, u"拒否"_qs), std::nullopt);
    const auto records = prompt_.Records();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].icon, platform::PromptIcon::Critical);  // the database's own reason
    EXPECT_EQ(records[1].text, u"名前を変更することができません。");
    EXPECT_EQ(NameOf(kReiwa8), u"令和8年度");
    prompt_.ClearRecords();
    // Nothing is left locked: another writer and the next rename go through.
    platform::Database::Open(path_)->Execute(u"UPDATE CALC SET Mode = 1 WHERE ID = 1"_qs);
    EXPECT_EQ(folders_->RenameFolder(kReiwa8, u"令和9年度"_qs), u"令和9年度"_qs);
    EXPECT_EQ(NameOf(kReiwa8), u"令和9年度");
}

TEST_F(CalcFoldersTest, ConfirmedNameMustBeFreeAmongThePresentEntries) {
    Add(u"開放トラバー"_qs, kKijunten);
    Add(u"放射トラバー"_qs, kKijunten, 256, 0);  // deleted
    Add(u"閉合トラバー"_qs, kSaibu);             // in another folder
    const struct {
        const char16_t* typed;
        const char16_t* message;  // empty: accepted
    } cases[] = {
        {u"  ", u"登録名称を入力してください。"},
        {u"ゴミ箱", u"名称を 'ゴミ箱' にする事はできません。"},
        {u"開放トラバー ", u"同一名称が存在します。 名称を変更してください。"},
        {u"令和8年度", u"同一名称が存在します。 名称を変更してください。"},
        {u"放射トラバー", u""},
        {u"閉合トラバー", u""},
        {u" \"引用\"の'名前' ", u""},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        const bool accepted = c.message[0] == 0;
        EXPECT_EQ(folders_->ConfirmEntryName(kKijunten, typed),
                  accepted ? std::optional(platform::TrimBlanks(typed)) : std::nullopt)
            << typed.toStdString();
        EXPECT_EQ(TakeMessages(), accepted ? QStringList() : QStringList{QString::fromUtf16(c.message)})
            << typed.toStdString();
    }
}

TEST_F(CalcFoldersTest, PathOpensTheChainBelowItsTopLevelFolder) {
    const qint32 deep = AddFolder(u"第1工区"_qs, kReiwa8);
    const calcstore::FolderPath path = folders_->PathTo(deep);
    EXPECT_EQ(path.folderId, deep);
    EXPECT_EQ(PathNames(path),
              QStringList({u"1基準点測量"_qs, u"2令和8年度"_qs, u"3第1工区"_qs, u"1細部測量"_qs}));
    EXPECT_EQ(PathNames(folders_->PathTo(calcstore::kRootFolder)),
              QStringList({u"1基準点測量"_qs, u"1細部測量"_qs}));
    EXPECT_EQ(folders_->ParentOf(deep), kReiwa8);
    EXPECT_EQ(folders_->ParentOf(kKijunten), calcstore::kRootFolder);
    EXPECT_EQ(folders_->ParentOf(calcstore::kRootFolder), std::nullopt);
}

// Whatever went wrong above a folder, the path is the root's and nothing hangs.
TEST_F(CalcFoldersTest, BrokenChainFallsBackToTheRoot) {
    const qint32 orphan = AddFolder(u"親なし"_qs, 999);
    const qint32 underDeleted = AddFolder(u"下"_qs, AddFolder(u"削除"_qs, 0));
    platform::Database::Open(path_)->Execute(u"UPDATE CALC SET DelFlg = 1 WHERE Name = '削除'"_qs);
    const qint32 loopA = AddFolder(u"輪A"_qs, 0);
    const qint32 loopB = AddFolder(u"輪B"_qs, loopA);
    platform::Database::Open(path_)->Execute(u"UPDATE CALC SET ParentID = ? WHERE ID = ?"_qs,
                                             {loopB, loopA});
    const qint32 underCalculation = AddFolder(u"計算の下"_qs, Add(u"計算"_qs, 0));
    for (const qint32 id : {orphan, underDeleted, loopB, underCalculation, qint32{4711}}) {
        EXPECT_EQ(folders_->Chain(id), std::nullopt) << id;
        const calcstore::FolderPath path = folders_->PathTo(id);
        EXPECT_EQ(path.folderId, calcstore::kRootFolder) << id;
        EXPECT_EQ(PathNames(path), QStringList({u"1基準点測量"_qs, u"1細部測量"_qs}));
    }
}

// The per-district keys hold the district's name as it is, whatever it contains.
TEST(CalcDialogSettings, EachDistrictKeepsItsOwnPlace) {
    platform::SettingsStore store(test::NewFolder(u"calcdialog"_qs) + u"/Brandel.ini"_qs);
    const QString districts[] = {u"デモ地区"_qs,       u"A\\B"_qs,     u"上/下"_qs,
                                 u"x=1; \"y\" 'z'"_qs, u"%41 100%"_qs, u"デモ地区2"_qs};
    const auto placeOf = [](int n) {
        return calcstore::CalcDialogPlace{n + 1,
                                          n % 2 ? calcstore::kDetailStyle : calcstore::kListStyle};
    };
    for (int n = 0; n < std::ssize(districts); ++n)
        calcstore::SaveCalcDialogPlace(store, districts[n], placeOf(n));
    platform::SettingsStore reread(store.Path());
    for (int n = 0; n < std::ssize(districts); ++n) {
        const calcstore::CalcDialogPlace place =
            calcstore::ReadCalcDialogPlace(reread, districts[n]);
        EXPECT_EQ(place.folderId, placeOf(n).folderId) << districts[n].toStdString();
        EXPECT_EQ(place.viewStyle, placeOf(n).viewStyle) << districts[n].toStdString();
    }
    EXPECT_EQ(reread.Peek(u"Survey\\Settings"_qs, u"CalcDialog\\デモ地区POS"_qs), u"1");

    // Nothing stored, or something that is no number: the root and the list look.
    const calcstore::CalcDialogPlace fresh = calcstore::ReadCalcDialogPlace(reread, u"新地区"_qs);
    EXPECT_EQ(fresh.folderId, 0);
    EXPECT_EQ(fresh.viewStyle, calcstore::kListStyle);
    reread.Save(u"Survey\\Settings"_qs, u"CalcDialog\\新地区POS"_qs, u"abc"_qs);
    reread.Save(u"Survey\\Settings"_qs, u"CalcDialog\\新地区VIEW"_qs, u"0"_qs);
    EXPECT_EQ(calcstore::ReadCalcDialogPlace(reread, u"新地区"_qs).folderId, 0);
    EXPECT_EQ(calcstore::ReadCalcDialogPlace(reread, u"新地区"_qs).viewStyle,
              calcstore::kListStyle);
}
