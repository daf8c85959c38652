#pragma once
// The table routines' way into the notebook database: each one opens the file, does its
// work in one transaction and reports failure as a flag, for the forms to show their own
// message.

#include <QString>
#include <functional>

namespace platform {
class Database;
}

namespace notebook {

// Opens the existing database file and runs the work in one transaction. True when it was
// committed; false when the file cannot be opened (a missing file is not created) or any
// database operation fails, and then nothing the work did is kept.
bool InNotebookTransaction(const QString& path,
                           const std::function<void(platform::Database&)>& work);

}  // namespace notebook
