#include "notebook/ui/DialogButtons.h"

#include <QDialog>

namespace notebook_ui {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* ConfirmCancelRow(QDialog* dialog, const QString& cancelName, const std::function<void()>& confirm) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* done = NamedButton(QStringLiteral("EDITEND"), QStringLiteral("設定終了"), dialog);
    QPushButton* cancel = NamedButton(cancelName, QStringLiteral("キャンセル"), dialog);
    row->addWidget(done);
    row->addWidget(cancel);
    QObject::connect(done, &QPushButton::clicked, dialog, confirm);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

}  // namespace notebook_ui
