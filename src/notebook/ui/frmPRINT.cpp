#include "notebook/ui/frmPRINT.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "notebook/ui/DialogButtons.h"
#include "notebook/CorrectionSettings.h"
#include "notebook/DistanceCorrection.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/report/ReportPreparation.h"
#include "notebook/report/paint/ReportFiles.h"
#include "notebook/report/paint/ReportPainter.h"
#include "notebook/ui/frmPRINTHEDIT.h"
#include "notebook/ui/frmPRINTHSUB.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"

namespace notebook_ui {
namespace {

using notebook::report::PrintSettings;
using notebook::report::Report;

const QString kTitle = QStringLiteral("確認");
const QString kNoDefaultPrinter = QStringLiteral(
    "通常使用するﾌﾟﾘﾝﾀが設定されていません。\n"
    "ﾌﾟﾘﾝﾀをｲﾝｽﾄｰﾙして通常使うﾌﾟﾘﾝﾀを選ぶには、[ｽﾀｰﾄ] ﾒﾆｭｰの [設定] - [ﾌﾟﾘﾝﾀ]を選んで\n"
    "[ﾌﾟﾘﾝﾀの追加] をﾀﾞﾌﾞﾙｸﾘｯｸしてください。");
const QString kNoPaper = QStringLiteral("有効な用紙が見つかりません。");
const QString kNeedsPrinter = QStringLiteral("印刷にはﾌﾟﾘﾝﾀが必要です（ﾌﾟﾚﾋﾞｭｰとﾌｧｲﾙ出力はできます）。");
const QString kHeightQuestion = QStringLiteral(" 高さ（標高）計算をしますか ？");
const QString kOutputFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*|");

// Error numbers of the form's own failures, as the user may quote them.
enum ErrorNumber { kFileError = 1, kPrinterError = 2, kReportError = 3 };

// The paper a printer offers when there is no printer: what preview and files may use.
QList<QPageSize> StandardPapers() {
    return {QPageSize(QPageSize::A3),    QPageSize(QPageSize::A4),     QPageSize(QPageSize::A5),
            QPageSize(QPageSize::JisB4), QPageSize(QPageSize::JisB5),  QPageSize(QPageSize::Letter),
            QPageSize(QPageSize::Legal)};
}

QComboBox* Combo(const QString& name, const QStringList& items = {}) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

}  // namespace

frmPRINT::frmPRINT(PrintContext context, platform::Prompt& prompt, platform::SettingsStore& store, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), prompt_(prompt), store_(store) {
    setObjectName(QStringLiteral("frmPRINT"));
    setWindowTitle(QStringLiteral("印刷設定"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildSettings(), 3);
    top->addWidget(BuildMargins(), 2);
    layout->addLayout(top);
    layout->addWidget(BuildReports());
    auto* buttons = new QHBoxLayout;
    auto* reset = NamedButton(QStringLiteral("cmdReset"), QStringLiteral("設定条件を初期値にする"));
    auto* save = NamedButton(QStringLiteral("cmdSave"), QStringLiteral("設定条件を保存する。"));
    auto* traverse = NamedButton(QStringLiteral("cmdTraverse"), QStringLiteral("トラバーファイル作成"));
    traverse->setEnabled(static_cast<bool>(context_.createTraverse));
    auto* end = NamedButton(QStringLiteral("cmdEnd"), QStringLiteral("終　了"));
    for (QPushButton* b : {reset, save, traverse, end}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(reset, &QPushButton::clicked, this, [this] {
        PrintSettings defaults;
        defaults.paperSize = paper_->currentData().toInt();
        ShowSettings(defaults);
    });
    connect(save, &QPushButton::clicked, this, &frmPRINT::SaveSettings);
    connect(traverse, &QPushButton::clicked, this, [this] { context_.createTraverse(this); });
    connect(end, &QPushButton::clicked, this, &QDialog::accept);

    FillPrinters();
    ShowSettings(notebook::report::ReadPrintSettings(store_));
}

frmPRINT::~frmPRINT() = default;

QWidget* frmPRINT::BuildSettings() {
    auto* box = new QGroupBox(QStringLiteral("印刷設定"));
    auto* grid = new QGridLayout(box);
    printer_ = Combo(QStringLiteral("cmbPrinter"));
    paper_ = Combo(QStringLiteral("cmbPaper"));
    orientation_ = Combo(QStringLiteral("cmbOrientation"));
    orientation_->addItem(QStringLiteral("縦"), notebook::report::kPortrait);
    orientation_->addItem(QStringLiteral("横"), notebook::report::kLandscape);
    font_ = Combo(QStringLiteral("cmbFont"), notebook::report::FontNames());
    fontSize_ = Combo(QStringLiteral("cmbFontSize"), notebook::report::FontSizes());
    spacing_ = Combo(QStringLiteral("cmbSpacing"), {notebook::report::kCloseSpacing, notebook::report::kOpenSpacing});
    pageNumber_ = new QSpinBox;
    pageNumber_->setObjectName(QStringLiteral("txtPageNumber"));
    pageNumber_->setRange(1, 99999);
    const std::pair<const char16_t*, QWidget*> rows[] = {
        {u"使用ﾌﾟﾘﾝﾀ：", printer_}, {u"用紙ｻｲｽﾞ：", paper_},   {u"印刷方向：", orientation_},
        {u"ﾌｫﾝﾄ名：", font_},       {u"ﾌｫﾝﾄｻｲｽﾞ：", fontSize_}, {u"印字行間：", spacing_},
        {u"観測手簿のﾍﾟｰｼﾞ番号：", pageNumber_}};
    int row = 0;
    for (const auto& [label, control] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf16(label)), row, 0);
        grid->addWidget(control, row++, 1);
    }
    auto* change = NamedButton(QStringLiteral("cmdPrinter"), QStringLiteral("ﾌﾟﾘﾝﾀと用紙の変更"));
    grid->addWidget(change, row++, 1);
    printerNote_ = new QLabel(kNeedsPrinter);
    printerNote_->setObjectName(QStringLiteral("lblPrinterNote"));
    printerNote_->setWordWrap(true);
    grid->addWidget(printerNote_, row, 0, 1, 2);
    connect(change, &QPushButton::clicked, this, &frmPRINT::ChangePrinterAndPaper);
    connect(printer_, &QComboBox::currentIndexChanged, this, &frmPRINT::FillPapers);
    return box;
}

QWidget* frmPRINT::BuildMargins() {
    auto* box = new QGroupBox(QStringLiteral(" 用紙余白(mm) "));
    auto* grid = new QGridLayout(box);
    const std::pair<const char16_t*, const char*> sides[] = {
        {u"上側(&T)", "txtTop"}, {u"下側(&B)", "txtBottom"}, {u"左側(&L)", "txtLeft"}, {u"右側(&R)", "txtRight"}};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = new QSpinBox;
        margins_[i]->setObjectName(QLatin1String(sides[i].second));
        margins_[i]->setRange(0, notebook::report::kMaxMargin);
        auto* label = new QLabel(QString::fromUtf16(sides[i].first));
        label->setBuddy(margins_[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(margins_[i], i, 1);
    }
    auto* note = new QLabel(QStringLiteral("注意：余白に 0 を指示すると印刷範囲内いっぱいに設定されます。"));
    note->setWordWrap(true);
    grid->addWidget(note, 4, 0, 1, 2);
    return box;
}

QWidget* frmPRINT::BuildReports() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const char16_t* captions[] = {u" 距離補正計算 ", u" 距離高さ計算 ", u" 観 測 手 簿 "};
    const char16_t* actions[] = {u"ﾌｧｲﾙ出力", u"印  刷", u"プレビュー"};
    for (int report = 0; report < 3; ++report) {
        auto* box = new QGroupBox(QString::fromUtf16(captions[report]));
        auto* buttons = new QHBoxLayout(box);
        for (int action = 0; action < 3; ++action) {
            const int index = report * 3 + action;
            auto* button = NamedButton(QStringLiteral("Command1_") + QString::number(index), QString::fromUtf16(actions[action]));
            connect(button, &QPushButton::clicked, this, [this, index] { RunReportButton(index); });
            buttons->addWidget(button);
            reportButtons_.push_back(button);
        }
        layout->addWidget(box);
    }
    return row;
}

void frmPRINT::FillPrinters() {
    printers_ = QPrinterInfo::availablePrinters();
    const QString chosen = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo& info : printers_) printer_->addItem(info.printerName());
    const bool havePrinter = !printers_.isEmpty();
    // Without any printer the form's own note says what remains; with printers but none
    // chosen as the default, the user is told how to choose one.
    if (havePrinter && chosen.isEmpty()) prompt_.Show(kNoDefaultPrinter, kTitle, platform::PromptIcon::Exclamation);
    printer_->setEnabled(havePrinter);
    findChild<QPushButton*>(QStringLiteral("cmdPrinter"))->setEnabled(havePrinter);
    printerNote_->setVisible(!havePrinter);
    for (size_t i = 1; i < reportButtons_.size(); i += 3) reportButtons_[i]->setEnabled(havePrinter);
    if (havePrinter) printer_->setCurrentIndex(std::max(0, static_cast<int>(printer_->findText(chosen))));
    FillPapers();
}

