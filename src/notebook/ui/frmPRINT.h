#pragma once
// The print form: the three reports of the notebook the menu has just made, to a file, a
// printer or the preview, with the printer, paper, font, line spacing, margins and first
// page number the user keeps (section Trevanto\PrintCR).

#include <QDialog>
#include <QPrinterInfo>
#include <functional>
#include <optional>

#include "notebook/SurveyClass.h"
#include "notebook/report/LayoutFiles.h"
#include "notebook/report/PrintSettings.h"
#include "notebook/report/ReportDocument.h"

class QComboBox;
class QLabel;
class QPageLayout;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace platform {
class Prompt;
class SettingsStore;
}  // namespace platform

namespace notebook_ui {

// What the form works on.
struct PrintContext {
    QString workFolder;    // holds SHUBO.MDB and SHUBO1.DAT
    QString districtPath;  // the district's calculation database; empty: none
    QString districtName;  // for the report headers
    std::optional<notebook::SurveyClass> surveyClass;  // marks report 3's values over its limits
    // Opens traverse creation over this notebook; none: the traverse button is disabled.
    std::function<void(QWidget* parent)> createTraverse;
};

class frmPRINT : public QDialog {
    Q_OBJECT
  public:
    frmPRINT(PrintContext context, platform::Prompt& prompt, platform::SettingsStore& store,
             QWidget* parent = nullptr);
    ~frmPRINT() override;

    // The settings as the controls show them.
    notebook::report::PrintSettings Settings() const;
    // Runs button `index` of the report buttons: report index / 3 + 1; file output, print,
    // preview for index % 3 = 0, 1, 2.
    void RunReportButton(int index);

  signals:
    // The preview window is about to open (tests close it from here).
    void PreviewOpening(QDialog* preview);

  private:
    QWidget* BuildSettings();
    QWidget* BuildMargins();
    QWidget* BuildReports();
    void FillPrinters();
    void FillPapers();
    void ShowSettings(const notebook::report::PrintSettings& settings);
    void SaveSettings();
    void ChangePrinterAndPaper();

    bool PrepareReport(notebook::report::Report report);
    bool PrepareHeights(bool pageNumber);
    std::optional<notebook::report::ReportDocument> Document(notebook::report::Report report);
    QPageLayout PageLayout() const;
    void FileOutput(notebook::report::Report report);
    void Print(const notebook::report::ReportDocument& document);
    void Preview(const notebook::report::ReportDocument& document);
    void ShowError(int number, const QString& text);
    QString Database() const;

    PrintContext context_;
    platform::Prompt& prompt_;
    platform::SettingsStore& store_;
    QList<QPrinterInfo> printers_;
    QComboBox* printer_ = nullptr;
    QComboBox* paper_ = nullptr;
    QComboBox* orientation_ = nullptr;
    QComboBox* font_ = nullptr;
    QComboBox* fontSize_ = nullptr;
    QComboBox* spacing_ = nullptr;
    QSpinBox* margins_[4] = {};  // top, bottom, left, right
    QSpinBox* pageNumber_ = nullptr;
    QLabel* printerNote_ = nullptr;
    std::vector<QPushButton*> reportButtons_;
};

// Shows the print form modally over the notebook of the work folder.
void ShowPrintForm(QWidget* parent, const PrintContext& context);

}  // namespace notebook_ui
