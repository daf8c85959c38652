#pragma once
// One line of a SOKKIA memory card: comma-separated fields, the last of which is, on cards
// that carry it, a line check of two hex digits making the byte sum of the whole line
// 0 mod 256.

#include <QByteArrayView>
#include <QList>

namespace convert::card {

enum class Check {
    Passed,   // the last field is the check, and it holds
    Failed,   // the last field is two hex digits, but the sum is wrong
    Missing,  // the last field is no check
};

struct Line {
    QList<QByteArrayView> fields;  // without the check when it is there
    Check check = Check::Missing;

    QByteArrayView Field(qsizetype n) const {
        return n <= fields.size() ? fields[n - 1] : QByteArrayView();
    }
};

// Whether the line ends with its check and the check holds.
Check CheckOf(QByteArrayView line);

// The check a line needs: the byte that brings the sum of the line's bytes to 0 mod 256.
// A line that ends with a comma followed by this value as two upper-case hex digits
// passes CheckOf.
int CheckFor(QByteArrayView line);

// Splits a line; a last field that is two hex digits is taken as the check when
// `withCheck` (the card carries checks), and left a field otherwise.
Line Split(QByteArrayView line, bool withCheck);

}  // namespace convert::card
