#pragma once
// The three images of the calculation tree: the district root, a folder, a calculation.

#include <QIcon>

namespace calcstore_ui {

enum class CalcImage { Root, Folder, Data };

// Taken from the style, so that the tree looks like the desktop's file dialogs.
QIcon CalcIcon(CalcImage image);

}  // namespace calcstore_ui
