#pragma once
// The data folder dialog: pick the folder where received, converted and copied files go.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QTreeView;

namespace host {

class frmDRVSET : public QDialog {
    Q_OBJECT
  public:
    explicit frmDRVSET(QWidget* parent = nullptr);

  private:
    void ShowDrive(const QString& root);
    void ShowFolder(const QString& folder);
    void ShowInTree(const QString& folder);
    void FolderRead(const QString& folder);
    void Confirm();

    QLineEdit* text_ = nullptr;
    QComboBox* drives_ = nullptr;
    QTreeView* folders_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QListWidget* files_ = nullptr;
    QString awaited_;       // the folder whose reading brings scrollTarget_ into view
    QString scrollTarget_;
};

}  // namespace host