void frmPRINT::FillPapers() {
    const int index = printer_->currentIndex();
    const QList<QPageSize> sizes = index >= 0 ? printers_[index].supportedPageSizes() : StandardPapers();
    const int previous = paper_->currentData().toInt();
    paper_->clear();
    for (const QPageSize& size : sizes)
        if (size.windowsId() > 0) paper_->addItem(size.name(), size.windowsId());
    if (paper_->count() == 0) {
        prompt_.Show(kNoPaper, kTitle, platform::PromptIcon::Exclamation);
        return;
    }
    const QPageSize fallback = index >= 0 ? printers_[index].defaultPageSize() : QPageSize(QPageSize::A4);
    const int found = paper_->findData(previous > 0 ? previous : fallback.windowsId());
    paper_->setCurrentIndex(found >= 0 ? found : std::max(0, static_cast<int>(paper_->findData(fallback.windowsId()))));
}

void frmPRINT::ShowSettings(const PrintSettings& s) {
    if (s.paperSize > 0 && paper_->findData(s.paperSize) >= 0) paper_->setCurrentIndex(paper_->findData(s.paperSize));
    orientation_->setCurrentIndex(orientation_->findData(s.orientation));
    font_->setCurrentText(s.fontName);
    fontSize_->setCurrentText(s.fontSize);
    spacing_->setCurrentIndex(s.openSpacing ? 1 : 0);
    const int margins[] = {s.marginTop, s.marginBottom, s.marginLeft, s.marginRight};
    for (int i = 0; i < 4; ++i) margins_[i]->setValue(margins[i]);
    pageNumber_->setValue(s.firstPage);
}

