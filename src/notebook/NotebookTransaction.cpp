#include "notebook/NotebookTransaction.h"

#include "platform/Database.h"
#include "platform/DbError.h"

namespace notebook {

bool InNotebookTransaction(const QString& path,
                           const std::function<void(platform::Database&)>& work) {
    try {
        // A database let go of inside its transaction rolls it back, so a failure anywhere
        // below leaves the file as it was.
        const auto db = platform::Database::Open(path);
        db->BeginTrans();
        work(*db);
        db->CommitTrans();
        return true;
    } catch (const platform::DbError&) {
        return false;
    }
}

}  // namespace notebook
