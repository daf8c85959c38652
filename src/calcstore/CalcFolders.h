#pragma once
// The folders of a district's calculation tree as the registration dialog browses them:
// listing, the path from the root, creating folders and giving them new names, and the
// check of the name a new calculation entry is to be registered under.
//
// Only present entries (DelFlg 2) are listed or count as taken names. Folder 0 is the
// district root, which has no row of its own. Messages go to the prompt given at
// construction; reads that fail throw platform::DbError.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "calcstore/SurveyDB.h"

namespace platform {
class Prompt;
}

namespace calcstore {

inline constexpr qint32 kRootFolder = 0;

// The names the tree reserves: the recycle bin, and the first free name of a new folder.
inline const QString kRecycleBinName = QStringLiteral("ゴミ箱");
inline const QString kNewFolderName = QStringLiteral("新しいﾌｫﾙﾀﾞ");

// One present entry of a folder.
struct CalcEntry {
    qint32 id = 0;
    QString name;
    bool isFolder = false;
};

// A folder of the path combo; depth 1 is directly under the root.
struct FolderPathItem {
    qint32 id = 0;
    QString name;
    int depth = 1;
};

// What the path combo shows below the root for a folder.
struct FolderPath {
    qint32 folderId = kRootFolder;      // the folder asked for, or the root when its chain broke
    std::vector<FolderPathItem> items;  // the top-level folders, the chain expanded below its own
};

// The first of "新しいﾌｫﾙﾀﾞ", "新しいﾌｫﾙﾀﾞ(2)" ... "新しいﾌｫﾙﾀﾞ(100)" that is not taken;
// nullopt when all hundred are.
std::optional<QString> FreeFolderName(const QStringList& taken);

class CalcFolders {
  public:
    CalcFolders(const QString& databasePath, platform::Prompt& prompt);

    // The folder's present subfolders, then its present calculation entries, each group in
    // the database's order.
    std::vector<CalcEntry> Entries(qint32 folderId);

    // The folders from the top level down to the folder itself; empty for the root. nullopt
    // when a folder of the chain no longer exists (missing, deleted, not a folder, or the
    // parents run in a loop).
    std::optional<std::vector<FolderPathItem>> Chain(qint32 folderId);

    // The path combo's folders for the folder; the root's when its chain is broken.
    FolderPath PathTo(qint32 folderId);

    // The folder's parent; nullopt for the root, which has no row.
    std::optional<qint32> ParentOf(qint32 folderId);

    // Creates a folder under the parent with the first free new-folder name; returns its id,
    // or 0 after telling the user that it failed.
    qint32 CreateFolder(qint32 parentId);

    // Gives the folder a new name (blanks trimmed) in a transaction of its own; answers the
    // name stored. nullopt: a refused or failed name (told to the user), or the old name
    // again (nothing written); the folder keeps its old name.
    std::optional<QString> RenameFolder(qint32 folderId, const QString& typed);

    // The name (blanks trimmed) a new calculation entry may be registered under in the
    // folder; nullopt after telling the user why not.
    std::optional<QString> ConfirmEntryName(qint32 folderId, const QString& typed);

  private:
    enum class Renamed { Stored, Unchanged, Missing, Taken, WriteFailed };

    std::optional<Calcurate> Row(qint32 id);
    bool NameAllowed(const QString& name);
    bool NameTaken(const QString& name, qint32 folderId, qint32 exceptId);
    Renamed StoreFolderName(qint32 folderId, const QString& name);
    void AbandonRename() noexcept;

    platform::Prompt& prompt_;
    SurveyDB db_;
};

}  // namespace calcstore
