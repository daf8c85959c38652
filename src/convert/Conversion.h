#pragma once
// The conversion driver: from a raw instrument file to a field book, with the converter of
// the chosen format code, or the one the file's first line calls for.

#include <QList>
#include <QString>
#include <QStringList>

#include "convert/Converter.h"

namespace convert {

enum class Outcome {
    Converted,      // a converter wrote the field book
    Copied,         // the file already was a field book and was copied byte for byte
    Empty,          // nothing but blanks: nothing written
    SingleLine,     // one line that is no field book: nothing written
    NotRecognised,  // no converter reads it: nothing written
    SameFile,       // the output would replace the raw file itself: nothing written
};

struct ConversionResult {
    Outcome outcome = Outcome::NotRecognised;
    QString format;  // the code of the converter that ran or would have run
    int stations = 0;
    int sightings = 0;
    qsizetype skippedLines = 0;
    qsizetype flaggedLines = 0;  // converted, with a check that failed
    QList<LineNote> notes;
};

// The instrument format codes of the data-format menu, each with its converter; "*" and any
// other code convert by the file's first line.
QStringList ConvertibleFormats();

// Converts the raw file into the output file, which is replaced only when something was
// written (Converted or Copied). Throws platform::FileError when the input cannot be read
// or the output cannot be written; the old output then stays as it was.
ConversionResult ConvertFile(const QString& format, const QString& input, const QString& output);

// Why nothing was written, for the user; empty for Converted and Copied.
QString FailureText(const ConversionResult& result);

// The field book a raw file converts into: its name less the last four characters (dot
// and extension) plus ".APA", in the folder. A name of four characters or fewer keeps all
// of them, so that it never becomes the hidden ".APA".
QString ApaOutputPath(const QString& rawPath, const QString& folder);

}  // namespace convert
