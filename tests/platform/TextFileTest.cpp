#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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
