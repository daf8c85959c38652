// How the hand-off object names and places a new calculation through the installed chooser.

#include <gtest/gtest.h>

#include "calcstore/clsConvert2.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"

using calcstore::clsConvert2;

namespace {

// Answers with a scripted choice and remembers what it was offered.
struct FakeChooser : calcstore::CalcNameChooser {
    std::optional<calcstore::CalcEntryChoice> Choose(
        const QString& defaultName, qint32 calcNo,
        const calcstore::RegionRefresh& refreshRegion) override {
        offered << defaultName;
        types << calcNo;
        for (const qint32 region : renamedRegions) refreshRegion(region);
        return answer;
    }
    std::optional<calcstore::CalcEntryChoice> answer;
    QList<qint32> renamedRegions;
    QStringList offered;
    QList<qint32> types;
};

struct RegionEvents : calcstore::clsConvert2Events {
    void RefreshRegion(qint32 regionId) override { regions << regionId; }
    void SaveStart(bool&) override {}
    void ProgramEnd() override {}
    QList<qint32> regions;
};

class CalcNameTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SetActivePrompt(&prompt_);
        auto chooser = std::make_unique<FakeChooser>();
        chooser_ = chooser.get();
        handOff_.SetCalcNameChooser(std::move(chooser));
        handOff_.SetEvents(&events_);
        handOff_.SetCalcEntry(8, QStringLiteral("前の計算"), 4);
    }
    void TearDown() override { platform::SetActivePrompt(nullptr); }

    bool GetCalcName(qint32 calcNo) {
        bool ok = true;  // GetCalcName must set it either way
        handOff_.GetCalcName(calcNo, ok);
        return ok;
    }
    void ExpectEntry(qint32 calcNo, const QString& name, qint32 parent) {
        EXPECT_EQ(handOff_.CalcNo(), calcNo);
        EXPECT_EQ(handOff_.CalcName(), name);
        EXPECT_EQ(handOff_.CalcParentID(), parent);
    }

    platform::ScriptedPrompt prompt_;
    RegionEvents events_;
    clsConvert2 handOff_;
    FakeChooser* chooser_ = nullptr;
};

}  // namespace

TEST_F(CalcNameTest, EveryTypeOffersItsDefaultName) {
    const struct {
        qint32 calcNo;
        const char16_t* name;
    } types[] = {
        {5, u"開放トラバー"},  {6, u"放射トラバー"}, {7, u"閉合トラバー"},
        {8, u"結合トラバー"},  {41, u"厳密水平網平均計算（検定）"},
        {42, u"厳密高低網平均計算（検定）"},
    };
    for (const auto& t : types) {
        chooser_->answer = calcstore::CalcEntryChoice{QStringLiteral("  測量 A  "), 12};
        EXPECT_TRUE(GetCalcName(t.calcNo));
        EXPECT_EQ(chooser_->offered.constLast(), QString::fromUtf16(t.name));
        ExpectEntry(t.calcNo, QStringLiteral("測量 A"), 12);
    }
    EXPECT_TRUE(prompt_.Records().isEmpty());
}

TEST_F(CalcNameTest, AnInvalidTypeIsToldAndChangesNothing) {
    for (const qint32 calcNo : {9, 0, -5, 43}) {
        EXPECT_FALSE(GetCalcName(calcNo));
        ExpectEntry(8, QStringLiteral("前の計算"), 4);
    }
    EXPECT_TRUE(chooser_->offered.isEmpty());  // the user was never asked
    ASSERT_EQ(prompt_.Records().size(), 4);
    EXPECT_EQ(prompt_.Records()[0].text, QStringLiteral("計算処理番号が異常です"));
    EXPECT_EQ(prompt_.Records()[0].icon, platform::PromptIcon::Critical);
    EXPECT_EQ(prompt_.Records()[0].title, QString());  // the default title
}

TEST_F(CalcNameTest, CancellingEmptiesTheEntry) {
    chooser_->answer = std::nullopt;
    EXPECT_FALSE(GetCalcName(5));
    EXPECT_EQ(chooser_->offered, QStringList{QStringLiteral("開放トラバー")});
    ExpectEntry(0, QString(), 0);

    // A name of blanks only is no name.
    handOff_.SetCalcEntry(8, QStringLiteral("前の計算"), 4);
    chooser_->answer = calcstore::CalcEntryChoice{QStringLiteral("   "), 3};
    EXPECT_FALSE(GetCalcName(7));
    ExpectEntry(0, QString(), 0);
}

TEST_F(CalcNameTest, WithoutAChooserNobodyIsAsked) {
    handOff_.SetCalcNameChooser(nullptr);
    EXPECT_FALSE(GetCalcName(5));
    ExpectEntry(8, QStringLiteral("前の計算"), 4);
    EXPECT_TRUE(prompt_.Records().isEmpty());
}

TEST_F(CalcNameTest, FoldersRenamedWhileChoosingRefreshTheRegion) {
    chooser_->renamedRegions = {17, 17};
    chooser_->answer = std::nullopt;  // also when the user cancels afterwards
    EXPECT_FALSE(GetCalcName(6));
    EXPECT_EQ(events_.regions, QList<qint32>({17, 17}));
}