PrintSettings frmPRINT::Settings() const {
    PrintSettings s;
    s.fontName = font_->currentText();
    s.fontSize = fontSize_->currentText();
    s.openSpacing = spacing_->currentIndex() == 1;
    s.marginTop = margins_[0]->value();
    s.marginBottom = margins_[1]->value();
    s.marginLeft = margins_[2]->value();
    s.marginRight = margins_[3]->value();
    s.paperSize = paper_->currentData().toInt();
    s.orientation = orientation_->currentData().toInt();
    s.firstPage = pageNumber_->value();
    return s;
}

void frmPRINT::SaveSettings() {
    try {
        notebook::report::SavePrintSettings(store_, Settings());
    } catch (const platform::FileError& e) {
        ShowError(kFileError, e.Told());
    }
}

void frmPRINT::ChangePrinterAndPaper() {
    const int index = printer_->currentIndex();
    if (index < 0) return;
    QPrinter printer(printers_[index]);
    printer.setPageLayout(PageLayout());
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const int paper = paper_->findData(printer.pageLayout().pageSize().windowsId());
    if (paper >= 0) paper_->setCurrentIndex(paper);
    orientation_->setCurrentIndex(printer.pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1);
}

QString frmPRINT::Database() const {
    return QDir(context_.workFolder).filePath(notebook::kNotebookFileName);
}

QPageLayout frmPRINT::PageLayout() const {
    const int index = printer_->currentIndex();
    return notebook::report::PageLayoutOf(
        Settings(), index >= 0 ? printers_[index].defaultPageSize() : QPageSize(QPageSize::A4));
}

void frmPRINT::ShowError(int number, const QString& text) {
    prompt_.Show(QStringLiteral("エラー (") + QString::number(number) + QStringLiteral(" )\n") + text, kTitle,
                 platform::PromptIcon::Critical);
}

void frmPRINT::RunReportButton(int index) {
    const auto report = static_cast<Report>(index / 3 + 1);
    const PrintSettings s = Settings();
    const QString layout = notebook::report::LayoutPath(s.FontPoints(), report, s.openSpacing);
    if (!QFileInfo::exists(layout)) {
        prompt_.Show(notebook::report::MissingLayoutMessage(layout), kTitle, platform::PromptIcon::Exclamation);
        return;
    }
    if (!PrepareReport(report)) return;
    if (index % 3 == 0) return FileOutput(report);
    const auto document = Document(report);
    if (!document) return;
    if (index % 3 == 1)
        Print(*document);
    else
        Preview(*document);
}

