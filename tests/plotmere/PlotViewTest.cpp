// The plot view as a host uses it, offscreen: its tables, the extent and fit it draws with,
// picking, and the colours and dashes read back from the rendered control.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <numbers>

#include "Pixels.h"
#include "plotmere/plotview/HostError.h"
#include "plotmere/plotview/ui/PlotViewEx.h"
#include "plotmere/plotview/ui/ScenePainter.h"

namespace {

using plotmere::PaletteColour;
using plotmere::PlotViewEx;
using plotmere_test::Around;
using plotmere_test::Count;
using plotmere_test::Rendered;
namespace palette = plotmere::palette;

constexpr int kWide = 400, kHigh = 300;

// The pixel of a survey point in the view as last drawn.
QPointF PixelOf(const PlotViewEx& view, double x, double y) {
    const auto fit = plotmere::FitExtent(view.DataExtent(), view.width(), view.height());
    return fit ? QPointF(fit->PixelX(y), fit->PixelY(x)) : QPointF();
}

int HostErrorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const plotmere::HostError& e) {
        return e.Number();
    }
    return 0;
}

TEST(PlotViewEx, EmptyAndThinDataAreFitted) {
    PlotViewEx view;
    view.resize(kWide, kHigh);
    const QImage empty = Rendered(view);
    EXPECT_EQ(Count(empty, Qt::white), kWide * kHigh);  // draws nothing on 0..1
    EXPECT_EQ(view.DataExtent().MaxX, 1);

    view.AddPoint(QString(), 100, 200, 0, QString());  // one point: ±1 m around it, in the middle
    const QImage one = Rendered(view);
    EXPECT_EQ(view.DataExtent().MinX, 99);
    EXPECT_EQ(view.DataExtent().MaxY, 201);
    EXPECT_GT(Count(one, PaletteColour(palette::kRed), Around({kWide / 2.0, kHigh / 2.0}, 3)), 4);

    view.Clear();
    view.AddPoint(QString(), 0, 50, 0, QString());  // a north-south line: only east-west widened
    view.AddPoint(QString(), 10, 50, 0, QString());
    Rendered(view);
    EXPECT_EQ(view.DataExtent().MinY, 49);
    EXPECT_EQ(view.DataExtent().MaxY, 51);
    EXPECT_EQ(view.DataExtent().MaxX, 10);
    EXPECT_NEAR(PixelOf(view, 10, 50).y(), kHigh / 12.0, 1e-9);  // the north end a twelfth down
}

TEST(PlotViewEx, TablesKeepEveryRecordAndRefuseNumbersOutside) {
    PlotViewEx view;
    for (int i = 1; i <= 1001; ++i) EXPECT_EQ(view.AddPoint(QString::number(i), i, -i, 0.5, QString()), i);
    QString name, tag;
    double x = 0, y = 0, z = 0;
    view.GetPoint(1001, name, x, y, z, tag);
    EXPECT_EQ(name, QStringLiteral("1001"));
    EXPECT_EQ(y, -1001);
    EXPECT_EQ(z, 0.5);
    EXPECT_EQ(HostErrorNumber([&] { view.GetPoint(1002, name, x, y, z, tag); }), 9);
    EXPECT_EQ(HostErrorNumber([&] { view.GetPoint(0, name, x, y, z, tag); }), 9);
    view.AddLinkArc(1, 1001, -12.5, QStringLiteral("COL:赤,"));
    int32_t p1 = 0, p2 = 0;
    QString cTag;
    view.GetLink(1, p1, p2, cTag);
    EXPECT_EQ(p2, 1001);
    EXPECT_EQ(cTag, QStringLiteral("COL:赤,"));
    EXPECT_EQ(HostErrorNumber([&] { view.GetLink(2, p1, p2, cTag); }), 9);

    plotmere::PlotTables tables;  // room grows by whole blocks
    for (int i = 0; i < 1000; ++i) tables.AddPoint(QString(), 0, 0, 0, QString());
    EXPECT_EQ(tables.PointRoom(), 1000u);
    tables.AddPoint(QString(), 0, 0, 0, QString());
    EXPECT_EQ(tables.PointRoom(), 2000u);

    view.Clear();
    EXPECT_EQ(view.PointCount(), 0);
    EXPECT_EQ(view.LinkCount(), 0);
    EXPECT_EQ(view.DataExtent().MinX, 0);

    EXPECT_DOUBLE_EQ(PlotViewEx::Sec2Rad(QStringLiteral("648000")), std::numbers::pi);
    EXPECT_DOUBLE_EQ(PlotViewEx::Sec2Rad(QStringLiteral(" -324000 ")), -std::numbers::pi / 2);
    EXPECT_EQ(HostErrorNumber([] { PlotViewEx::Sec2Rad(QStringLiteral("90°")); }), 13);
    EXPECT_EQ(HostErrorNumber([] { PlotViewEx::Sec2Rad(QStringLiteral("inf")); }), 13);
    // A host that knows the control only by its methods' names fills it the same way.
    ASSERT_TRUE(QMetaObject::invokeMethod(&view, "AddPoint", Q_ARG(QString, QStringLiteral("M")), Q_ARG(double, 1),
                                          Q_ARG(double, 2), Q_ARG(double, 3), Q_ARG(QString, QString())));
    EXPECT_EQ(view.PointCount(), 1);
}

