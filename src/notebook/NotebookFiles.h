#pragma once
// Writes a reduction's output into SHUBO1.DAT (CP932, CR LF) and SHUBO.MDB of a folder.
// Both are made beside the old ones and take their place only at Commit(): a writer dropped
// before, or a failed commit, leaves the folder's older notebook as it was.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "notebook/NotebookOutput.h"

namespace platform {
class Database;
class Recordset;
class TextFileWriter;
}  // namespace platform

namespace notebook {

class NotebookFiles : public NotebookOutput {
  public:
    // Throws platform::FileError when the folder cannot take the new files, platform::DbError
    // when the database cannot be made.
    explicit NotebookFiles(const QString& folder);
    ~NotebookFiles() override;

    void Line(const QString& text) override;
    void Data(const DataRow& row) override;
    void Header(const HeaderRow& row) override;
    void Reduction(const ReductionRow& row) override;
    void CorrectionInput(const CorrectionInputRow& row) override;

    // Commits the rows and puts both files in place. Throws FileError or DbError.
    void Commit();

  private:
    QString folder_;
    std::unique_ptr<platform::TextFileWriter> text_;
    std::unique_ptr<QTemporaryDir> scratch_;  // the new database until it is complete
    std::shared_ptr<platform::Database> db_;
    std::unique_ptr<platform::Recordset> data_, headers_, reduction_, correction_;
};

}  // namespace notebook
