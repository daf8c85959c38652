#include "notebook/ui/frmPRINTHSUB.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "notebook/ui/DialogButtons.h"
#include "notebook/CorrectionSettings.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"

namespace notebook_ui {
namespace {

const QString kCaption = QStringLiteral("距離補正計算書の条件設定");
const QString kSection = QStringLiteral("Trevanto");

// Choices 1 and 2 of every group, by the index of its buttons.
constexpr int kFirstChoice = 1;
constexpr int kSecondChoice = 2;

QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& pattern) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(120);
    // A comma would split the conditions text; only a number's characters are taken.
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    return box;
}

void ShowSaveError(const platform::FileError& e) {
    platform::ActivePrompt().Show(
        QStringLiteral("距離補正の条件を保存できません。\n") + e.Explanation() + u'\n' + e.Path(),
        kCaption, platform::PromptIcon::Critical);
}

}  // namespace

frmPRINTHSUB::frmPRINTHSUB(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPRINTHSUB"));
    setWindowTitle(kCaption);

    platform::SettingsStore& store = platform::SettingsStore::User();
    const QString stored = store.Peek(kSection, notebook::kPrintHsubKey);
    text_ = notebook::RepairedPrintHsub(stored);
    if (text_ != stored) {
        try {
            store.Save(kSection, notebook::kPrintHsubKey, text_);
        } catch (const platform::FileError& e) {
            ShowSaveError(e);
        }
    }

    auto* layout = new QVBoxLayout(this);

    auto* source = new QGroupBox(QStringLiteral(" 標高の選択 "), this);
    source->setObjectName(QStringLiteral("Frame1"));
    QVBoxLayout* sourceColumn = Choices(source, 1, QStringLiteral("Option1"),
                                        {u"登録されている標高を使用", u"放射計算による標高を使用"});
    // Only the registered elevations can be missing for a station: the radial calculation
    // gives every station it reaches an elevation.
    subChoice_ = new QGroupBox(QStringLiteral(" 標高の登録がない観測点 "), source);
    subChoice_->setObjectName(QStringLiteral("Frame11"));
    QVBoxLayout* subColumn = Choices(subChoice_, 2, QStringLiteral("Option11"),
                                     {u"海面上への補正をしない", u"次の標高を使用"});
    first_ = NumberBox(subChoice_, "Text1", QStringLiteral("[+-]?[0-9]*\\.?[0-9]*"));
    auto* firstRow = new QHBoxLayout;
    firstRow->addSpacing(24);
    firstRow->addWidget(first_);
    firstRow->addWidget(new QLabel(QStringLiteral("ｍ"), subChoice_));
    firstRow->addStretch();
    subColumn->addLayout(firstRow);
    sourceColumn->addWidget(subChoice_);
    layout->addWidget(source);

    auto* sets = new QGroupBox(QStringLiteral(" 計算を対回観測のみに限定 "), this);
    sets->setObjectName(QStringLiteral("Frame3"));
    Choices(sets, 3, QStringLiteral("Option3"), {u"する", u"しない"});
    layout->addWidget(sets);

    auto* scale = new QGroupBox(QStringLiteral(" 縮尺係数による補正 "), this);
    scale->setObjectName(QStringLiteral("Frame4"));
    QVBoxLayout* scaleColumn = Choices(scale, 4, QStringLiteral("Option4"), {u"する", u"しない"});
    scale_ = NumberBox(scale, "Text2", QStringLiteral("[0-9]*\\.?[0-9]*"));
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addSpacing(24);
    scaleRow->addWidget(new QLabel(QStringLiteral("縮尺係数"), scale));
    scaleRow->addWidget(scale_);
    scaleRow->addStretch();
    scaleColumn->addLayout(scaleRow);
    layout->addWidget(scale);

    layout->addLayout(ConfirmCancelRow(this, QStringLiteral("CANCEL"), [this] { Finish(); }));
    // Enter anywhere in the dialog ends it as 設定終了 does.
    findChild<QPushButton*>(QStringLiteral("EDITEND"))->setDefault(true);

    // The controls show the text first; from then on each rewrites its own part of it.
    for (int digit = 1; digit <= 4; ++digit) {
        QAbstractButton* button = groups_[digit - 1]->button(notebook::ChoiceOf(text_, digit));
        if (button) button->setChecked(true);
        connect(groups_[digit - 1], &QButtonGroup::idClicked, this,
                [this, digit](int choice) { Choose(digit, choice); });
    }
    first_->setText(notebook::ValueOf(text_, notebook::ConditionValue::First));
    scale_->setText(notebook::ValueOf(text_, notebook::ConditionValue::ScaleFactor));
    connect(first_, &QLineEdit::textChanged, this, [this](const QString& value) {
        text_ = notebook::WithValue(text_, notebook::ConditionValue::First, value);
    });
    connect(scale_, &QLineEdit::textChanged, this, [this](const QString& value) {
        text_ = notebook::WithValue(text_, notebook::ConditionValue::ScaleFactor, value);
    });
    EnableDependents();
}

// The group's buttons are numbered by the choice they stand for.
QVBoxLayout* frmPRINTHSUB::Choices(QGroupBox* frame, int digit, const QString& name,
                                   const std::initializer_list<const char16_t*>& labels) {
    auto* group = new QButtonGroup(this);
    groups_[digit - 1] = group;
    group->setObjectName(name);
    auto* column = new QVBoxLayout(frame);
    int choice = kFirstChoice;
    for (const char16_t* label : labels) {
        auto* button = new QRadioButton(QString::fromUtf16(label), frame);
        button->setObjectName(name + u'_' + QString::number(choice - kFirstChoice));
        group->addButton(button, choice++);
        column->addWidget(button);
    }
    return column;
}

void frmPRINTHSUB::Choose(int digit, int choice) {
    text_ = notebook::WithChoice(text_, digit, choice);
    EnableDependents();
}

void frmPRINTHSUB::EnableDependents() {
    subChoice_->setEnabled(notebook::ChoiceOf(text_, 1) != kSecondChoice);
    scale_->setEnabled(notebook::ChoiceOf(text_, 4) != kSecondChoice);
}

void frmPRINTHSUB::Save() {
    try {
        platform::SettingsStore::User().Save(kSection, notebook::kPrintHsubKey, text_);
    } catch (const platform::FileError& e) {
        ShowSaveError(e);
    }
}

// The conditions hold for this report even when they could not be kept for the next one.
void frmPRINTHSUB::Finish() {
    ended_ = true;
    Save();
    accept();
}

void frmPRINTHSUB::reject() {
    ended_ = true;
    text_.clear();
    QDialog::reject();
}

// Closing the window keeps what the user chose, as 設定終了 does. Ending the dialog may
// close it again: that close is already decided.
void frmPRINTHSUB::closeEvent(QCloseEvent* event) {
    if (!ended_) Finish();
    event->accept();
}

std::optional<QString> EditCorrectionConditions(QWidget* parent) {
    frmPRINTHSUB form(parent);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.Text();
}

}  // namespace notebook_ui
