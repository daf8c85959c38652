// Feeds arbitrary bytes to the field-book reader, the structural check and the editor's
// logic: none of them may crash or hang on any file.
// Build: cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
//        -DTREVANTO_BUILD_FUZZ=ON && cmake --build build-fuzz --target fuzz_apa
// Run:   build-fuzz/fuzz/fuzz_apa -max_total_time=60

#include <QByteArray>

#include "apa/ApaCheck.h"
#include "apa/ApaEditor.h"
#include "apa/ApaReader.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto lines = apa::NormalizeApaLines(platform::SplitLines(platform::cp932::Decode(bytes)));
    if (!lines) return 0;
    apa::CheckApaLines(*lines);

    apa::ApaEditor editor;
    editor.Open(*lines, QStringLiteral("fuzz.APA"));
    for (int i = 0; i < 8 && editor.ShowNext(); ++i) {
    }
    editor.ShowLast();
    editor.ShowPrevious();
    editor.InsertRows(0, 1);
    editor.CommitCell(0, 4, QStringLiteral("12.3456"));
    editor.CommitCell(editor.RowCount(), 1, QStringLiteral("past the last row"));
    editor.SetBox(0, QStringLiteral("ST"));
    editor.PasteRows(editor.RowCount(), editor.CopyRows(0, editor.RowCount() - 1));
    if (editor.RowCount() > 1) editor.DeleteRows(1, editor.RowCount() - 1);
    editor.AddStation();
    editor.SaveLines();
    return 0;
}
