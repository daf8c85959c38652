// The export job as a surveyor runs it: one SIMA file in every format, a chosen list of
// points, the district's points, and coordinates that stop it without touching an older
// output file.

#include <QDir>

#include "app/TrevantoProcess.h"
#include "platform/CodePage.h"

namespace {

using test::Args;
using test::Outcome;

class ExportJobTest : public test::TrevantoProcessTest {
  protected:
    QString Sima(const QString& name, const QStringList& points) {
        QStringList lines{QStringLiteral("Z00,/ ＳＩＭＡ共通フォーマット /,"), QStringLiteral("G00,01,,"), QStringLiteral("A00,")};
        lines += points;
        lines << QStringLiteral("A99,") << QStringLiteral("Z,");
        return File(name, platform::cp932::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }
    Outcome Export(const QStringList& args) { return Trevanto(Args("export") + args); }
};

TEST_F(ExportJobTest, EveryFormatAndChosenPoints) {
    const QString sim = Sima(QStringLiteral("site.sim"),
                             {QStringLiteral("A01,1,T1,100.5,200.25,10,"), QStringLiteral("A01,2,測点,-1,2,,"),
                              QStringLiteral("A01,7,K7,3,4,5,")});
    for (const char* format : {"GSI", "FC5", "3GD", "SDF", "SC1", "SCR", "APA"}) {
        const Outcome o = Export({QStringLiteral("-f"), QString::fromLatin1(format), sim});
        EXPECT_EQ(o.status, 0) << format << o.err.toStdString();
        EXPECT_TRUE(o.out.contains(QStringLiteral("3 点"))) << o.out.toStdString();
    }
    // Without -o the file is ZAHYO_SD.dat of the work folder: the last one written is APA.
    EXPECT_TRUE(test::ReadBytes(home_ + QStringLiteral("/ZAHYO_SD.dat")).startsWith("A,01,Z,\r\n"));

    const QString out = home_ + QStringLiteral("/chosen.SC1");
    ASSERT_EQ(Export(Args("-f SC1 --points 7,1 -o") << out << sim).status, 0);
    EXPECT_EQ(test::ReadBytes(out), QByteArray("00001,Fd,0000,,,,100.500,200.250,10.000,\r\n00003,Fd,0000,,,,3.000,4.000,5.000,\r\n"));
    const Outcome missing = Export(Args("-f SC1 --points 3") << sim);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(Export(Args("-f DR2") << sim).status, 2);
    // A range takes the numbers the file has.
    ASSERT_EQ(Export(Args("-f SC1 --points 2-9 -o") << out << sim).status, 0);
    EXPECT_TRUE(test::ReadBytes(out).startsWith("00002,")) << test::ReadBytes(out).toStdString();
    // The SIMA file is never written over with its own export.
    EXPECT_EQ(Export(Args("-f APA -o") << sim << sim).status, 2);
    EXPECT_TRUE(test::ReadBytes(sim).startsWith("Z00,"));
    // A file without points writes nothing.
    const QString none = Sima(QStringLiteral("none.sim"), {});
    const Outcome empty = Export(Args("-f 3GD -o") << out << none);
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(test::ReadBytes(out).startsWith("00002,"));
}

// GSI-8 holds 99,999.999 m; a point beyond it, or a coordinate that does not read, stops the
// job with its line named, and the older file stays.
TEST_F(ExportJobTest, UnfitCoordinatesWriteNothing) {
    const QString out = File(QStringLiteral("old.GSI"), "old\r\n");
    const QString far = Sima(QStringLiteral("far.sim"), {QStringLiteral("A01,1,T1,150000,2,,")});
    const Outcome o = Export(Args("-f GSI --gsi8 -o") << out << far);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("4 行目の点 T1"))) << o.err.toStdString();
    const QString bad = Sima(QStringLiteral("bad.sim"), {QStringLiteral("A01,1,T1,1,2,,"), QStringLiteral("A01,2,T2,x,2,,")});
    const Outcome b = Export(Args("-f APA -o") << out << bad);
    EXPECT_EQ(b.status, 1);
    EXPECT_TRUE(b.err.contains(QStringLiteral("5 行目の点 T2"))) << b.err.toStdString();
    EXPECT_EQ(test::ReadBytes(out), QByteArray("old\r\n"));
}

TEST_F(ExportJobTest, DistrictPoints) {
    const QString out = home_ + QStringLiteral("/district.APA");
    const Outcome o = Export(Args("--district -f APA -o") << out);
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains(QStringLiteral("30 点"))) << o.out.toStdString();
}

}  // namespace
