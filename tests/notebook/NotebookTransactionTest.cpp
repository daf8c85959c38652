// The table routines on a file they cannot use: they report failure, make no file and leave
// the file alone.

#include <gtest/gtest.h>

#include <QFile>

#include "notebook/CorrectionTables.h"
#include "notebook/DistanceCorrection.h"
#include "notebook/ReductionTable.h"
#include "support/TestEnvironment.h"

namespace {

TEST(NotebookTransactionTest, AMissingOrForeignFileFailsEveryRoutineAndNoFileIsMade) {
    const QString folder = test::NewFolder(QStringLiteral("unusable"));
    const QString foreign = folder + QStringLiteral("/foreign.mdb");
    test::WriteBytes(foreign, "not a database at all");
    for (const QString& path : {folder + QStringLiteral("/SHUBO.MDB"), foreign, folder}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(notebook::ReadReductionTable(path).empty());
        EXPECT_TRUE(notebook::ReadTraverseSource(path).reduction.empty());
        EXPECT_FALSE(notebook::WriteHeights(path, {{1, QStringLiteral("1.000"), {}, {}, {}}}));
        EXPECT_TRUE(notebook::ReadCorrectionInput(path).empty());
        EXPECT_FALSE(notebook::WriteCorrectionSheet(path, {{}}));
        EXPECT_FALSE(notebook::ClearTable(path, QStringLiteral("KYORIHOSEI")));
        EXPECT_FALSE(notebook::RunDistanceCorrection(path, {}));
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/SHUBO.MDB")));
    EXPECT_EQ(test::ReadBytes(foreign), QByteArray("not a database at all"));
}

}  // namespace
