// Feeds arbitrary bytes as the per-user settings file (hand-edited INI files are the user's
// own text) to the settings store: reading any key must neither crash nor hang, a value
// that reads is never the empty string the store would replace by its default, and what
// the store then writes back reads as what was written. The print settings and the
// distance-correction conditions read from it are always ones the print form offers.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_settings
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_settings -max_total_time=600 CORPUS_FOLDER

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "notebook/CorrectionSettings.h"
#include "notebook/report/PrintSettings.h"
#include "platform/Settings.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/Brandel.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    platform::SettingsStore store(path);
    for (const char* key : {"RSset", "DataPath", "Format", "Printer"}) {
        (void)store.Peek(QStringLiteral("Trevanto"), QString::fromLatin1(key));
        (void)store.Peek(QStringLiteral("Trevanto\\PrintCR"), QString::fromLatin1(key));
    }
    const notebook::report::PrintSettings print = notebook::report::ReadPrintSettings(store);
    Require(notebook::report::FontNames().contains(print.fontName), "a font the form does not offer");
    Require(notebook::report::FontSizes().contains(print.fontSize), "a size the form does not offer");
    for (const int margin : {print.marginTop, print.marginBottom, print.marginLeft, print.marginRight})
        Require(margin >= 0 && margin <= notebook::report::kMaxMargin, "a margin out of range");
    Require(print.firstPage >= 1, "a first page below 1");
    const notebook::CorrectionConditions conditions = notebook::ConditionsOf(
        notebook::RepairedPrintHsub(store.Peek(QStringLiteral("Trevanto"), notebook::kPrintHsubKey)));
    Require(conditions.scaleFactor > 0, "a scale factor that is no positive number");
    const QString kept = store.Get(QStringLiteral("Trevanto"), QStringLiteral("RSset"),
                                   QStringLiteral("9600,n,8,1,1"));
    Require(!kept.isEmpty(), "a value reads empty");
    store.Save(QStringLiteral("Trevanto"), QStringLiteral("Format"), QStringLiteral("G,S,I"));
    Require(
        store.Peek(QStringLiteral("Trevanto"), QStringLiteral("Format")) == QStringLiteral("G,S,I"),
        "a written value reads back otherwise");
    return 0;
}
