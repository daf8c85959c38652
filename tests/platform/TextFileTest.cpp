#include <gtest/gtest.h>

#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

using platform::ReadTextLines;

TEST(TextFile, ReadsEveryLineEndConvention) {
    const QString folder = test::NewFolder(QStringLiteral("text"));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"crlf", "A,01,\r\nB,2,\r\n"},     {"lf", "A,01,\nB,2,\n"},      {"cr", "A,01,\rB,2,\r"},
        {"no-final-end", "A,01,\r\nB,2,"}, {"mixed", "A,01,\nB,2,\r\n"},
    };
    for (const auto& c : cases) {
        const QString path = folder + u'/' + QLatin1String(c.name);
        test::WriteBytes(path, c.bytes);
        EXPECT_EQ(ReadTextLines(path),
                  (QStringList{QStringLiteral("A,01,"), QStringLiteral("B,2,")}))
            << c.name;
    }
}

TEST(TextFile, KeepsEmptyLinesAndDecodesCp932) {
    const QString path = test::NewFolder(QStringLiteral("text")) + QStringLiteral("/jp.txt");
    test::WriteBytes(path, "\x92\x6E\x8B\xE6\r\n\r\n\xB1\r\n");  // 地区, empty, ｱ
    EXPECT_EQ(ReadTextLines(path),
              (QStringList{QStringLiteral("地区"), QString(), QStringLiteral("ｱ")}));
    test::WriteBytes(path, "");
    EXPECT_TRUE(ReadTextLines(path).isEmpty());
}

TEST(TextFile, WritesCp932WithCrLf) {
    const QString path = test::NewFolder(QStringLiteral("text")) + QStringLiteral("/out.txt");
    platform::WriteTextLines(path, {QStringLiteral("作業用ﾌｧｲﾙ。"), QString()});
    EXPECT_EQ(test::ReadBytes(path),
              QByteArray("\x8D\xEC\x8B\xC6\x97\x70\xCC\xA7\xB2\xD9\x81\x42\r\n\r\n"));
}

TEST(TextFile, UncommittedReplaceLeavesTheOldFile) {
    const QString folder = test::NewFolder(QStringLiteral("text"));
    const QString path = folder + QStringLiteral("/field.APA");
    test::WriteBytes(path, "A,01,\r\n");
    {
        platform::TextFileWriter writer(path);
        writer.WriteLine(QStringLiteral("A,99,"));
        writer.WriteLine(QStringLiteral("half written"));
        // dropped here, as when a command fails half way
    }
    EXPECT_EQ(test::ReadBytes(path), QByteArray("A,01,\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("field.APA")});
}

TEST(TextFile, MissingFileIsAFileError) {
    try {
        ReadTextLines(QStringLiteral("/nonexistent/field.APA"));
        FAIL() << "no error";
    } catch (const platform::FileError& e) {
        EXPECT_EQ(e.Path(), QStringLiteral("/nonexistent/field.APA"));
    }
    EXPECT_THROW(platform::WriteTextLines(QStringLiteral("/nonexistent/out.txt"), {}),
                 platform::FileError);
}

// Bytes that are not CP932 survive a read and a write (a UTF-8 file came back with "?").
TEST(TextFile, LinesRoundTripWhateverTheirBytes) {
    const QString path = test::NewFolder(QStringLiteral("text")) + QStringLiteral("/utf8.APA");
    const QByteArray bytes = "A,01,\r\nF,\xE6\xB8\xAC\xE7\x82\xB9,\x80\xFF,\r\nZ,\x82\r\n";
    test::WriteBytes(path, bytes);
    platform::WriteTextLines(path, ReadTextLines(path));
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

// Readers take regular files of a sensible size only: /dev/zero was read until the
// process was killed, and a pipe would wait for a writer for ever.
TEST(TextFile, ReadersRefuseWhatIsNoRegularFileOrTooLarge) {
    const QString folder = test::NewFolder(QStringLiteral("text"));
    const QString fifo = folder + QStringLiteral("/pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString large = folder + QStringLiteral("/large.APA");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(platform::kMaxReadBytes + 1));  // sparse: takes no room
    }
    const struct {
        QString path;
        platform::FileFault fault;
    } cases[] = {
        {QStringLiteral("/dev/zero"), platform::FileFault::NotAFile},
        {fifo, platform::FileFault::NotAFile},
        {folder, platform::FileFault::NotAFile},
        {large, platform::FileFault::TooLarge},
        {folder + QStringLiteral("/missing.APA"), platform::FileFault::Missing},
    };
    for (const auto& c : cases) {
        try {
            platform::ReadFileBytes(c.path);
            ADD_FAILURE() << c.path.toStdString() << " was read";
        } catch (const platform::FileError& e) {
            EXPECT_EQ(e.Fault(), c.fault) << c.path.toStdString();
            EXPECT_EQ(e.Reason(), platform::FaultReason(c.fault));
        }
    }
    EXPECT_TRUE(platform::FaultReason(platform::FileFault::TooLarge).contains(u"256 MiB"));
}

// A failed save says why in words the user can act on: every fault its own reason.
TEST(TextFile, WriteFailuresNameTheirFault) {
    const QString folder = test::NewFolder(QStringLiteral("text"));
    const auto faultOfWriting = [](const QString& path) {
        try {
            platform::WriteTextLines(path, {QStringLiteral("A,01,")});
        } catch (const platform::FileError& e) {
            return e.Fault();
        }
        return platform::FileFault::Other;
    };
    EXPECT_EQ(faultOfWriting(folder + QStringLiteral("/gone/field.APA")),
              platform::FileFault::Missing);
    EXPECT_EQ(faultOfWriting(folder), platform::FileFault::NotAFile);
    // A pipe (like a device such as /dev/null) is refused and stays what it was: a new file
    // renamed into its place would have replaced it.
    const QString pipe = folder + QStringLiteral("/pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(faultOfWriting(pipe), platform::FileFault::NotAFile);
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    if (geteuid() != 0) {  // permissions bind everyone but root
        const QString locked = test::NewFolder(QStringLiteral("locked"));
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_EQ(faultOfWriting(locked + QStringLiteral("/field.APA")),
                  platform::FileFault::NoPermission);
        QFile::setPermissions(
            locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // What the system says, by errno, where a test cannot bring it about.
    EXPECT_EQ(platform::FaultOfErrno(ENOSPC), platform::FileFault::DiskFull);
    EXPECT_EQ(platform::FaultOfErrno(EROFS), platform::FileFault::NoPermission);
    EXPECT_EQ(platform::FaultOfErrno(EIO), platform::FileFault::Other);

    QStringList reasons;
    for (auto fault : {platform::FileFault::NoPermission, platform::FileFault::Missing,
                       platform::FileFault::DiskFull, platform::FileFault::NotAFile,
                       platform::FileFault::TooLarge, platform::FileFault::Other}) {
        const QString reason = platform::FaultReason(fault);
        EXPECT_FALSE(reasons.contains(reason));
        EXPECT_TRUE(std::any_of(reason.begin(), reason.end(),
                                [](QChar c) { return c.unicode() >= 0x3000; }))  // Japanese
            << reason.toStdString();
        reasons << reason;
    }
}
