// The intersection view as a host drives it, offscreen: properties in, Disp, the answers
// out, and the figure read back from the rendered control.

#include <gtest/gtest.h>

#include "Pixels.h"
#include "plotmere/plotview/PlotFit.h"
#include "plotmere/plotview/ui/KoutenView.h"
#include "plotmere/plotview/ui/ScenePainter.h"

namespace {

using plotmere::KoutenView;
using plotmere::PaletteColour;
using plotmere_test::Around;
using plotmere_test::Count;
using plotmere_test::Rendered;
namespace palette = plotmere::palette;

QPointF PixelOf(const KoutenView& view, double x, double y) {
    const auto fit = plotmere::SceneFit(view.Scene(), view.size());
    return fit ? QPointF(fit->PixelX(y), fit->PixelY(x)) : QPointF();
}

TEST(KoutenView, PropertiesInAnswersOut) {
    KoutenView view;
    // As a host or a form built in Designer sets them: by name.
    view.setProperty("P1Name", QStringLiteral("A"));
    view.setProperty("P1X", 0.0);
    view.setProperty("P1Y", 0.0);
    view.setProperty("Hang1", QStringLiteral("324000"));  // due east
    view.setProperty("Hanare1", QStringLiteral("-5"));    // five metres to its left: north
    view.setProperty("P3Name", QStringLiteral("C"));
    view.setProperty("P3X", 10.0);
    view.setProperty("P3Y", 50.0);
    view.setProperty("R2", QStringLiteral("20"));
    EXPECT_EQ(view.Disp(), 2);
    EXPECT_EQ(view.property("AnsCount").toInt(), 2);
    EXPECT_NEAR(view.property("AnsX1").toDouble(), 5, 1e-9);
    EXPECT_NEAR(view.property("AnsX2").toDouble(), 5, 1e-9);
    EXPECT_NEAR(std::fabs(view.AnsY1() - view.AnsY2()), 2 * std::sqrt(400 - 25), 1e-9);

    view.setR2(QStringLiteral("5"));  // the moved line now touches the circle
    EXPECT_EQ(view.Disp(), 1);
    view.setR2(QStringLiteral("4"));
    EXPECT_EQ(view.Disp(), 0);
    EXPECT_EQ(view.AnsX1(), 0);  // not the last figure's point
    EXPECT_EQ(view.AnsY2(), 0);

    view.Clear();
    EXPECT_EQ(view.P1Name(), QString());
    EXPECT_EQ(view.Hang1(), QString());
    EXPECT_EQ(view.P3Y(), 0);
    EXPECT_EQ(view.AnsX1(), 0);
    EXPECT_EQ(view.AnsCount(), 0);
    EXPECT_EQ(view.Disp(), 0);  // nothing given: no answer, nothing drawn
    view.resize(200, 150);
    EXPECT_EQ(Count(Rendered(view), Qt::white), 200 * 150);
}

TEST(KoutenView, DrawsBothElementsTheMovedLineAndTheAnswers) {
    KoutenView view;
    view.resize(480, 360);
    view.setP1Name(QStringLiteral("A"));
    view.setP2Name(QStringLiteral("B"));
    view.setP2Y(100);                        // line 1: A (0,0) to B (0,100), due east
    view.setHanare1(QStringLiteral("10"));   // moved ten metres right: south
    view.setP3Name(QStringLiteral("C"));
    view.setP3X(40);
    view.setP3Y(50);
    view.setP4Name(QStringLiteral("D"));
    view.setP4X(-40);
    view.setP4Y(50);                         // line 2: C to D, due south
    ASSERT_EQ(view.Disp(), 1);
    EXPECT_NEAR(view.AnsX1(), -10, 1e-9);
    EXPECT_NEAR(view.AnsY1(), 50, 1e-9);
    const QImage image = Rendered(view);
    const QPointF a = PixelOf(view, 0, 0), b = PixelOf(view, 0, 100);
    const QPointF c = PixelOf(view, 40, 50), d = PixelOf(view, -40, 50);
    const QPointF answer = PixelOf(view, -10, 50);
    const QPointF movedMid = PixelOf(view, -10, 25);
    // Line 1 blue along its given place, line 2 magenta, the moved line dashed grey.
    EXPECT_GT(Count(image, PaletteColour(palette::kBlue), QRect(a.toPoint() + QPoint(10, 0), b.toPoint() - QPoint(10, 0))), 50);
    EXPECT_GT(Count(image, PaletteColour(palette::kMagenta), QRect(c.toPoint() + QPoint(0, 10), d.toPoint() - QPoint(0, 10))), 50);
    const QRect moved(QPoint(qRound(a.x()) + 10, qRound(movedMid.y()) - 1), QPoint(qRound(answer.x()) - 10, qRound(movedMid.y()) + 1));
    const int grey = Count(image, PaletteColour(palette::kGrey), moved);
    EXPECT_GT(grey, moved.width() / 3);
    EXPECT_LT(grey, moved.width());
    // Red markers at the given points and the answer; the names and "1Ans" hang below-right.
    for (const QPointF& p : {a, b, c, d, answer}) EXPECT_GT(Count(image, PaletteColour(palette::kRed), Around(p, 3)), 4);
    EXPECT_GT(plotmere_test::CountInk(image, QRect(qRound(answer.x()) + 2, qRound(answer.y()) + 1, 30, 14)), 10);
}

TEST(KoutenView, APointAloneGivesThePerpendicularFoot) {
    KoutenView view;
    view.resize(300, 300);
    view.setP1Name(QStringLiteral("A"));
    view.setP2Name(QStringLiteral("B"));
    view.setP2X(100);  // line 1 due north
    view.setP3Name(QStringLiteral("P"));
    view.setP3X(30);
    view.setP3Y(-20);
    ASSERT_EQ(view.Disp(), 1);
    EXPECT_NEAR(view.AnsX1(), 30, 1e-9);
    EXPECT_NEAR(view.AnsY1(), 0, 1e-9);
    const QImage image = Rendered(view);
    const QPointF p = PixelOf(view, 30, -20), foot = PixelOf(view, 30, 0);
    EXPECT_GT(Count(image, PaletteColour(palette::kMagenta), QRect(p.toPoint() + QPoint(4, 0), foot.toPoint() - QPoint(4, 0))), 5);
}

}  // namespace
