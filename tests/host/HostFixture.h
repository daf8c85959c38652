#pragma once
// A clean process state for each host test: fresh process values, an empty settings store,
// a data folder of its own and the scripted prompt.

#include <gtest/gtest.h>

#include "host/state/ProcessValues.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

class HostFixture : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::NewFolder(QStringLiteral("host"));
        platform::SettingsStore::SetUserStorePath(folder_ + QStringLiteral("/Brandel.ini"));
        host::Process() = host::ProcessValues{};
        host::Process().DataPath = folder_ + QStringLiteral("/TSDATA/");
        platform::SetActivePrompt(&prompt_);
    }
    void TearDown() override {
        EXPECT_EQ(prompt_.Unanswered(), 0) << "a prompt was not scripted";
        platform::SetActivePrompt(nullptr);
    }

    // Writes a file into the data folder and returns its path.
    QString DataFile(const QString& name, const QByteArray& bytes) {
        const QString path = host::Process().DataPath + name;
        test::WriteBytes(path, bytes);
        return path;
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& r : prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message))
            texts << r.text;
        return texts;
    }
    platform::SettingsStore& Store() { return platform::SettingsStore::User(); }
    QString StoredDataPath() { return Store().Peek(u"Trevanto"_qs, u"DataPath"_qs); }

    QString folder_;
    platform::ScriptedPrompt prompt_;
};
