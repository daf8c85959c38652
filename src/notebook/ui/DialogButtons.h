#pragma once
// The buttons the notebook's dialogs share: found by their names, and never taking Enter
// from what the user is typing.

#include <QHBoxLayout>
#include <QPushButton>
#include <functional>

namespace notebook_ui {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent = nullptr);

// The row at a dialog's foot: "設定終了" (EDITEND) runs `confirm`, "キャンセル" (named
// `cancelName`) rejects the dialog. Returns the row, for the dialog's layout.
QHBoxLayout* ConfirmCancelRow(QDialog* dialog, const QString& cancelName, const std::function<void()>& confirm);

}  // namespace notebook_ui
