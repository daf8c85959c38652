#include "platform/ui/CellEditorKeys.h"

namespace platform {

bool RefusedInNumberColumn(const QString& text) { return !text.isEmpty() && text[0].unicode() > u'9'; }

CellEditorKey ClassifyEditorKey(const QKeyEvent& key, bool numberColumn) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return CellEditorKey::CommitRight;
        case Qt::Key_Up: return CellEditorKey::CommitUp;
        case Qt::Key_Down: return CellEditorKey::CommitDown;
        case Qt::Key_Escape: return CellEditorKey::Cancel;
        default: return numberColumn && RefusedInNumberColumn(key.text()) ? CellEditorKey::Refuse : CellEditorKey::Type;
    }
}

std::optional<QString> TypedOnCell(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty() || !text[0].isPrint() || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return std::nullopt;
    return text;
}

}  // namespace platform
