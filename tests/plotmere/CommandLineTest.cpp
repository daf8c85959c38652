// The plotmere program as a user runs it: one conversion, a batch with a bad line, and a
// usage fault.

#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct Outcome {
    int status;
    QString out, err;
};

Outcome Plotmere(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(PLOTMERE_EXE), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(PlotmereCommand, ConvertsOneOrALineAtATime) {
    const Outcome one = Plotmere({QStringLiteral("xy2bl"), QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("0")});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, QStringLiteral("129600.000000 503400.000000 0.000000\n"));  // 36°N 139°50′E
    const Outcome batch = Plotmere({QStringLiteral("xy2bl")}, "9 0 0\n9 x 0\n1 0 0\n");
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.out.count(u'\n'), 3);
    EXPECT_TRUE(batch.out.startsWith(QStringLiteral("129600.000000 503400.000000")));
    EXPECT_TRUE(batch.err.contains(QStringLiteral("2 行目"))) << batch.err.toStdString();
    EXPECT_EQ(Plotmere({QStringLiteral("xy2bl"), QStringLiteral("20"), QStringLiteral("0"), QStringLiteral("0")}).status, 2);
    EXPECT_EQ(Plotmere({}).status, 2);
    EXPECT_EQ(Plotmere({QStringLiteral("dms2deg"), QStringLiteral("-1353045.5")}).out.left(16), QStringLiteral("-1 135 30 45.500"));
}

}  // namespace
