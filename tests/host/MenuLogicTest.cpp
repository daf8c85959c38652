// The menu's logic without its form: the data-folder label, the stored defaults, copying a
// field book in, the text editor, the data folder and the district's points as SIMA lines.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "host/DistrictReader.h"
#include "host/HostFixture.h"
#include "host/MenuCommands.h"
#include "host/MenuSettings.h"
#include "host/MenuStatus.h"
#include "platform/Database.h"
#include "platform/FileError.h"
#include "trevanto/DemoDistrict.h"

using host::Process;

TEST(MenuStatus, DataPathWrapsAfterSixteenCharacters) {
    EXPECT_EQ(host::WrapDataPath(QStringLiteral("/home/sokuryo/a/")),
              QStringLiteral("/home/sokuryo/a/"));  // 16
    EXPECT_EQ(host::WrapDataPath(QStringLiteral("/home/sokuryo/ab/")),
              QStringLiteral("/home/sokuryo/ab\n/"));
    EXPECT_EQ(host::WrapDataPath(QStringLiteral("/データ/観測/現場/令和8年度/東地区/")),
              QStringLiteral("/データ/観測/現場/令和8年度\n/東地区/"));
}

// The formats refused are tried through the menu form's coordinate items.
TEST(MenuStatus, SendableFormats) {
    for (const char* sent : {"APA", "GSI", "FC5", "3GD", "SDF", "SC1", "SCR"})
        EXPECT_TRUE(host::CanSendCoordinates(QString::fromLatin1(sent)));
}

class MenuCommandsTest : public HostFixture {};

TEST_F(MenuCommandsTest, DefaultsAreStoredAndHoldWhenTheStoreCannotKeepThem) {
    const QStringList defaults = {u"/opt/work/TSDATA/"_qs, u"APA"_qs, u"SOKKIA"_qs, u"9600,n,8,1,1"_qs, u"2"_qs};
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    host::LoadSettings(Store(), Process(), QStringLiteral("/opt/work"));
    QStringList stored;
    for (const char* key : {"DataPath", "Format", "TStype", "RSset", "RSFuro"})
        stored << Store().Peek(u"Trevanto"_qs, QString::fromLatin1(key));
    EXPECT_EQ(stored, defaults);
    EXPECT_EQ(Process().DataPath, defaults[0]);

    // A store that cannot take the defaults back still leaves every value in place.
    Process() = host::ProcessValues{};
    platform::SettingsStore unwritable(blocker + QStringLiteral("/Brandel.ini"));
    EXPECT_THROW(host::LoadSettings(unwritable, Process(), QStringLiteral("/opt/work")),
                 platform::FileError);
    EXPECT_EQ((QStringList{Process().DataPath, Process().Format, Process().TStype, Process().RSset, Process().RSFuro}),
              defaults);
}

TEST_F(MenuCommandsTest, CopyApaFileIntoTheDataFolder) {
    Process().Format = QStringLiteral("APA");
    // LF line ends, UTF-8 and a byte that is no character at all arrive as they left.
    const QByteArray bytes("A,01,\nB,1,\xe6\x9d\xb1\xff,\n");
    const QString source = test::NewFolder(QStringLiteral("card")) + QStringLiteral("/FIELD.APA");
    test::WriteBytes(source, bytes);
    const QString target = DataFile(QStringLiteral("COPY.APA"), "old contents\r\n");
    prompt_.ChooseFile(source);
    prompt_.ChooseFile(target);
    host::CopyApaFileIntoDataFolder(prompt_, Process());
    EXPECT_EQ(test::ReadBytes(target), bytes);
    EXPECT_EQ(Process().DataFile, target);
    EXPECT_EQ(prompt_.Records().constLast().request.initialFolder, Process().DataPath);
}

TEST_F(MenuCommandsTest, CopyCancelledOrFailedChangesNothing) {
    Process().Format = QStringLiteral("APA");
    const QString target = DataFile(QStringLiteral("KEEP.APA"), "A,01,\r\n");
    prompt_.ChooseFile(target);
    prompt_.CancelFile();
    host::CopyApaFileIntoDataFolder(prompt_, Process());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Process().DataFile, QString());

    const QString missing = Process().DataPath + QStringLiteral("MISSING.APA");
    prompt_.ChooseFile(missing);  // the source went away meanwhile
    prompt_.ChooseFile(target);
    host::CopyApaFileIntoDataFolder(prompt_, Process());
    EXPECT_EQ(test::ReadBytes(target), QByteArray("A,01,\r\n"));
    EXPECT_EQ(Process().DataFile, QString());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith(QStringLiteral("ファイルを登録できません。\n")));
    EXPECT_TRUE(Messages()[0].endsWith(u'\n' + missing)) << Messages()[0].toStdString();
}

