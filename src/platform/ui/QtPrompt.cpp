#include "platform/ui/QtPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <memory>

namespace platform {
namespace {

QMessageBox::Icon ToQt(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QWidget* Owner() {
    return QApplication::activeWindow();
}

// Qt's own file dialog reads a typed name with '"' as several quoted names and keeps only
// a part of it (`a".APA` became the hidden file ".APA"). A name is taken as typed or
// refused, so such a name is refused here and the dialog stays open. Native dialogs take
// names literally and have no name box of Qt's.
class FileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name && name->text().contains(u'"')) {
            QMessageBox::warning(this, QStringLiteral("確認"), kQuoteInFileName);
            return;
        }
        QFileDialog::accept();
    }
};

QFileDialog* MakeDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    auto* dialog =
        new FileDialog(Owner(), request.title, request.initialFolder, QtFileFilter(request.filter));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = dialog->nameFilters();
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog->selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty()) dialog->selectFile(request.fileName);
    return dialog;
}

FileDialogResult Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    std::unique_ptr<QFileDialog> dialog(MakeDialog(request, mode));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return {DialogStatus::Chosen, dialog->selectedFiles().constFirst(), {}};
}

}  // namespace

QString QtFileFilter(const QString& filter) {
    QStringList entries;
    for (const auto& [name, pattern] : FilterPairs(filter)) {
        const QString patterns = QString(pattern).replace(u';', u' ');
        entries.append(name.endsWith(u'(' + pattern + u')') || name.endsWith(u'(' + patterns + u')')
                           ? name
                           : name + QStringLiteral(" (") + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

PromptAnswer QtPrompt::Message(const QString& text, const QString& title, PromptIcon icon,
                               PromptButtons buttons) {
    QMessageBox box(ToQt(icon), title.isEmpty() ? DefaultPromptTitle() : title, text, ToQt(buttons),
                    Owner());
    switch (box.exec()) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
}

std::optional<QString> QtPrompt::Input(const QString& text, const QString& title,
                                       const QString& defaultValue) {
    bool ok = false;
    const QString value =
        QInputDialog::getText(Owner(), title.isEmpty() ? DefaultPromptTitle() : title, text,
                              QLineEdit::Normal, defaultValue, &ok);
    if (!ok) return std::nullopt;
    return value;
}

FileDialogResult QtPrompt::OpenFile(const FileDialogRequest& request) {
    return Run(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtPrompt::SaveFile(const FileDialogRequest& request) {
    return Run(request, QFileDialog::AcceptSave);
}

void QtPrompt::BeginWait() {
    if (waitDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompt::EndWait() {
    if (waitDepth_ > 0 && --waitDepth_ == 0) QApplication::restoreOverrideCursor();
}

void QtPrompt::Beep() {
    QApplication::beep();
}

void InstallQtPromptIfNone() {
    static QtPrompt prompt;
    if (!HasActivePrompt()) SetActivePrompt(&prompt);
}

}  // namespace platform
