// Reports on paper: where the ink goes on the page, that the PDF holds every number of the
// text notebook on the lines it prints them, with its font embedded, and what the RTF
// declares. Set TREVANTO_REPORT_PNG_DIR to a folder to get a PNG of each report's first page.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "notebook/CorrectionSettings.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/NotebookFixture.h"
#include "notebook/report/ReportPreparation.h"
#include "notebook/report/paint/ReportFiles.h"
#include "notebook/report/paint/ReportPainter.h"
#include "platform/CodePage.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "platform/ui/Fonts.h"
#include "support/FieldBook.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

using notebook::report::Align;
using notebook::report::PageLayoutOf;
using notebook::report::PrintSettings;
using notebook::report::RenderReportPage;
using notebook::report::Report;
using notebook::report::ReportDocument;

constexpr int kDpi = 100;

// The box round every pixel that is not white; empty for a blank page.
QRect Ink(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xffffff) != 0xffffff) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

PrintSettings Margins(int millimetres, int orientation = notebook::report::kLandscape) {
    PrintSettings settings;
    settings.marginTop = settings.marginBottom = settings.marginLeft = settings.marginRight =
        millimetres;
    settings.orientation = orientation;
    return settings;
}

QPageLayout A4(const PrintSettings& settings) {
    return PageLayoutOf(settings, QPageSize(QPageSize::A4));
}

// A document of full rows in three columns of the given width, framed and ruled.
ReportDocument Wide(int columnWidth, int rows) {
    ReportDocument document;
    document.fontName = notebook::report::FontNames().constFirst();
    document.layout.title = QStringLiteral("観 測 手 簿");
    document.layout.linesPerPage = rows + 1;
    document.layout.lineHeight = 12;
    document.layout.header = {QStringLiteral("観測点 A")};
    document.layout.rules = {true, true, true, true};
    auto& table = document.layout.tables.emplace_back();
    for (const char* field : {"A", "B", "C"})
        table.columns.push_back(
            {QString::fromLatin1(field), columnWidth, Align::Left, QStringLiteral("見出し")});
    auto& page = document.pages.emplace_back();
    page.number = 1;
    page.header = document.layout.header;
    page.lines.push_back({0, true, {}});
    const QString full(columnWidth, u'8');
    for (int r = 0; r < rows; ++r) page.lines.push_back({0, false, {full, full, full}});
    return document;
}

class ReportPaintTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { platform::RegisterJapaneseFontSubstitutes(); }
};

TEST_F(ReportPaintTest, MarginsOfNoneLetTheReportReachThePageEdgeAndWideMarginsStayClear) {
    const ReportDocument document = Wide(30, 30);
    const QPageLayout none = A4(Margins(0));
    EXPECT_EQ(none.paintRectPixels(kDpi), none.fullRectPixels(kDpi));
    const QRect edge = Ink(RenderReportPage(document, none, 0, kDpi));
    EXPECT_LE(edge.left(), 1);
    EXPECT_LE(edge.top(), kDpi / 4);  // the title's glyphs start below its line's top

    const QPageLayout wide = A4(Margins(20));
    const QRect clear = Ink(RenderReportPage(document, wide, 0, kDpi));
    EXPECT_TRUE(wide.paintRectPixels(kDpi).contains(clear))
        << clear.x() << ',' << clear.y() << ' ' << clear.width();
    EXPECT_LE(clear.left(), wide.paintRectPixels(kDpi).left() + 1);
}

// Three 100-unit columns are far wider than portrait A4: the page is drawn smaller as a
// whole, to the paint area's width and never beyond it.
TEST_F(ReportPaintTest, APageTooWideForThePaperIsDrawnSmallerWithinItsMargins) {
    const QPageLayout portrait = A4(Margins(10, notebook::report::kPortrait));
    const QRect area = portrait.paintRectPixels(kDpi);
    const QRect ink = Ink(RenderReportPage(Wide(100, 5), portrait, 0, kDpi));
    EXPECT_TRUE(area.contains(ink)) << ink.right() << " beyond " << area.right();
    EXPECT_GT(ink.right(), area.left() + area.width() * 9 / 10);
}