TEST_F(MenuCommandsTest, EditStartsTheEditorOrWarns) {
    const QString script = folder_ + QStringLiteral("/editor.sh");
    test::WriteBytes(script,
                     "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.tmp\"\n"
                     "mv \"$(dirname \"$0\")/opened.tmp\" \"$(dirname \"$0\")/opened.txt\"\n");
    QFile::setPermissions(script,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("EDITOR", script.toUtf8());
    const QString file = DataFile(QStringLiteral("RAW.GSI"), "*110001+0000000000000T1 \r\n");
    prompt_.ChooseFile(file);
    host::EditDataFile(prompt_, Process(), QStringLiteral("GSI"), folder_);
    qunsetenv("EDITOR");
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(folder_ + QStringLiteral("/opened.txt")) && timer.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_EQ(test::ReadBytes(folder_ + QStringLiteral("/opened.txt")), file.toUtf8());
    EXPECT_TRUE(Messages().isEmpty());

    host::EditDataFile(prompt_, Process(), QString(),
                       QStringLiteral("/nonexistent/work"));  // new file, no editor
    EXPECT_EQ(Process().DataFile, QString());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(QStringLiteral("エディターが見つかりません")))
        << Messages()[0].toStdString();

    prompt_.ClearRecords();
    prompt_.CancelFile();  // no file chosen: the editor is not started
    host::EditDataFile(prompt_, Process(), QStringLiteral("APA"),
                       QStringLiteral("/nonexistent/work"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MenuCommandsTest, DataFolderConfirm) {
    const QString chosen = folder_ + QStringLiteral("/新しい現場");
    EXPECT_TRUE(host::SetDataFolder(Store(), Process(), chosen));
    EXPECT_EQ(Process().DataPath, chosen + u'/');
    EXPECT_TRUE(QDir(chosen).exists());
    EXPECT_EQ(StoredDataPath(), chosen + u'/');
    EXPECT_FALSE(host::SetDataFolder(Store(), Process(), QString()));
    EXPECT_EQ(Process().DataPath, chosen + u'/');

    // A relative folder is kept as the absolute one it means now.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_));
    EXPECT_TRUE(host::SetDataFolder(Store(), Process(), QStringLiteral("rel/現場")));
    QDir::setCurrent(previous);
    EXPECT_EQ(Process().DataPath, folder_ + QStringLiteral("/rel/現場/"));
    EXPECT_EQ(StoredDataPath(),
              folder_ + QStringLiteral("/rel/現場/"));
}

TEST_F(MenuCommandsTest, DataFolderThatCannotBeMadeOrKeptChangesNothing) {
    host::SetDataFolder(Store(), Process(), folder_ + QStringLiteral("/before"));
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    EXPECT_THROW(host::SetDataFolder(Store(), Process(), blocker + QStringLiteral("/sub")),
                 platform::FileError);
    EXPECT_EQ(Process().DataPath, folder_ + QStringLiteral("/before/"));
    EXPECT_EQ(StoredDataPath(),
              folder_ + QStringLiteral("/before/"));

    platform::SettingsStore unwritable(blocker + QStringLiteral("/Brandel.ini"));
    EXPECT_THROW(host::SetDataFolder(unwritable, Process(), folder_ + QStringLiteral("/after")),
                 platform::FileError);
    EXPECT_EQ(Process().DataPath, folder_ + QStringLiteral("/before/"));
}

// A point name is the surveyor's text: "%1" in it is kept, never filled in.
TEST(DistrictReader, SimaPointLinesKeepPercentSignsInNames) {
    EXPECT_EQ(host::SimaPointLine(7, QStringLiteral("P%1%2"), 1.5, -2.25, QStringLiteral("3.000")),
              QStringLiteral("A01,    7,P%1%2   ,      1.500,     -2.250,3.000,"));
}

TEST_F(MenuCommandsTest, DistrictCoordinatesComeAsSimaPointLines) {
    Process().DataBaseName = trevanto_host::EnsureDemoDistrict(folder_);
    ASSERT_TRUE(host::LoadDistrictCoordinates(prompt_, Process()));
    EXPECT_EQ(Process().DataCount, 30);
    EXPECT_EQ(Process().DataLines[1],
              QStringLiteral("A01,    1,T1      , -35012.345,  -8123.456,45.210,"));
    EXPECT_TRUE(Process().DataLines.contains(
        QStringLiteral("A01,   24,境界杭Ａ    , -35055.205,  -7888.140,,")));  // no height
    EXPECT_EQ(prompt_.WaitCount(), 1);
    EXPECT_EQ(prompt_.WaitDepth(), 0);
    EXPECT_TRUE(Messages().isEmpty());

    // A point another tool wrote without the deletion flag is a present point.
    platform::Database::Open(Process().DataBaseName)
        ->Execute(QStringLiteral("UPDATE COORD SET DELFLG = NULL WHERE ID = 1"));
    ASSERT_TRUE(host::LoadDistrictCoordinates(prompt_, Process()));
    EXPECT_EQ(Process().DataCount, 30);

    platform::Database::Open(Process().DataBaseName)
        ->Execute(QStringLiteral("UPDATE COORD SET DELFLG = TRUE"));
    EXPECT_FALSE(host::LoadDistrictCoordinates(prompt_, Process()));
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("地区内に座標値が登録されていません。")});
    EXPECT_EQ(prompt_.Records().constLast().icon, platform::PromptIcon::Exclamation);

    prompt_.ClearRecords();
    Process().DataBaseName = folder_ + QStringLiteral("/missing.mdb");
    EXPECT_FALSE(host::LoadDistrictCoordinates(prompt_, Process()));  // a failed read ends quietly
    EXPECT_TRUE(Messages().isEmpty());
}