TEST(PlotViewEx, PicksTheFirstPointAddedWithinReach) {
    PlotViewEx view;
    view.resize(kWide, kHigh);
    view.AddPoint(QStringLiteral("A"), 0, 0, 1, QStringLiteral("a"));
    view.AddPoint(QStringLiteral("B"), 0.5, 0.5, 2, QStringLiteral("b"));
    view.AddPoint(QStringLiteral("C"), 40, 60, 3, QStringLiteral("c"));
    QSignalSpy picked(&view, &PlotViewEx::SelectPoint);
    QSignalSpy moved(&view, &PlotViewEx::MouseMove);
    const QPoint atB = PixelOf(view, 0.5, 0.5).toPoint();

    QTest::mouseClick(&view, Qt::LeftButton, {}, atB);
    EXPECT_EQ(picked.count(), 0);  // SearchRange 0: picking is off

    view.setSearchRange(1);
    QTest::mouseClick(&view, Qt::LeftButton, {}, atB);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toString(), QStringLiteral("A"));  // both in reach: the first added
    EXPECT_EQ(picked[0][4].toString(), QStringLiteral("a"));

    view.setSearchRange(0.2);
    QTest::mouseClick(&view, Qt::LeftButton, {}, atB);
    ASSERT_EQ(picked.count(), 2);
    EXPECT_EQ(picked[1][0].toString(), QStringLiteral("B"));
    EXPECT_EQ(picked[1][3].toDouble(), 2);

    const QPointF atC = PixelOf(view, 40, 60);
    QMouseEvent move(QEvent::MouseMove, atC, view.mapToGlobal(atC), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&view, &move);
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_NEAR(moved.last()[2].toFloat(), 60, 0.5);  // X east
    EXPECT_NEAR(moved.last()[3].toFloat(), 40, 0.5);  // Y north
    EXPECT_EQ(moved.last()[0].toInt(), 1);             // the left button held
    EXPECT_EQ(moved.last()[1].toInt(), 1);             // with Shift

    // The window is square and open: a point exactly at its edge is out of reach.
    plotmere::PlotTables tables;
    tables.AddPoint(QString(), 0, 0, 0, QString());
    EXPECT_EQ(plotmere::PickPoint(tables, 1, 0, 1), 0);
    EXPECT_EQ(plotmere::PickPoint(tables, 0.99, -0.99, 1), 1);
    EXPECT_EQ(plotmere::PickPoint(tables, 0, 0, -1), 0);
}

TEST(PlotViewEx, NoneTagDrawsTheLabelWithoutAMarker) {
    PlotViewEx view;
    view.resize(kWide, kHigh);
    view.AddPoint(QStringLiteral("P1"), 0, 0, 0, QString());
    view.AddPoint(QStringLiteral("P2"), 0, 100, 0, QStringLiteral("NONE"));
    const QImage image = Rendered(view);
    const QPointF p1 = PixelOf(view, 0, 0), p2 = PixelOf(view, 0, 100);
    const QColor red = PaletteColour(palette::kRed);
    EXPECT_GT(Count(image, red, Around(p1, 3)), 4);
    EXPECT_EQ(Count(image, red, Around(p2, 3)), 0);
    // The name stands on its point: black above and to the right of it.
    EXPECT_GT(plotmere_test::CountInk(image, QRect(qRound(p2.x()), qRound(p2.y()) - 16, 20, 16)), 10);
    EXPECT_EQ(plotmere_test::CountInk(image, QRect(qRound(p2.x()), qRound(p2.y()) + 2, 20, 16)), 0);
}

TEST(PlotViewEx, LinksTakeTheirColourAndDashFromTheTag) {
    PlotViewEx view;
    view.resize(kWide, kHigh);
    for (double x : {0.0, 50.0, 100.0, 150.0}) {
        view.AddPoint(QString(), x, 0, 0, QStringLiteral("NONE"));
        view.AddPoint(QString(), x, 200, 0, QStringLiteral("NONE"));
    }
    view.AddLink(1, 2, QStringLiteral("COL:赤,破"));  // the name ends at the comma
    view.AddLink(3, 4, QStringLiteral("x,COL:破"));
    view.AddLink(5, 6, QStringLiteral("COL:桃,"));
    view.AddLinkArc(7, 8, 150, QStringLiteral("COL:破,"));
    view.AddLinkArc(7, 8, 50, QStringLiteral("COL:赤,"));  // chord longer than 2r: not drawn
    view.AddLink(7, 99, QStringLiteral("COL:赤,"));       // a point never added: not drawn
    const QImage image = Rendered(view);
    const auto row = [&](double x) {
        const QPointF west = PixelOf(view, x, 20), east = PixelOf(view, x, 180);
        return QRect(QPoint(qRound(west.x()), qRound(west.y()) - 1), QPoint(qRound(east.x()), qRound(east.y()) + 1));
    };
    const int length = row(0).width();
    const QColor grey = PaletteColour(palette::kGrey);
    EXPECT_EQ(Count(image, PaletteColour(palette::kRed), row(0)), length);
    const int dashes = Count(image, grey, row(50));
    EXPECT_GT(dashes, length / 3);
    EXPECT_LT(dashes, length);  // gaps between the dashes
    EXPECT_EQ(Count(image, Qt::black, row(100)), length);  // an unknown name draws black
    // The arc bulges south of its chord in grey, undashed; nothing red is drawn there.
    const QPointF top = PixelOf(view, 150, 100), below = PixelOf(view, 150 - 40, 100);
    const QRect bulge(QPoint(qRound(top.x()) - 1, qRound(top.y()) + 2), QPoint(qRound(below.x()) + 1, qRound(below.y())));
    EXPECT_GT(Count(image, grey, bulge), 0);
    EXPECT_EQ(Count(image, PaletteColour(palette::kRed), QRect(0, 0, kWide, qRound(PixelOf(view, 120, 0).y()))), 0);
}

}  // namespace