// The field book of a station observed in two sets and one observed without sets, reduced
// into its notebook files once for the suite.
class ReportFilesTest : public ReportPaintTest {
  protected:
    static void SetUpTestSuite() {
        ReportPaintTest::SetUpTestSuite();
        QStringList lines =
            platform::SplitLines(platform::cp932::Decode(test::TwoSetFieldBook("ST1")));
        while (!lines.isEmpty() && !lines.constLast().startsWith(u'Z')) lines.removeLast();
        lines.removeLast();
        lines << QStringLiteral("D,P0,,1.500,0,9911001,,,") << QStringLiteral("E,0,");
        for (int i = 1; i <= 3; ++i)
            lines
                << QStringLiteral("F,P%1,,1.500,r9001,12.3456,90.1020,50.000,50.001,,,000,").arg(i);
        lines << QStringLiteral("Z,");
        kept_ = new test::KeptNotebook(test::Reduce(lines));
        folder_ = test::NewFolder(QStringLiteral("report-files"));
        ASSERT_TRUE(notebook::BuildObservationNotebook(lines, {}, folder_).has_value());
        const QString database = Database();
        ASSERT_TRUE(notebook::RunDistanceCorrection(
            database,
            notebook::ConditionsOf(notebook::RepairedPrintHsub(notebook::kDefaultPrintHsub))));
        ASSERT_TRUE(notebook::report::WriteRegisteredHeights(database, nullptr));
    }
    static void TearDownTestSuite() { delete kept_; }

    static QString Database() { return QDir(folder_).filePath(notebook::kNotebookFileName); }
    static ReportDocument Document(Report report, const PrintSettings& settings = {}) {
        return notebook::report::BuildReportDocument(
            {Database(), report, settings, QStringLiteral("地区1"), {}});
    }

    static inline test::KeptNotebook* kept_ = nullptr;
    static inline QString folder_;
};

// A tool's standard output, or nothing when it is not installed or failed.
std::optional<QString> ToolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The numbers of a line as a reader picks them out: not the digits of a name like T1.
QStringList Numbers(const QString& line) {
    static const QRegularExpression number(
        QStringLiteral("(?<![\\w.])[-+]?\\d+(?:[-.]\\d+)*(?!\\w)"));
    QStringList numbers;
    for (const QRegularExpressionMatch& m : number.globalMatch(line)) numbers << m.captured();
    return numbers;
}

bool IsSubsequence(const QStringList& part, const QStringList& whole) {
    qsizetype at = 0;
    for (const QString& token : whole)
        if (at < part.size() && token == part[at]) ++at;
    return at == part.size();
}

