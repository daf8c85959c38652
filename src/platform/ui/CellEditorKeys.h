#pragma once
// The keys of the grids' floating cell editors, one rule for every editor form: Enter
// commits and moves right, Up and Down commit and move a row, Escape drops the edit, and a
// number column takes no character above "9" (digits, ".", "-", "+" and the space pass).

#include <QKeyEvent>
#include <optional>

namespace platform {

enum class CellEditorKey { CommitRight, CommitUp, CommitDown, Cancel, Refuse, Type };

CellEditorKey ClassifyEditorKey(const QKeyEvent& key, bool numberColumn);

// A character a number column refuses.
bool RefusedInNumberColumn(const QString& text);

// The printable character a key typed on a grid cell opens the editor with; nullopt for
// keys that are not typing (navigation, shortcuts with Ctrl or Alt).
std::optional<QString> TypedOnCell(const QKeyEvent& key);

}  // namespace platform
