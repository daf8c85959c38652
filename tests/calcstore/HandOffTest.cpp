// The hand-off objects: the no-height marker, input items and tables, the keyed list's
// all-or-nothing add, and the points and parameters a calculation hands over.

#include <gtest/gtest.h>

#include <QDateTime>
#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "calcstore/Elements.h"
#include "calcstore/InputItem.h"
#include "calcstore/clsConvert2.h"
#include "calcstore/clsCoord.h"
#include "platform/AutomationError.h"
#include "platform/KeyedList.h"
#include "support/QtPrinters.h"

using namespace calcstore;

TEST(ClsCoord, NoHeightMarkerIsComparedBitForBit) {
    clsCoord point;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(point.Z()), 0x7FEFFFFFFFFFFFE2ULL);
    EXPECT_FALSE(point.AssertZ());
    point.SetZ(0);
    EXPECT_TRUE(point.AssertZ());
    point.SetZ(std::bit_cast<double>(0x7FEFFFFFFFFFFFE3ULL));  // one unit away is a height
    EXPECT_TRUE(point.AssertZ());
    point.SetZ(clsCoord::NoHeight());
    EXPECT_FALSE(point.AssertZ());
}

TEST(InputItem, TypeFromTheVariantOrValueConvertedToTheType) {
    InputItem item;
    EXPECT_EQ(item.ValueType(), kTypeString);
    item.SetValueFromVariant(QVariant(12));
    EXPECT_EQ(item.ValueType(), kTypeInteger);
    item.SetValueFromVariant(QVariant(1.5));
    EXPECT_EQ(item.ValueType(), kTypeDouble);
    item.SetValueFromVariant(QVariant(true));
    EXPECT_EQ(item.ValueType(), kTypeBoolean);
    EXPECT_EQ(item.Value(), QVariant(true));
    item.SetValueFromVariant(QVariant(QDateTime::currentDateTime()));  // dates are not input values
    EXPECT_EQ(item.ValueType(), kTypeBoolean);
    EXPECT_EQ(item.Value(), QVariant(true));

    // Given a type, the value is converted to it.
    item.SetValue(kTypeSokuten, QStringLiteral("1203"));
    EXPECT_EQ(item.Value(), QVariant(qint32(1203)));
    item.SetValue(kTypeInteger, 2.5);  // half to even
    EXPECT_EQ(item.Value(), QVariant(qint32(2)));
    item.SetValue(kTypeDouble, QStringLiteral("-12.345"));
    EXPECT_EQ(item.Value(), QVariant(-12.345));
    item.SetValue(kTypeBoolean, 0);
    EXPECT_EQ(item.Value(), QVariant(false));
    item.SetValue(9, 1);  // unknown type: nothing changes
    EXPECT_EQ(item.ValueType(), kTypeBoolean);
    EXPECT_THROW(item.SetValue(kTypeInteger, QStringLiteral("T5")), platform::AutomationError);
    EXPECT_THROW(item.SetValue(kTypeInteger, 3e10), platform::AutomationError);
}

TEST(Elements, RowsAreKeyedAndShortRowsFilled) {
    Elements table;
    table.AddCols(kTypeSokuten);
    table.AddCols(kTypeDouble);
    table.AddCols(kTypeDouble);
    table.AddItem({15, 123.25});
    table.AddItem({16, 1.0, 2.0, QStringLiteral("ignored")});
    EXPECT_EQ(table.Rows(), 2);
    EXPECT_EQ(table.Count(), 6);
    EXPECT_EQ(table.Item(QStringLiteral("R0C0")).Value(), QVariant(qint32(15)));
    EXPECT_EQ(table.Item(QStringLiteral("R0C2")).Value(), QVariant(0.0));
    EXPECT_EQ(table.ItemArray(1, 1)->Value(), QVariant(1.0));
    EXPECT_EQ(table.Item(4).colID(), QStringLiteral("R1C0"));
    EXPECT_EQ(table.ItemArray(2, 0), nullptr);
    EXPECT_THROW(table.ColsType(3), platform::AutomationError);
    table.Clear();
    EXPECT_EQ(table.Cols(), 0);
    EXPECT_EQ(table.Rows(), 0);
}

TEST(Elements, ARowThatFailsAddsNothing) {
    Elements table;
    table.AddCols(kTypeSokuten);
    table.AddCols(kTypeDouble);
    table.AddCols(kTypeInteger);
    const QVariantList bad[] = {
        {15, 1.5, QStringLiteral("T5")},  // not a number
        {15, 1.5, 3e10},                  // beyond 32 bits
        {15, QStringLiteral("x")},
    };
    for (const QVariantList& row : bad)
        EXPECT_THROW(table.AddItem(row), platform::AutomationError) << row.size();
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Count(), 0);

    table.AddItem({16, 2.5, 7});
    EXPECT_EQ(table.Rows(), 1);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.ItemArray(0, 0)->Value(), QVariant(qint32(16)));
    EXPECT_EQ(table.ItemArray(0, 2)->Value(), QVariant(qint32(7)));
}

TEST(KeyedList, AddAllAddsEveryItemOrNone) {
    platform::KeyedList<InputItem> list(QStringLiteral("Elements"));
    ASSERT_TRUE(list.Add(QStringLiteral("A"), std::make_unique<InputItem>()));
    auto batch = [](std::initializer_list<const char*> keys) {
        std::vector<std::pair<QString, std::unique_ptr<InputItem>>> entries;
        for (const char* key : keys)
            entries.emplace_back(QString::fromLatin1(key), std::make_unique<InputItem>());
        return entries;
    };
    EXPECT_FALSE(list.AddAll(batch({"B", "A"})));  // taken
    EXPECT_FALSE(list.AddAll(batch({"C", "C"})));  // given twice
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Find(QStringLiteral("B")), nullptr);
    EXPECT_TRUE(list.AddAll(batch({"B", "", ""})));  // items without a key never collide
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.KeyAt(2), QStringLiteral("B"));
    EXPECT_EQ(list.Find(QStringLiteral("B")), list.At(2));
}

TEST(ClsConvert2, PointsParametersAndSaveWithoutAHandler) {
    clsConvert2 handOff;
    handOff.AddZahyou(QStringLiteral("  T7 "), 7, QStringLiteral("memo"), 12.5);
    handOff.AddZahyou(QStringLiteral("other"), 7, QString(), 0);  // same id: ignored
    EXPECT_EQ(handOff.ZahyouCount(), 1);
    EXPECT_EQ(handOff.ItemZahyou(QStringLiteral("C7")).TenName(), QStringLiteral("T7"));
    EXPECT_EQ(handOff.GetNewZahyouID(8), 0);
    EXPECT_THROW(handOff.ItemZahyou(2), platform::AutomationError);

    for (int i = 0; i < 3; ++i) handOff.AddParameter(kTypeInteger, i);
    handOff.Clear();
    handOff.AddParameter(kTypeString, QStringLiteral("閉合"));
    ASSERT_EQ(handOff.GetParameterCount(), 1);
    EXPECT_EQ(handOff.Parameters().KeyAt(1),
              QStringLiteral("P0000000004"));  // the counter survives Clear
    EXPECT_EQ(handOff.GetParameterValue(1), QVariant(QStringLiteral("閉合")));
    EXPECT_THROW(handOff.GetParameterType(2), platform::AutomationError);

    bool ok = true;  // no save handler: the save fails
    EXPECT_FALSE(handOff.Save(ok));
    EXPECT_FALSE(ok);
}
