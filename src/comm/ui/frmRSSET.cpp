#include "comm/ui/frmRSSET.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"

namespace comm_ui {
namespace {

const QString kSection = QStringLiteral("Trevanto");

// The captions of the parity choices; the others show their values.
QString ChoiceCaption(comm::LineField field, const QString& value) {
    if (field != comm::kParity) return value;
    if (value == u"n") return QStringLiteral("なし");
    if (value == u"e") return QStringLiteral("偶数");
    return QStringLiteral("奇数");
}

}  // namespace

frmRSSET::frmRSSET(const CommSettingsContext& context, platform::Prompt& prompt, platform::SettingsStore& store,
                   QWidget* parent)
    : QDialog(parent), context_(context), prompt_(prompt), store_(store),
      settings_(comm::ParseLineSettings(context.rsset, context.rsfuro)) {
    setObjectName(QStringLiteral("frmRSSET"));
    setWindowTitle(QStringLiteral("トータルステーションとの通信条件の設定"));
    auto* layout = new QVBoxLayout(this);
    auto* frames = new QGridLayout;
    frames->addWidget(FieldFrame(comm::kBaud, QStringLiteral(" ボーレート ")), 0, 0, 2, 1);
    frames->addWidget(FieldFrame(comm::kParity, QStringLiteral(" パリティ ")), 0, 1);
    frames->addWidget(FieldFrame(comm::kDataBits, QStringLiteral(" データビット ")), 0, 2);
    frames->addWidget(FieldFrame(comm::kStopBits, QStringLiteral(" ストップビット ")), 1, 1);
    frames->addWidget(FlowFrame(), 1, 2);
    frames->addWidget(FieldFrame(comm::kPort, QStringLiteral(" コンピュータ の ポート番号 ")), 2, 0, 1, 3);
    layout->addLayout(frames);
    auto* note = new QLabel(QStringLiteral("注意 ： ｺﾝﾄﾛｰﾙﾊﾟﾈﾙで通信ﾎﾟｰﾄｻﾎﾟｰﾄ番号を確認してください。"), this);
    note->setObjectName(QStringLiteral("btn"));
    layout->addWidget(note);
    auto* defaults = new QPushButton(comm::MakerDefaultsCaption(context_.maker, context_.format), this);
    defaults->setObjectName(QStringLiteral("btnORGSET"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, &frmRSSET::ApplyMakerDefaults);
    layout->addWidget(defaults);
    Show();
}

// A frame of option buttons named Option<field+1>_<row>; a click copies its choice.
QWidget* frmRSSET::FieldFrame(comm::LineField field, const QString& caption) {
    auto* frame = new QGroupBox(caption, this);
    auto* grid = new QGridLayout(frame);
    auto* group = new QButtonGroup(frame);
    const QStringList& choices = comm::LineChoices(field);
    const int perColumn = field == comm::kPort ? 1 : 6;
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(ChoiceCaption(field, choices[i]), frame);
        button->setObjectName(QStringLiteral("Option") + QString::number(field + 1) + u'_' + QString::number(i + 1));
        group->addButton(button, i + 1);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this, field](int row) { settings_.fields[field] = comm::LineChoices(field).at(row - 1); });
    groups_[field] = group;
    return frame;
}

QWidget* frmRSSET::FlowFrame() {
    auto* frame = new QGroupBox(QStringLiteral("フロー制御"), this);
    auto* column = new QVBoxLayout(frame);
    flow_ = new QButtonGroup(frame);
    const QString captions[] = {QStringLiteral("なし"), QStringLiteral("ﾊｰﾄﾞｳｪｱ")};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QRadioButton(captions[i], frame);
        button->setObjectName(QStringLiteral("optFuro_") + QString::number(i));
        flow_->addButton(button, i);
        column->addWidget(button);
    }
    connect(flow_, &QButtonGroup::idClicked, this, [this](int id) { settings_.hardwareFlow = id == 1; });
    return frame;
}

// A value that is none of the choices leaves its frame without a selection.
void frmRSSET::Show() {
    for (int f = 0; f < comm::kLineFields; ++f) {
        QButtonGroup* group = groups_[f];
        const int row = comm::ChoiceRow(static_cast<comm::LineField>(f), settings_.fields[static_cast<size_t>(f)]);
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == row);
        group->setExclusive(true);
    }
    flow_->button(settings_.hardwareFlow ? 1 : 0)->setChecked(true);
}

void frmRSSET::ApplyMakerDefaults() {
    settings_ = comm::MakerDefaults(settings_, context_.format, context_.maker);
    Show();
}

void frmRSSET::done(int result) {
    if (!closing_) {
        closing_ = true;
        const bool changed = settings_.Text() != context_.rsset || settings_.FlowText() != context_.rsfuro;
        if (changed && prompt_.Message(QStringLiteral("変更を登録しますか？"), QStringLiteral("通信条件の設定"),
                                       platform::PromptIcon::Question,
                                       platform::PromptButtons::YesNo) == platform::PromptAnswer::Yes) {
            try {
                store_.Save(kSection, QStringLiteral("RSset"), settings_.Text());
                store_.Save(kSection, QStringLiteral("RSFuro"), settings_.FlowText());
                kept_ = settings_;
            } catch (const platform::FileError& e) {
                prompt_.Show(e.Told(), QStringLiteral("通信条件の設定"), platform::PromptIcon::Critical);
            }
        }
    }
    QDialog::done(result);
}

std::optional<comm::LineSettings> EditCommSettings(QWidget* parent, const CommSettingsContext& context) {
    frmRSSET form(context, platform::ActivePrompt(), platform::SettingsStore::User(), parent);
    form.exec();
    return form.Kept();
}

}  // namespace comm_ui
