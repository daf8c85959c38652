// Serial port devices, the line settings text and the makers' defaults.

#include <gtest/gtest.h>

#include "comm/settings/LineSettings.h"
#include "comm/settings/PortNames.h"
#include "platform/Settings.h"
#include "support/TestEnvironment.h"

namespace {

// The user's mapping wins; then a USB adapter of that number; then the built-in port.
TEST(PortNames, MappingThenUsbThenBuiltIn) {
    const QString folder = test::NewFolder(QStringLiteral("ports"));
    platform::SettingsStore store(folder + QStringLiteral("/Brandel.ini"));
    const QString devices = test::NewFolder(QStringLiteral("dev"));
    EXPECT_EQ(comm::PortDevice(1, store, devices), devices + QStringLiteral("/ttyS0"));
    test::WriteBytes(devices + QStringLiteral("/ttyUSB0"), {});
    EXPECT_EQ(comm::PortDevice(1, store, devices), devices + QStringLiteral("/ttyUSB0"));
    EXPECT_EQ(comm::PortDevice(3, store, devices), devices + QStringLiteral("/ttyS2"));
    store.Save(QStringLiteral("Trevanto\\Ports"), QStringLiteral("COM1"), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(comm::PortDevice(1, store, devices), QStringLiteral("/dev/pts/7"));
    EXPECT_TRUE(comm::PortOpenFault(QStringLiteral("/dev/ttyS0"), true, true).contains(QStringLiteral("dialout")));
    EXPECT_TRUE(comm::PortOpenFault(QStringLiteral("/dev/ttyS9"), false, false).contains(QStringLiteral("/dev/ttyS9")));
}

TEST(LineSettings, FieldsRunToTheNextCommaAndMakerDefaultsKeepThePort) {
    const comm::LineSettings four = comm::ParseLineSettings(QStringLiteral("9600,n,8,1"), QStringLiteral("0"));
    EXPECT_TRUE(four.fields[comm::kPort].isEmpty());
    EXPECT_FALSE(four.hardwareFlow);
    EXPECT_EQ(four.Text(), QStringLiteral("9600,n,8,1,"));
    const comm::LineSettings odd = comm::ParseLineSettings(QStringLiteral("115200,n,8,1,3,x"), QStringLiteral("2"));
    EXPECT_EQ(odd.fields[comm::kBaud], QStringLiteral("115200"));
    EXPECT_EQ(comm::ChoiceRow(comm::kBaud, odd.fields[comm::kBaud]), 0);
    EXPECT_EQ(comm::ChoiceRow(comm::kPort, odd.fields[comm::kPort]), 3);
    EXPECT_EQ(odd.Text(), QStringLiteral("115200,n,8,1,3"));

    // The makers' defaults keep the port.
    const comm::LineSettings current = comm::ParseLineSettings(QStringLiteral("38400,o,8,2,4"), QStringLiteral("0"));
    const auto gsi = comm::MakerDefaults(current, QStringLiteral("GSI"), QStringLiteral("LEICA"));
    EXPECT_EQ(gsi.Text(), QStringLiteral("2400,e,7,1,4"));
    EXPECT_EQ(gsi.FlowText(), QStringLiteral("0"));
    const auto fc5 = comm::MakerDefaults(current, QStringLiteral("FC5"), QStringLiteral("TOPCON"));
    EXPECT_EQ(fc5.Text(), QStringLiteral("9600,n,8,2,4"));
    EXPECT_EQ(fc5.FlowText(), QStringLiteral("2"));
    EXPECT_EQ(comm::MakerDefaults(current, QStringLiteral("3GD"), QStringLiteral("SOKKIA")).Text(),
              QStringLiteral("9600,n,8,1,4"));
}

}  // namespace