TEST_F(ReportFilesTest, ThePdfPrintsEveryNumberOfTheTextNotebooksLinesInOrderWithItsFontEmbedded) {
    PrintSettings settings;
    settings.firstPage = 7;
    ASSERT_TRUE(notebook::report::WritePageNumber(Database(), settings.firstPage));
    const ReportDocument document = Document(Report::ObservationNotebook, settings);
    ASSERT_EQ(document.pages.size(), 2u);  // a page per station
    const QString pdf = QDir(folder_).filePath(QStringLiteral("手簿.pdf"));
    notebook::report::WriteReportPdf(pdf, document, A4(settings));
    const std::optional<QString> text = ToolOutput(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";

    EXPECT_TRUE(text->contains(QStringLiteral("7 / 8"))) << text->left(600).toStdString();
    EXPECT_TRUE(text->contains(QStringLiteral("8 / 8")));
    const QStringList pdfLines = text->split(u'\n');
    const QStringList file = platform::SplitLines(platform::cp932::Decode(
        platform::ReadFileBytes(QDir(folder_).filePath(notebook::kNotebookTextName))));
    qsizetype next = 0;
    int matched = 0;
    for (size_t row = 0; row < kept_->data.size(); ++row) {
        const QString& line = kept_->LineOf(row);
        ASSERT_TRUE(file.contains(line)) << line.toStdString();
        const QStringList numbers = Numbers(line);
        if (numbers.isEmpty()) continue;
        while (next < pdfLines.size() && !IsSubsequence(numbers, Numbers(pdfLines[next]))) ++next;
        ASSERT_LT(next, pdfLines.size())
            << "not in the PDF after the line before it: " << line.toStdString();
        ++next;
        ++matched;
    }
    EXPECT_GE(matched, 15);  // both sets' horizontal and vertical lines, and the plain list

    const std::optional<QString> fonts = ToolOutput(QStringLiteral("pdffonts"), {pdf});
    ASSERT_TRUE(fonts.has_value());
    bool embedded = false;
    for (const QString& line : fonts->split(u'\n').mid(2)) {
        const QStringList columns = line.split(u' ', Qt::SkipEmptyParts);
        embedded = embedded || (columns.size() >= 5 && columns[columns.size() - 5] == u"yes");
    }
    EXPECT_TRUE(embedded) << fonts->toStdString();
}

TEST_F(ReportFilesTest, EveryReportPaintsItsFirstPage) {
    const QString pngFolder = qEnvironmentVariable("TREVANTO_REPORT_PNG_DIR");
    for (const Report report :
         {Report::DistanceCorrection, Report::DistanceHeight, Report::ObservationNotebook}) {
        const ReportDocument document = Document(report);
        ASSERT_FALSE(document.pages.empty());
        const QPageLayout paper = A4(PrintSettings());
        const QImage page = RenderReportPage(document, paper, 0, kDpi);
        EXPECT_EQ(page.size(), paper.fullRectPixels(kDpi).size());
        EXPECT_FALSE(Ink(page).isEmpty()) << "report " << static_cast<int>(report);
        if (!pngFolder.isEmpty()) {
            const QString path = QDir(pngFolder).filePath(
                QStringLiteral("report%1.png").arg(static_cast<int>(report)));
            EXPECT_TRUE(QDir().mkpath(pngFolder) && page.save(path)) << path.toStdString();
        }
    }
}

TEST_F(ReportPaintTest, TheRtfDeclaresFontAndPaperAndEscapesWhatIsNotAscii) {
    ReportDocument document = Wide(8, 2);
    document.layout.title = QStringLiteral("観測");
    document.pages[0].lines[1].cells = {QStringLiteral("a{b}\\c"), QStringLiteral("ｱ"), QString()};
    document.pages.push_back(document.pages[0]);
    document.pages.push_back(document.pages[0]);

    const QByteArray landscape = notebook::report::ReportRtf(document, A4(Margins(10)));
    EXPECT_TRUE(landscape.startsWith("{\\rtf1"));
    EXPECT_TRUE(landscape.endsWith("}\n"));
    // ＭＳ ゴシック in the code page the font table declares.
    EXPECT_TRUE(landscape.contains("{\\fonttbl{\\f0\\fmodern\\fcharset128 \\'82\\'6c\\'82\\'72"))
        << landscape.left(200).toStdString();
    EXPECT_TRUE(landscape.contains(
        "\\paperw16838\\paperh11906\\margl567\\margr567\\margt567\\margb567\\landscape"));
    EXPECT_TRUE(
        landscape.contains("\\u-30285?\\u28204?\\par"));  // 観 is over 0x7FFF: a negative escape
    EXPECT_TRUE(landscape.contains(" a\\{b\\}\\\\c   \\u-143?"));
    EXPECT_EQ(landscape.count("\\page\n"), 2);
    for (const char byte : landscape) ASSERT_LT(static_cast<unsigned char>(byte), 0x80);

    const QByteArray portrait =
        notebook::report::ReportRtf(document, A4(Margins(0, notebook::report::kPortrait)));
    EXPECT_TRUE(portrait.contains("\\paperw11906\\paperh16838\\margl0\\margr0\\margt0\\margb0\n"));
    EXPECT_FALSE(portrait.contains("\\landscape"));
}

TEST_F(ReportFilesTest, ThePaperSetsTheLinesOfAPageAndMarginsWithoutRoomAreRefused) {
    const notebook::report::ReportLayout layout = notebook::report::ReadReportLayout(
        notebook::report::LayoutPath(10, Report::ObservationNotebook, false));
    const auto linesOn = [&layout](const PrintSettings& settings) {
        return notebook::report::BuildReportForPaper({Database(), Report::ObservationNotebook, settings, {}, {}},
                                                     layout, A4(settings))
            .layout.linesPerPage;
    };
    const int landscape = linesOn(Margins(10));
    EXPECT_NEAR(landscape, layout.linesPerPage, 3);  // the paper the layout was drawn for
    EXPECT_GT(linesOn(Margins(10, notebook::report::kPortrait)), landscape * 4 / 3);
    EXPECT_GT(linesOn(Margins(0)), landscape);
    EXPECT_THROW(linesOn(Margins(99)), platform::FileError);
}

}  // namespace
