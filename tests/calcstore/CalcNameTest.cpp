// How the hand-off object names and places a new calculation through the installed chooser.

#include <gtest/gtest.h>

#include "calcstore/clsConvert2.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"

namespace {

// Answers with a scripted choice and remembers what it was offered.
struct FakeChooser : calcstore::CalcNameChooser {
    std::optional<calcstore::CalcEntryChoice> Choose(const QString& defaultName, qint32,
                                                     const calcstore::RegionRefresh&) override {
        offered << defaultName;
        return answer;
    }
    std::optional<calcstore::CalcEntryChoice> answer;
    QStringList offered;
};

class CalcNameTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SetActivePrompt(&prompt_);
        auto chooser = std::make_unique<FakeChooser>();
        chooser_ = chooser.get();
        handOff_.SetCalcNameChooser(std::move(chooser));
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
    calcstore::clsConvert2 handOff_;
    FakeChooser* chooser_ = nullptr;
};

}  // namespace

TEST_F(CalcNameTest, AnInvalidTypeIsToldAndChangesNothing) {
    EXPECT_FALSE(GetCalcName(9));
    ExpectEntry(8, QStringLiteral("前の計算"), 4);
    EXPECT_TRUE(chooser_->offered.isEmpty());  // the user was never asked
    EXPECT_EQ(prompt_.Records().size(), 1);

    handOff_.SetCalcNameChooser(nullptr);  // nobody to ask: nothing changes either
    EXPECT_FALSE(GetCalcName(5));
    ExpectEntry(8, QStringLiteral("前の計算"), 4);
}

TEST_F(CalcNameTest, TheChoiceOrItsCancelBecomesTheEntry) {
    chooser_->answer = calcstore::CalcEntryChoice{QStringLiteral("  測量 A  "), 12};
    EXPECT_TRUE(GetCalcName(41));
    ExpectEntry(41, QStringLiteral("測量 A"), 12);

    chooser_->answer = std::nullopt;
    EXPECT_FALSE(GetCalcName(5));
    ExpectEntry(0, QString(), 0);

    handOff_.SetCalcEntry(8, QStringLiteral("前の計算"), 4);
    chooser_->answer = calcstore::CalcEntryChoice{QStringLiteral("   "), 3};  // blanks: no name
    EXPECT_FALSE(GetCalcName(7));
    ExpectEntry(0, QString(), 0);

    EXPECT_EQ(chooser_->offered,
              QStringList({QStringLiteral("厳密水平網平均計算（検定）"),
                           QStringLiteral("開放トラバー"), QStringLiteral("閉合トラバー")}));
    EXPECT_TRUE(prompt_.Records().isEmpty());
}
