#include "calcstore/ui/FolderPathBox.h"

#include <QStyledItemDelegate>

#include "calcstore/ui/CalcImages.h"

namespace calcstore_ui {
namespace {

constexpr int kIndentPixels = 16;

QString Key(qint32 id) {
    return QStringLiteral("ID") + QString::number(id);
}

// The popup shows the folders as a tree: each item moved right by its depth.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(indented.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
    }

  private:
    static int Indent(const QModelIndex& index) {
        return index.data(FolderPathBox::kDepthRole).toInt() * kIndentPixels;
    }
};

}  // namespace

FolderPathBox::FolderPathBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new IndentDelegate(this));
}

void FolderPathBox::Show(const QString& regionName, const calcstore::FolderPath& path) {
    clear();
    addItem(CalcIcon(CalcImage::Root), regionName, Key(calcstore::kRootFolder));
    setItemData(0, 0, kDepthRole);
    for (const calcstore::FolderPathItem& folder : path.items) {
        addItem(CalcIcon(CalcImage::Folder), folder.name, Key(folder.id));
        setItemData(count() - 1, folder.depth, kDepthRole);
    }
    setCurrentIndex(findData(Key(path.folderId), kKeyRole));
}

qint32 FolderPathBox::FolderAt(int index) const {
    return itemData(index, kKeyRole).toString().mid(2).toInt();
}

}  // namespace calcstore_ui
