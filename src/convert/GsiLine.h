#pragma once
// One line (data block) of a LEICA GSI file, read as its words.
//
// GSI-8 words are 16 characters: word index (2), information (4, the last of them the unit
// code), sign, 8 data characters, blank. GSI-16 lines begin with "*" and their words are 24
// characters with 16 data characters. Data are right-aligned and filled with "0"; numbers
// are fixed-point digits whose scale the unit code gives. A word counts as present when its
// data are complete; its closing blank may be missing.

#include <QByteArrayView>
#include <optional>

namespace convert::gsi {

struct Word {
    QByteArrayView index;  // word index, two characters
    char unit = '.';       // information position 6
    char sign = '+';
    QByteArrayView data;   // 8 or 16 characters
    qsizetype column = 0;  // 0-based position of the word in its line
};

class Line {
  public:
    explicit Line(QByteArrayView text);

    bool Wide() const { return wide_; }
    QByteArrayView Text() const { return text_; }
    // Word k, counted from 1; nullopt when the line does not hold it.
    std::optional<Word> At(int k) const;
    // True when word k exists and has this word index.
    bool HasIndex(int k, QByteArrayView index) const;

  private:
    QByteArrayView text_;
    bool wide_;
};

// The data as a signed whole number; nullopt when they are not all digits (a name, or the
// dashes of a missing value).
std::optional<qint64> Number(const Word& word);
// The last n data characters (all of them when there are fewer).
QByteArrayView LastData(const Word& word, qsizetype n);

// The two signed values of a WI 51 word (ppm, then the prism constant in mm). The first
// starts at the word's sign, the second at the next sign inside the data; the split varies
// between instruments. nullopt for a value that is missing or not a number.
struct PpmAndConstant {
    std::optional<qint64> ppm;
    std::optional<qint64> constant;
};
PpmAndConstant ReadPpmWord(const Word& word);

}  // namespace convert::gsi
