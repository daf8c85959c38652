// The registration dialog driven by its controls, offscreen, over a demo district.

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include "calcstore/CalcTreeFixture.h"
#include "calcstore/ui/CalcDialogChooser.h"
#include "calcstore/ui/FolderPathBox.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/Settings.h"

using calcstore::CalcEntryChoice;
using test::Child;
using test::Click;
using test::kKijunten;
using test::kReiwa8;

namespace {

constexpr qint32 kRegionId = 21;
const QString kRegionName = QStringLiteral("デモ地区");

QListWidget* List(QWidget* dialog) {
    return Child<QListWidget>(dialog, "Lv");
}
QComboBox* Path(QWidget* dialog) {
    return Child<QComboBox>(dialog, "IcTree");
}
QLineEdit* NameBox(QWidget* dialog) {
    return Child<QLineEdit>(dialog, "txtName");
}

QStringList Labels(QWidget* dialog) {
    QStringList labels;
    for (int row = 0; row < List(dialog)->count(); ++row) labels << List(dialog)->item(row)->text();
    return labels;
}

// Each item of the path combo as its depth and text.
QStringList PathItems(QWidget* dialog) {
    QStringList items;
    QComboBox* path = Path(dialog);
    for (int i = 0; i < path->count(); ++i)
        items << path->itemData(i, calcstore_ui::FolderPathBox::kDepthRole).toString() +
                     path->itemText(i);
    return items;
}

QListWidgetItem* Item(QWidget* dialog, const QString& label) {
    const auto found = List(dialog)->findItems(label, Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << label.toStdString();
    return found.value(0);
}

// A view takes a double click on the item the first click pressed: both are sent.
void DoubleClick(QWidget* dialog, const QString& label) {
    QListWidget* list = List(dialog);
    const QPoint at = list->visualItemRect(Item(dialog, label)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The editor of the label being edited; a closed one is hidden until it is deleted.
QLineEdit* LabelEditor(QWidget* dialog) {
    for (QLineEdit* editor : List(dialog)->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

void TypeLabel(QWidget* dialog, const QString& text, Qt::Key key = Qt::Key_Return) {
    QLineEdit* editor = LabelEditor(dialog);
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();  // the view commits a typed label once back in its loop
}

class CalcDialogTest : public test::CalcTreeFixture {
  protected:
    calcstore_ui::CalcDialogSetup DialogSetup() {
        return {{path_, kRegionId, kRegionName}, &prompt_, &store_, nullptr};
    }
    std::optional<CalcEntryChoice> Choose(const QString& offered = QStringLiteral("開放トラバー")) {
        calcstore_ui::CalcDialogChooser chooser([this] { return DialogSetup(); });
        return chooser.Choose(offered, 5, [this](qint32 region) { regions_ << region; });
    }
    QString Stored(const QString& what) const {
        return store_.Peek(QStringLiteral("Survey\\Settings"),
                           QStringLiteral("CalcDialog\\") + kRegionName + what);
    }

    platform::SettingsStore store_{test::NewFolder(QStringLiteral("calcdialog")) +
                                   QStringLiteral("/Brandel.ini")};
    QList<qint32> regions_;
};

}  // namespace

TEST_F(CalcDialogTest, FirstUseShowsTheDistrictRoot) {
    Add(QStringLiteral("既存の計算"), calcstore::kRootFolder);
    Add(QStringLiteral("削除された計算"), calcstore::kRootFolder, 256, 0);
    AddFolder(QStringLiteral("中のﾌｫﾙﾀﾞ"), kKijunten);
    test::WhenShown([](QWidget* dialog) {
        EXPECT_EQ(PathItems(dialog),
                  QStringList({u"0デモ地区"_qs, u"1基準点測量"_qs, u"1細部測量"_qs}));
        EXPECT_EQ(Path(dialog)->currentIndex(), 0);
        EXPECT_EQ(Labels(dialog),
                  QStringList({u"基準点測量"_qs, u"細部測量"_qs, u"既存の計算"_qs}));
        // Folders and calculations look different.
        const QListWidget* list = List(dialog);
        EXPECT_EQ(list->item(0)->icon().pixmap(16).toImage(),
                  list->item(1)->icon().pixmap(16).toImage());
        EXPECT_NE(list->item(0)->icon().pixmap(16).toImage(),
                  list->item(2)->icon().pixmap(16).toImage());
        EXPECT_EQ(NameBox(dialog)->text(), u"開放トラバー");
        Click(dialog, "btnCancel");
    });
    EXPECT_EQ(Choose(), std::nullopt);
    EXPECT_EQ(Stored(QStringLiteral("POS")), u"0");
    EXPECT_EQ(Stored(QStringLiteral("VIEW")), u"2");
}

TEST_F(CalcDialogTest, FoldersAreEnteredAndLeftUpwards) {
    Add(QStringLiteral("中の計算"), kKijunten);
    test::WhenShown([this](QWidget* dialog) {
        DoubleClick(dialog, u"基準点測量"_qs);
        EXPECT_EQ(Path(dialog)->currentText(), u"基準点測量");
        EXPECT_EQ(Labels(dialog), QStringList({u"令和8年度"_qs, u"中の計算"_qs}));
        DoubleClick(dialog, u"中の計算"_qs);  // a calculation is not entered
        EXPECT_EQ(Labels(dialog), QStringList({u"令和8年度"_qs, u"中の計算"_qs}));
        DoubleClick(dialog, u"令和8年度"_qs);
        EXPECT_EQ(PathItems(dialog), QStringList({u"0デモ地区"_qs, u"1基準点測量"_qs,
                                                  u"2令和8年度"_qs, u"1細部測量"_qs}));
        EXPECT_EQ(Path(dialog)->currentText(), u"令和8年度");
        EXPECT_TRUE(Labels(dialog).isEmpty());

        Click(dialog, "btnUp");
        EXPECT_EQ(Path(dialog)->currentText(), u"基準点測量");
        Click(dialog, "btnUp");
        EXPECT_EQ(Path(dialog)->currentIndex(), 0);
        EXPECT_EQ(Labels(dialog), QStringList({u"基準点測量"_qs, u"細部測量"_qs}));
        EXPECT_TRUE(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Beep).isEmpty());
        Click(dialog, "btnUp");  // nothing above the root
        EXPECT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Beep).size(), 1);
        EXPECT_EQ(Path(dialog)->currentIndex(), 0);
        EXPECT_EQ(Labels(dialog), QStringList({u"基準点測量"_qs, u"細部測量"_qs}));

        QTest::keyClick(Path(dialog), Qt::Key_End);  // picked in the path combo
        EXPECT_EQ(Path(dialog)->currentText(), u"細部測量");
        EXPECT_EQ(Labels(dialog), QStringList{u"境界確認"_qs});
        Click(dialog, "btnCancel");
    });
    EXPECT_EQ(Choose(), std::nullopt);
}

// Folders made and renamed stay, even though the user then cancels.
TEST_F(CalcDialogTest, NewFolderIsNamedByEditingItsLabel) {
    test::WhenShown([this](QWidget* dialog) {
        Click(dialog, "btnNew");
        ASSERT_NE(List(dialog)->currentItem(), nullptr);
        EXPECT_EQ(List(dialog)->currentItem()->text(), u"新しいﾌｫﾙﾀﾞ");
        TypeLabel(dialog, u" 調査 'A' \"B\" "_qs);
        EXPECT_EQ(List(dialog)->currentItem()->text(), u"調査 'A' \"B\"");
        EXPECT_TRUE(PathItems(dialog).contains(u"1調査 'A' \"B\""_qs));
        EXPECT_EQ(regions_, QList<qint32>{kRegionId});

        Click(dialog, "btnNew");
        EXPECT_EQ(List(dialog)->currentItem()->text(), u"新しいﾌｫﾙﾀﾞ");
        TypeLabel(dialog, u"捨てる名前"_qs, Qt::Key_Escape);
        Click(dialog, "btnNew");
        EXPECT_EQ(List(dialog)->currentItem()->text(), u"新しいﾌｫﾙﾀﾞ(2)");
        TypeLabel(dialog, u"細部測量"_qs);
        EXPECT_EQ(TakeMessages(), QStringList{u"同一名称が既に存在します。"_qs});
        EXPECT_EQ(List(dialog)->currentItem()->text(), u"新しいﾌｫﾙﾀﾞ(2)");
        EXPECT_EQ(regions_.size(), 1);
        Click(dialog, "btnCancel");
    });
    EXPECT_EQ(Choose(), std::nullopt);
    EXPECT_EQ(NameOf(5), u"調査 'A' \"B\"");
    EXPECT_EQ(NameOf(6), u"新しいﾌｫﾙﾀﾞ");
    EXPECT_EQ(NameOf(7), u"新しいﾌｫﾙﾀﾞ(2)");
}

TEST_F(CalcDialogTest, CalculationLabelsAreNotEdited) {
    Add(QStringLiteral("既存の計算"), calcstore::kRootFolder);
    test::WhenShown([this](QWidget* dialog) {
        List(dialog)->setCurrentItem(Item(dialog, u"既存の計算"_qs));
        QTest::keyClick(List(dialog), Qt::Key_F2);
        EXPECT_EQ(LabelEditor(dialog), nullptr);
        EXPECT_EQ(prompt_.Records().size(), 1);  // told where names of calculations change

        List(dialog)->setCurrentItem(Item(dialog, u"細部測量"_qs));
        QTest::keyClick(List(dialog), Qt::Key_F2);  // a folder's label opens
        EXPECT_NE(LabelEditor(dialog), nullptr);
        TypeLabel(dialog, QString(), Qt::Key_Escape);
        Click(dialog, "btnCancel");
    });
    EXPECT_EQ(Choose(), std::nullopt);
    EXPECT_EQ(prompt_.Records().size(), 1);
}

TEST_F(CalcDialogTest, ConfirmingATakenNameStaysInTheDialog) {
    Add(QStringLiteral("開放トラバー"), kKijunten);
    test::WhenShown([this](QWidget* dialog) {
        DoubleClick(dialog, u"基準点測量"_qs);
        Click(dialog, "btnSave");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(TakeMessages(),
                  QStringList{u"同一名称が存在します。 名称を変更してください。"_qs});
        NameBox(dialog)->setText(u" 開放トラバー(2) "_qs);
        Click(dialog, "btnSave");
        EXPECT_FALSE(dialog->isVisible());
    });
    const std::optional<CalcEntryChoice> choice = Choose();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->name, u"開放トラバー(2)");
    EXPECT_EQ(choice->folderId, kKijunten);
}

TEST_F(CalcDialogTest, ReopensWhereTheUserLeftIt) {
    test::WhenShown([](QWidget* dialog) {
        DoubleClick(dialog, u"基準点測量"_qs);
        DoubleClick(dialog, u"令和8年度"_qs);
        Click(dialog, "btnReport");
        EXPECT_FALSE(List(dialog)->isWrapping());
        Click(dialog, "btnSave");
    });
    EXPECT_EQ(Choose().value().folderId, kReiwa8);
    EXPECT_EQ(Stored(QStringLiteral("POS")), u"2");
    EXPECT_EQ(Stored(QStringLiteral("VIEW")), u"3");

    test::WhenShown([](QWidget* dialog) {
        EXPECT_EQ(Path(dialog)->currentText(), u"令和8年度");
        EXPECT_FALSE(List(dialog)->isWrapping());  // the detail look
        Click(dialog, "btnList");
        EXPECT_TRUE(List(dialog)->isWrapping());
        Click(dialog, "btnCancel");
    });
    EXPECT_EQ(Choose(), std::nullopt);
    EXPECT_EQ(Stored(QStringLiteral("POS")), u"2");  // cancelling keeps the place too
    EXPECT_EQ(Stored(QStringLiteral("VIEW")), u"2");

    // The folder went to the recycle bin meanwhile: the dialog opens at the root.
    platform::Database::Open(path_)->Execute(
        QStringLiteral("UPDATE CALC SET DelFlg = 0 WHERE ID = 2"));
    test::WhenShown([](QWidget* dialog) {
        EXPECT_EQ(Path(dialog)->currentIndex(), 0);
        EXPECT_EQ(Labels(dialog), QStringList({u"基準点測量"_qs, u"細部測量"_qs}));
        Click(dialog, "btnSave");
    });
    EXPECT_EQ(Choose().value().folderId, calcstore::kRootFolder);
}
