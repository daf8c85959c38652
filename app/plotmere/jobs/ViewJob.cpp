// view: the points and parcels of a SIMA file in the plot view; a click on a point names it
// in the status bar.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>

#include "jobs/ImageFile.h"
#include "jobs/Job.h"
#include "jobs/JobParser.h"
#include "plotmere/plotview/SimaPlot.h"
#include "plotmere/plotview/ui/PlotViewEx.h"

namespace plotmere_app {
namespace {

const QString kPng = QStringLiteral("png");
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
constexpr double kPickPixels = 5;  // a click this close to a point picks it

QString Coordinates(double x, double y) {
    return QStringLiteral("X %1  Y %2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3);
}

void Fill(plotmere::PlotViewEx& view, const plotmere::SimaPlot& plot) {
    for (const plotmere::SimaPlotPoint& p : plot.points)
        view.AddPoint(p.name.isEmpty() ? p.number : p.name, p.x, p.y, p.z, QStringLiteral("No ") + p.number);
    const QString parcelColour = QStringLiteral("COL:青,");
    for (const std::vector<int>& parcel : plot.parcels) {
        for (size_t i = 0; i + 1 < parcel.size(); ++i) view.AddLink(parcel[i] + 1, parcel[i + 1] + 1, parcelColour);
        if (parcel.size() > 2) view.AddLink(parcel.back() + 1, parcel.front() + 1, parcelColour);
    }
}

// The window: the view, the cursor's position and the picked point in the status bar.
class ViewWindow : public QMainWindow {
  public:
    ViewWindow(const QString& file, const plotmere::SimaPlot& plot) {
        setObjectName(QStringLiteral("PlotmereView"));
        setWindowTitle(QFileInfo(file).fileName() + QStringLiteral(" - plotmere"));
        view_ = new plotmere::PlotViewEx(this);
        view_->setObjectName(QStringLiteral("PlotViewEx1"));
        setCentralWidget(view_);
        cursor_ = new QLabel(this);
        cursor_->setObjectName(QStringLiteral("Cursor"));
        statusBar()->addPermanentWidget(cursor_);
        Fill(*view_, plot);
        statusBar()->showMessage(QString::number(plot.points.size()) + QStringLiteral(" 点、") +
                                 QString::number(plot.parcels.size()) + QStringLiteral(" 画地"));
        QObject::connect(view_, &plotmere::PlotViewEx::MouseMove, view_, [this](short, short, float x, float y) {
            cursor_->setText(Coordinates(y, x));
            UpdateSearchRange();
        });
        QObject::connect(view_, &plotmere::PlotViewEx::SelectPoint, view_,
                         [this](const QString& name, double x, double y, double z, const QString& tag) {
                             statusBar()->showMessage(tag + QStringLiteral("  ") + name +
                                                      QStringLiteral("  ") + Coordinates(x, y) +
                                                      QStringLiteral("  Z %1").arg(z, 0, 'f', 3));
                         });
        resize(960, 720);
        UpdateSearchRange();
    }

  private:
    // A click picks within a few pixels, whatever the scale the window shows.
    void UpdateSearchRange() {
        plotmere::Extent extent = view_->DataExtent();
        plotmere::WidenDegenerate(extent);
        if (const auto fit = plotmere::FitExtent(extent, view_->width(), view_->height()))
            view_->setSearchRange(fit->Scale() * kPickPixels);
    }

    plotmere::PlotViewEx* view_ = nullptr;
    QLabel* cursor_ = nullptr;
};

int View(const QStringList& arguments) {
    JobParser job(QStringLiteral("view"), QStringLiteral("FILE.sim [--png FILE]"),
                  QStringLiteral("SIMA 座標ファイルの点（A01）と画地（D00〜D99 の B01）を図に示します。\n"
                                 "点をクリックすると、その点番号・名前・座標をステータスバーに出します。\n"
                                 "読めない記録は標準エラーに書き、終了状態 1 になります。"));
    job.AddOption({kPng, QStringLiteral("窓を開く代わりに、図を PNG に書いて終わります。"), QStringLiteral("FILE")});
    if (const auto end = job.Parse(arguments, 1, 1)) return *end;
    const QString path = job.Arguments().constFirst();
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        Tell(path + QStringLiteral(" を読めません。"));
        return kExitTrouble;
    }
    if (file.size() > kMaxFileBytes) {
        Tell(path + QStringLiteral(" は大きすぎます。"));
        return kExitTrouble;
    }
    const plotmere::SimaPlot plot = plotmere::ReadSimaPlot(file.readAll());
    for (const QString& fault : plot.faults) Tell(path + QStringLiteral(": ") + fault);
    if (plot.points.empty()) {
        Tell(path + QStringLiteral(" に点（A01）がありません。"));
        return kExitProblems;
    }
    ViewWindow window(path, plot);
    int status = plot.faults.isEmpty() ? kExitOk : kExitProblems;
    if (job.IsSet(kPng)) {
        window.layout()->activate();  // laid out as shown, without showing it
        if (const QString fault = SavePng(window.grab().toImage(), job.Value(kPng)); !fault.isEmpty()) {
            Tell(fault);
            return kExitTrouble;
        }
        return status;
    }
    window.show();
    QApplication::exec();
    return status;
}

}  // namespace

QList<Job> ViewJobs() {
    return {{QStringLiteral("view"), QStringLiteral("FILE.sim"), QStringLiteral("SIMA ファイルの点を図に"),
             Needs::Display, View}};
}

}  // namespace plotmere_app