bool frmPRINT::PrepareReport(Report report) {
    if (report != Report::DistanceCorrection) return PrepareHeights(report == Report::ObservationNotebook);
    const std::optional<QString> conditions = EditCorrectionConditions(this);
    if (!conditions) return false;
    platform::WaitCursor wait(prompt_);
    if (notebook::RunDistanceCorrection(Database(), notebook::ConditionsOf(*conditions))) return true;
    prompt_.Show(notebook::report::kCorrectionSheetError, kTitle, platform::PromptIcon::Critical);
    return false;
}

bool frmPRINT::PrepareHeights(bool pageNumber) {
    bool written = true;
    if (prompt_.Message(kHeightQuestion, QString(), platform::PromptIcon::Question, platform::PromptButtons::YesNo) ==
        platform::PromptAnswer::Yes) {
        try {
            std::shared_ptr<platform::Database> district;
            if (!context_.districtPath.isEmpty()) district = platform::Database::Open(context_.districtPath);
            const auto edited = EditStationElevations(
                this, notebook::report::ElevationsToConfirm(Database(), district.get()), district.get());
            if (edited) written = notebook::report::WriteConfirmedElevations(Database(), *edited);
        } catch (const platform::DbError& e) {
            ShowError(kReportError, e.Description());
            return false;
        }
    }
    if (written && pageNumber) written = notebook::report::WritePageNumber(Database(), Settings().firstPage);
    if (!written) prompt_.Show(notebook::report::kHeightSheetError, kTitle, platform::PromptIcon::Critical);
    return written;
}

std::optional<notebook::report::ReportDocument> frmPRINT::Document(Report report) {
    platform::WaitCursor wait(prompt_);
    try {
        const notebook::report::PrintSettings s = Settings();
        return notebook::report::BuildReportForPaper(
            {Database(), report, s, context_.districtName, context_.surveyClass},
            notebook::report::ReadReportLayout(notebook::report::LayoutPath(s.FontPoints(), report, s.openSpacing)),
            PageLayout());
    } catch (const platform::FileError& e) {
        ShowError(kReportError, e.Told());
    } catch (const platform::DbError& e) {
        ShowError(kReportError, e.Description());
    }
    return std::nullopt;
}

void frmPRINT::FileOutput(Report report) {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("ﾌｧｲﾙ出力");
    request.initialFolder = context_.workFolder;
    request.filter = kOutputFilter;
    const platform::FileDialogResult chosen = prompt_.SaveFile(request);
    if (chosen.status == platform::DialogStatus::Failed) ShowError(kFileError, chosen.error);
    if (chosen.status != platform::DialogStatus::Chosen) return;
    const QString suffix = QFileInfo(chosen.path).suffix().toLower();
    std::optional<notebook::report::ReportDocument> document;
    if (suffix == u"rtf" || suffix == u"pdf") {
        document = Document(report);
        if (!document) return;
    }
    try {
        platform::WaitCursor wait(prompt_);
        if (suffix == u"rtf")
            notebook::report::WriteReportRtf(chosen.path, *document, PageLayout());
        else if (suffix == u"pdf")
            notebook::report::WriteReportPdf(chosen.path, *document, PageLayout());
        else
            platform::CopyFileBytes(QDir(context_.workFolder).filePath(notebook::kNotebookTextName), chosen.path);
    } catch (const platform::FileError& e) {
        ShowError(kFileError, e.Told());
    }
}

void frmPRINT::Print(const notebook::report::ReportDocument& document) {
    const int index = printer_->currentIndex();
    if (index < 0) return;
    QPrinter printer(printers_[index], QPrinter::HighResolution);
    printer.setPageLayout(PageLayout());
    printer.setDocName(document.layout.title);
    platform::WaitCursor wait(prompt_);
    if (!notebook::report::PaintReport(document, printer))
        ShowError(kPrinterError, printer.printerName() + QStringLiteral(" に印刷できませんでした。"));
}

void frmPRINT::Preview(const notebook::report::ReportDocument& document) {
    const int index = printer_->currentIndex();
    QPrinter printer(QPrinter::HighResolution);
    if (index >= 0) printer.setPrinterName(printers_[index].printerName());
    printer.setPageLayout(PageLayout());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("frmPREVIEW"));
    preview.setWindowTitle(document.layout.title);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&document](QPrinter* target) { notebook::report::PaintReport(document, *target); });
    emit PreviewOpening(&preview);
    preview.exec();
}

void ShowPrintForm(QWidget* parent, const PrintContext& context) {
    frmPRINT form(context, platform::ActivePrompt(), platform::SettingsStore::User(), parent);
    form.exec();
}

}  // namespace notebook_ui
