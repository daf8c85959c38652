#pragma once
// Reading APA field books. One reader for every caller: the file-open step, the editor,
// the converters' checks and the notebook.
//
// Tolerances: blanks around each line are removed; LF-only and CR-only line ends are line
// ends; every line ends with ","; a file whose first line has a sixth character that is
// neither "," nor a control character carries check characters, and every line loses its
// check character (not verified: they are summed over a two-byte form that a file cannot
// hold for Japanese text).

#include <QString>
#include <QStringList>
#include <optional>

namespace apa {

// True when the first line starts an APA file: "A," and a "," as fifth character.
bool IsApaHeader(const QString& firstLine);
// True when the first line marks a file with check characters.
bool HasCheckCharacters(const QString& firstLine);

// The field-book lines from raw text lines, one for one; nullopt when there is no first
// line or it is no APA header.
std::optional<QStringList> NormalizeApaLines(const QStringList& rawLines);

// Reads a field book from a CP932 file. Throws platform::FileError when it cannot be read;
// nullopt when it is no APA file.
std::optional<QStringList> ReadApaFile(const QString& path);

}  // namespace apa
