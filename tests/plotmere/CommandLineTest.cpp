// The plotmere program as a user runs it: conversions one at a time and in a batch, the
// intersection answers and figure, the plot of a SIMA file, each job's help and bad use.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int status;
    QString out, err;
};

// Run as from a terminal without a display unless told otherwise.
Outcome Plotmere(const QStringList& args, const QByteArray& input = {}, bool display = false) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
    if (display) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLOTMERE_EXE), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The words of a command line written as one text; paths that may hold blanks come after.
QStringList Args(const char* words, const QStringList& more = {}) {
    return QString::fromUtf8(words).split(u' ', Qt::SkipEmptyParts) + more;
}

TEST(PlotmereCommand, ConvertsOneOrALineAtATime) {
    const Outcome one = Plotmere(Args("xy2bl 9 0 0"));
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, QStringLiteral("129600.000000 503400.000000 0.000000\n"));  // 36°N 139°50′E
    const Outcome batch = Plotmere(Args("xy2bl"), "9 0 0\n9 x 0\n1 0 0\n");
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.out.count(u'\n'), 3);
    EXPECT_TRUE(batch.out.startsWith(QStringLiteral("129600.000000 503400.000000")));
    EXPECT_TRUE(batch.err.contains(QStringLiteral("2 行目"))) << batch.err.toStdString();
    EXPECT_EQ(Plotmere(Args("xy2bl 20 0 0")).status, 2);
    EXPECT_EQ(Plotmere({}).status, 2);
    EXPECT_EQ(Plotmere(Args("dms2deg -1353045.5")).out.left(16), QStringLiteral("-1 135 30 45.500"));
}

TEST(PlotmereCommand, EveryJobExplainsItselfAndRefusesBadUse) {
    const Outcome top = Plotmere(Args("--help"));
    EXPECT_EQ(top.status, 0);
    for (const char* job : {"xy2bl", "dms2deg", "geoid", "geoid-import", "intersect", "view"}) {
        EXPECT_TRUE(top.out.contains(QString::fromLatin1(job))) << job;
        const Outcome help = Plotmere(Args(job, {QStringLiteral("--help")}));
        EXPECT_EQ(help.status, 0) << job;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("使い方: plotmere ") + QString::fromLatin1(job))) << job;
        EXPECT_EQ(Plotmere(Args(job, {QStringLiteral("--no-such-option")})).status, 2) << job;
    }
    for (const char* bad : {"plot", "dms2deg 1 2", "geoid 360000 1400000 --path a --path b --path c --path d"})
        EXPECT_EQ(Plotmere(Args(bad)).status, 2) << bad;
}

TEST(PlotmereCommand, IntersectPrintsTheAnswersAndDrawsTheFigure) {
    // A line due east from A, moved 5 m to its left (north), and a circle of 20 m round C.
    const QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("fig.png"));
    const Outcome two =
        Plotmere(Args("intersect --p1 A,0,0 --hang1 324000 --hanare1 -5 --p3 C,10,50 --r2 20 --size 320x240 --png", {png}));
    EXPECT_EQ(two.status, 0) << two.err.toStdString();
    EXPECT_EQ(two.out, QStringLiteral("AnsCount 2\n1Ans 5.0000 69.3649\n2Ans 5.0000 30.6351\n"));
    EXPECT_EQ(QImage(png).size(), QSize(320, 240));
    // Parallel lines have no answer: status 1.
    const Outcome none = Plotmere(Args("intersect --p1 A,0,0 --p2 B,0,10 --p3 C,-5,0 --p4 D,-5,10"));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, QStringLiteral("AnsCount 0\n"));
    // No element at all, a point without Y, a radius that is no number, a folder as the figure.
    for (const char* bad : {"intersect", "intersect --p1 A,0 --r1 5", "intersect --p1 A,0,0 --r1 五"})
        EXPECT_EQ(Plotmere(Args(bad)).status, 2) << bad;
    EXPECT_EQ(Plotmere(Args("intersect --p1 A,0,0 --hang1 0 --p3 P,5,5 --png", {dir.path()})).status, 2);
}

TEST(PlotmereCommand, ViewPlotsASimaFile) {
    const QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("town.png"));
    const Outcome town = Plotmere(Args("view", {QStringLiteral(PLOTMERE_DEMO "/TOWN.sim"), QStringLiteral("--png"), png}));
    EXPECT_EQ(town.status, 0) << town.err.toStdString();
    EXPECT_FALSE(QImage(png).isNull());
    // A record that does not read is told with its line, and the rest is shown.
    const QString bad = dir.filePath(QStringLiteral("点 bad,1.sim"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("A01,1,P1,10.0,20.0,,\r\nA01,2,P2,1O.0,20.0,,\r\n");
    file.close();
    const Outcome faulty = Plotmere(Args("view", {bad, QStringLiteral("--png"), png}));
    EXPECT_EQ(faulty.status, 1);
    EXPECT_TRUE(faulty.err.contains(QStringLiteral("2 行目"))) << faulty.err.toStdString();
    EXPECT_EQ(Plotmere(Args("view", {dir.filePath(QStringLiteral("none.sim"))}), {}, true).status, 2);
    EXPECT_EQ(Plotmere(Args("view", {dir.path()}), {}, true).status, 2);
    // The window needs a display; its picture does not.
    const Outcome headless = Plotmere(Args("view", {bad}));
    EXPECT_EQ(headless.status, 2);
    EXPECT_TRUE(headless.err.contains(QStringLiteral("--png"))) << headless.err.toStdString();
    QFile empty(dir.filePath(QStringLiteral("empty.sim")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(Plotmere(Args("view", {empty.fileName()}), {}, true).status, 1);
}

}  // namespace
