#include "traverse/ui/frmPRINTINPSUB.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "notebook/ui/DialogButtons.h"
#include "platform/Settings.h"

namespace traverse_ui {
namespace {

// 1 for the first choice (する), 2 for the second.
int Choice(bool first) { return first ? 1 : 2; }

}  // namespace

frmPRINTINPSUB::frmPRINTINPSUB(const traverse::TraverseOptions& options, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPRINTINPSUB"));
    setWindowTitle(QStringLiteral("トラバーファイル作成の条件設定"));
    column_ = new QVBoxLayout(this);
    const QStringList yesNo = {QStringLiteral("する"), QStringLiteral("しない")};
    zero_ = Group(QStringLiteral(" 後視点方向の強制０セット "), QStringLiteral("optZero"), yesNo,
                  Choice(options.zeroBacksight),
                  QStringLiteral("するを選択した場合、後視点方向を強制的に０セットし水平角を計算作成します. "));
    type_ = Group(QStringLiteral(" 作成するトラバ－ファイル "), QStringLiteral("optType"),
                  {QStringLiteral("放射"), QStringLiteral("開放"), QStringLiteral("結合"), QStringLiteral("閉合"),
                   QStringLiteral("厳密水平網"), QStringLiteral("厳密高低網")},
                  options.type, QString());
    elevations_ = Group(QStringLiteral(" 計算標高の登録 "), QStringLiteral("optElevation"), yesNo,
                        Choice(options.registerElevations),
                        QStringLiteral("するを選択する場合は、予め距離計算で標高計算を実行して下さい."));
    overwrite_ = Group(QStringLiteral(" 視準点の既存座標上書き "), QStringLiteral("optOverwrite"),
                       {QStringLiteral("する"), QStringLiteral("しない（同一点名を作成）")},
                       Choice(options.overwriteSighted), QString());
    auto* note = new QLabel(QStringLiteral("**注意**　作成したトラバーファイルは、入力データ訂正で確認後、再計算登録して下さい."));
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    column_->addWidget(note);
    column_->addLayout(
        notebook_ui::ConfirmCancelRow(this, QStringLiteral("CANCEL"), [this] { accept(); }));
    setMinimumWidth(480);
}

// A frame of radio buttons named name_1, name_2, …, the checked one `checked` (from 1).
QButtonGroup* frmPRINTINPSUB::Group(const QString& caption, const QString& name, const QStringList& labels,
                                    int checked, const QString& hint) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name + QStringLiteral("Frame"));
    auto* grid = new QGridLayout(frame);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QRadioButton(labels[i], frame);
        button->setObjectName(name + u'_' + QString::number(i + 1));
        button->setChecked(i + 1 == checked);
        group->addButton(button, i + 1);
        grid->addWidget(button, i / 3, i % 3);
    }
    if (!hint.isEmpty()) {
        auto* label = new QLabel(hint, frame);
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, 3);
    }
    column_->addWidget(frame);
    return group;
}

traverse::TraverseOptions frmPRINTINPSUB::Options() const {
    return {zero_->checkedId() == 1, type_->checkedId(), elevations_->checkedId() == 1, overwrite_->checkedId() == 1};
}

std::optional<traverse::TraverseOptions> EditTraverseOptions(QWidget* parent, platform::SettingsStore& store) {
    const QString stored = store.Peek(kOptionsSection, kOptionsKey);
    const traverse::TraverseOptions options = traverse::ParseTraverseOptions(stored);
    if (traverse::TraverseOptionsText(options) != stored)
        store.Save(kOptionsSection, kOptionsKey, traverse::TraverseOptionsText(options));
    frmPRINTINPSUB form(options, parent);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    store.Save(kOptionsSection, kOptionsKey, traverse::TraverseOptionsText(form.Options()));
    return form.Options();
}

}  // namespace traverse_ui
