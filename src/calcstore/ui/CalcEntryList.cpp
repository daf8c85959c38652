#include "calcstore/ui/CalcEntryList.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include "calcstore/CalcDialogSettings.h"
#include "calcstore/ui/CalcImages.h"

namespace calcstore_ui {
namespace {

QString Key(const calcstore::CalcEntry& entry) {
    return (entry.isFolder ? QStringLiteral("FID") : QStringLiteral("DID")) +
           QString::number(entry.id);
}

QString KeyOf(const QListWidgetItem* item) {
    return item->data(CalcEntryList::kKeyRole).toString();
}

}  // namespace

// Every label may be clicked into, so that the view's own rules decide when editing starts
// (a click on the selected item, not a double click). The editor itself opens for folders
// only: calculations are renamed where they are managed, and the user is told so.
class LabelDelegate : public QStyledItemDelegate {
  public:
    explicit LabelDelegate(CalcEntryList* list) : QStyledItemDelegate(list), list_(list) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!CalcEntryList::IsFolder(list_->itemFromIndex(index))) {
            if (list_->refused_) list_->refused_();
            return nullptr;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    // The label changes only to the name the owner stored; a refused one keeps the old.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line || !list_->renamer_) return;
        const QListWidgetItem* item = list_->itemFromIndex(index);
        if (const std::optional<QString> stored =
                list_->renamer_(CalcEntryList::IdOf(item), line->text()))
            model->setData(index, *stored, Qt::EditRole);
    }

  private:
    CalcEntryList* list_;
};

CalcEntryList::CalcEntryList(QWidget* parent) : QListWidget(parent) {
    setEditTriggers(SelectedClicked | EditKeyPressed);
    setItemDelegate(new LabelDelegate(this));
    setSelectionMode(SingleSelection);
    setMovement(Static);
    setResizeMode(Adjust);
    // The heading of the detail look; a list view has none of its own.
    auto* heads = new QStandardItemModel(0, 1, this);
    heads->setHorizontalHeaderLabels({QStringLiteral("名称")});
    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setModel(heads);
    header_->setStretchLastSection(true);
    header_->setSectionsClickable(false);
    SetViewStyle(calcstore::kListStyle);
}

void CalcEntryList::Show(const std::vector<calcstore::CalcEntry>& entries) {
    clear();
    for (const calcstore::CalcEntry& entry : entries) {
        auto* item = new QListWidgetItem(
            CalcIcon(entry.isFolder ? CalcImage::Folder : CalcImage::Data), entry.name, this);
        item->setData(kKeyRole, Key(entry));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void CalcEntryList::SetViewStyle(int style) {
    viewStyle_ = style == calcstore::kDetailStyle ? calcstore::kDetailStyle : calcstore::kListStyle;
    const bool detail = viewStyle_ == calcstore::kDetailStyle;
    setFlow(TopToBottom);
    setWrapping(!detail);  // the list look fills column after column
    header_->setVisible(detail);
    setViewportMargins(0, detail ? header_->sizeHint().height() : 0, 0, 0);
    updateGeometries();
}

QListWidgetItem* CalcEntryList::FolderItem(qint32 id) const {
    const QString key = QStringLiteral("FID") + QString::number(id);
    for (int row = 0; row < count(); ++row)
        if (KeyOf(item(row)) == key) return item(row);
    return nullptr;
}

bool CalcEntryList::IsFolder(const QListWidgetItem* item) {
    return KeyOf(item).startsWith(u'F');
}

qint32 CalcEntryList::IdOf(const QListWidgetItem* item) {
    return KeyOf(item).mid(3).toInt();
}

void CalcEntryList::updateGeometries() {
    QListWidget::updateGeometries();
    const QRect area = viewport()->geometry();
    const int height = header_->sizeHint().height();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

}  // namespace calcstore_ui
