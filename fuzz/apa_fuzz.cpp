// Feeds arbitrary bytes to the code page, the field-book reader, the structural check, the
// code fixer and the editor's logic, with the editor driven by a script taken from the
// input's last bytes. None of them may crash or hang, and it checks what they promise:
//   - the code page gives every byte back (Encode(Decode(bytes)) == bytes);
//   - fixing the observation codes twice changes nothing the second time, and a file
//     whose codes are right is not touched;
//   - whatever is typed, pasted, inserted or deleted, a field book the check accepts is
//     still accepted once saved.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_apa
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_apa -max_total_time=600 CORPUS_FOLDER

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "apa/ApaCheck.h"
#include "apa/ApaEditor.h"
#include "apa/ApaReader.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

// Texts a user might type or paste, the hostile ones included.
QString Typed(uint8_t choice, const QString& file) {
    static const QString texts[] = {
        QString(),
        QStringLiteral("12.34565"),
        QStringLiteral("-0.0005"),
        QStringLiteral("A,B"),
        QStringLiteral("r2003"),
        QStringLiteral("l9999"),
        QStringLiteral("x\ny"),
        QStringLiteral("memo\n"),
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"),
        QStringLiteral("\t"),
        QStringLiteral("1e999"),
        QStringLiteral("99999999999999999999999.99995"),
        QStringLiteral(" "),
        QStringLiteral("再測"),
        QStringLiteral("1.5m"),
        platform::cp932::Decode(QByteArray("\x80\xFF\x82", 3)),
    };
    constexpr uint8_t kTexts = sizeof texts / sizeof texts[0];
    if (choice < kTexts) return texts[choice];
    return file.mid(choice * 7 % std::max<qsizetype>(file.size(), 1), choice % 40);
}

struct Step {
    uint8_t operation;
    int8_t a;
    int8_t b;
    uint8_t text;
};

void Run(apa::ApaEditor& editor, const Step& step, const QString& file, QString& clipboard) {
    const int rows = editor.RowCount();
    const int a = step.a;
    const int b = step.b;
    switch (step.operation % 12) {
        case 0:
            editor.ShowNext();
            break;
        case 1:
            editor.ShowPrevious();
            break;
        case 2:
            editor.ShowFirst();
            break;
        case 3:
            editor.ShowLast();
            break;
        case 4:
            editor.AddStation();
            break;
        case 5:
            editor.SetBox(std::abs(a) % apa::kHeaderBoxCount, Typed(step.text, file));
            break;
        case 6:
            editor.CommitCell(a % (rows + 2), b % apa::kGridColumns, Typed(step.text, file));
            break;
        case 7:
            editor.InsertRows(a % (rows + 2), b % 4);
            break;
        case 8:
            editor.DeleteRows(a % (rows + 1), b % (rows + 1));
            break;
        case 9:
            // A few rows at a time: longer stations only cost time, as every row costs alike.
            clipboard =
                editor.CopyRows(a % (rows + 1), std::min(b % (rows + 1), a % (rows + 1) + 7));
            break;
        case 10:
            editor.PasteRows(a % (rows + 2), clipboard);
            break;
        default:
            editor.PasteRows(a % (rows + 2), Typed(step.text, file) + u'\t' + clipboard.left(b));
            break;
    }
}

// The fixer works on a file; one scratch file serves every run.
const QString& ScratchFile() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.APA"));
    return path;
}

void CheckFixer(const QByteArray& bytes) {
    const QString& path = ScratchFile();
    QFile file(path);
    Require(
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        "scratch file written");
    file.close();
    QString reason;
    QList<apa::CodeChange> changes;
    if (!apa::FixObservationCodes(path, reason, &changes)) return;
    const QByteArray fixed = platform::ReadFileBytes(path);
    if (changes.isEmpty()) {
        Require(fixed == bytes, "a right file is not touched");
        return;
    }
    Require(apa::FixObservationCodes(path, reason, &changes) && changes.isEmpty(),
            "a fixed file needs no second fix");
    Require(platform::ReadFileBytes(path) == fixed, "a second fix writes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<Step> script(input.ConsumeIntegralInRange<size_t>(0, 24));
    for (Step& step : script)
        step = {input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<int8_t>(),
                input.ConsumeIntegral<int8_t>(), input.ConsumeIntegral<uint8_t>()};
    const std::vector<uint8_t> rest = input.ConsumeRemainingBytes<uint8_t>();
    const QByteArray bytes(reinterpret_cast<const char*>(rest.data()),
                           static_cast<qsizetype>(rest.size()));

    const QString text = platform::cp932::Decode(bytes);
    Require(platform::cp932::Encode(text) == bytes, "Encode(Decode(bytes)) == bytes");
    Require(platform::cp932::ByteLength(text) == bytes.size(), "ByteLength counts the bytes");

    CheckFixer(bytes);

    const auto lines = apa::NormalizeApaLines(platform::SplitLines(text));
    if (!lines) return 0;
    const bool clean = apa::CheckApaLines(*lines).isEmpty();

    apa::ApaEditor editor;
    editor.Open(*lines, QStringLiteral("fuzz.APA"));
    QString clipboard;
    for (const Step& step : script) Run(editor, step, text, clipboard);
    const QStringList saved = editor.SaveLines();
    if (clean) Require(apa::CheckApaLines(saved).isEmpty(), "a clean field book saves clean");
    return 0;
}
