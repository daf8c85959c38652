#include "notebook/NotebookFixture.h"

namespace test {

QStringList FieldBook(const QStringList& stationLines) {
    return QStringList{QStringLiteral("A,01,"), QStringLiteral("B,HEAD,TC1800,123456,YAMADA,26/12/07,,,,"),
                       QStringLiteral("C,1,2,15,1013,0,1,")} +
           stationLines + QStringList{QStringLiteral("Z,")};
}

KeptNotebook Reduce(const QStringList& lines, const notebook::NotebookSources& sources) {
    KeptNotebook kept;
    kept.summary = notebook::ReduceFieldBook(lines, sources, kept);
    return kept;
}

}  // namespace test
