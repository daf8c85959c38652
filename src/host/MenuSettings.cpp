#include "host/MenuSettings.h"

#include <optional>

#include "platform/FileError.h"
#include "platform/Folders.h"

namespace host {

const QList<FormatChoice>& FormatChoices() {
    static const QList<FormatChoice> choices = {
        {QStringLiteral("SOKKIAAPA"), QStringLiteral("SOKKIA･APA"), QStringLiteral("SOKKIA"),
         QStringLiteral("APA")},
        {QStringLiteral("SOKKIA3GD"), QStringLiteral("SOKKIA･SDR3G"), QStringLiteral("SOKKIA"),
         QStringLiteral("3GD")},
        {QStringLiteral("SOKKIA3PD"), QStringLiteral("SOKKIA･SDR3P"), QStringLiteral("SOKKIA"),
         QStringLiteral("3PD")},
        {QStringLiteral("SOKKIASDF"), QStringLiteral("SOKKIA･SD"), QStringLiteral("SOKKIA"),
         QStringLiteral("SDF")},
        {QStringLiteral("SOKKIASC1"), QStringLiteral("SOKKIA･SCR1"), QStringLiteral("SOKKIA"),
         QStringLiteral("SC1")},
        {QStringLiteral("SOKKIASCR"), QStringLiteral("SOKKIA･SCR2"), QStringLiteral("SOKKIA"),
         QStringLiteral("SCR")},
        {QStringLiteral("TOPCONAPA"), QStringLiteral("TOPCON･APA"), QStringLiteral("TOPCON"),
         QStringLiteral("APA")},
        {QStringLiteral("TOPCONFC5"), QStringLiteral("TOPCON･FC5"), QStringLiteral("TOPCON"),
         QStringLiteral("FC5")},
        {QStringLiteral("LEICAAPA"), QStringLiteral("LEICA･APA"), QStringLiteral("LEICA"),
         QStringLiteral("APA")},
        {QStringLiteral("LEICAGSI"), QStringLiteral("LEICA･GSI"), QStringLiteral("LEICA"),
         QStringLiteral("GSI")},
        {QStringLiteral("NIKONAPA"), QStringLiteral("NIKON･APA"), QStringLiteral("NIKON"),
         QStringLiteral("APA")},
        {QStringLiteral("NIKONDR2"), QStringLiteral("NIKON･DR-2"), QStringLiteral("NIKON"),
         QStringLiteral("DR2")},
        {QStringLiteral("PENTAXAPA"), QStringLiteral("PENTAX･APA"), QStringLiteral("PENTAX"),
         QStringLiteral("APA")},
        {QStringLiteral("APANONACKNAK"), QStringLiteral("APA (ACK/NAKなし)"), QStringLiteral("APA"),
         QStringLiteral("APA")},
        {QStringLiteral("FILEAPA"), QStringLiteral("ファイル･APA"), QStringLiteral("FILE"),
         QStringLiteral("APA")},
        {QStringLiteral("TCMNON"), QStringLiteral("すべて"), QStringLiteral("???"),
         QStringLiteral("*")},
    };
    return choices;
}

void LoadSettings(platform::SettingsStore& store, ProcessValues& values,
                  const QString& workFolder) {
    // Every value gets read (or defaulted) even when the store cannot take the defaults
    // back; the first such failure is reported after all of them are in place.
    std::optional<platform::FileError> failure;
    const auto get = [&](const QString& key, const QString& defaultValue) {
        try {
            return store.Get(kSettingsSection, key, defaultValue);
        } catch (const platform::FileError& e) {
            if (!failure) failure = e;
            return defaultValue;
        }
    };
    values.DataPath = get(QStringLiteral("DataPath"),
                          platform::WithTrailingSlash(workFolder) + QStringLiteral("TSDATA/"));
    values.Format = get(QStringLiteral("Format"), QStringLiteral("APA"));
    values.TStype = get(QStringLiteral("TStype"), QStringLiteral("SOKKIA"));
    values.RSset = get(QStringLiteral("RSset"), QStringLiteral("9600,n,8,1,1"));
    values.RSFuro = get(QStringLiteral("RSFuro"), QStringLiteral("2"));
    if (failure) throw *failure;
}

void SaveFormatSettings(platform::SettingsStore& store, const ProcessValues& values) {
    store.Save(kSettingsSection, QStringLiteral("Format"), values.Format);
    store.Save(kSettingsSection, QStringLiteral("TStype"), values.TStype);
    if (!values.RSset.isEmpty())
        store.Save(kSettingsSection, QStringLiteral("RSset"), values.RSset);
}

void SaveDataPath(platform::SettingsStore& store, const QString& dataPath) {
    store.Save(kSettingsSection, QStringLiteral("DataPath"), dataPath);
}

}  // namespace host
