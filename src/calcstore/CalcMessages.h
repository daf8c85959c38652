#pragma once
// The calculation store's shared error-message routine.

#include <QString>
#include <QVariant>

namespace platform {
class Prompt;
}

namespace calcstore {

// The text the routine shows for a message number (1 to 4); empty for any other number.
QString CalcErrorText(int number);

// Shows a text as it is, or the text of a message number, with the critical icon and the
// default title. Does nothing when no prompt is installed (command-line use).
void ShowCalcError(const QVariant& message);
// The same through a given prompt, for the forms that are handed theirs.
void ShowCalcError(platform::Prompt& prompt, const QVariant& message);

}  // namespace calcstore
