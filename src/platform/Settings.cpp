#include "platform/Settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace platform {
namespace {

QString GroupKey(const QString& section, const QString& key) {
    QString group = section;
    group.replace(u'\\', u'/');
    return group + u'/' + key;
}

std::unique_ptr<SettingsStore>& UserStore() {
    static std::unique_ptr<SettingsStore> store;
    return store;
}

}  // namespace

SettingsStore::SettingsStore(QString iniPath) : path_(std::move(iniPath)) {}

SettingsStore& SettingsStore::User() {
    auto& store = UserStore();
    if (!store) {
        store = std::make_unique<SettingsStore>(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/Brandel.ini"));
    }
    return *store;
}

void SettingsStore::SetUserStorePath(const QString& iniPath) {
    UserStore() = std::make_unique<SettingsStore>(iniPath);
}

QString SettingsStore::Peek(const QString& section, const QString& key) const {
    const QSettings settings(path_, QSettings::IniFormat);
    return settings.value(GroupKey(section, key)).toString();
}

QString SettingsStore::Get(const QString& section, const QString& key,
                           const QString& defaultValue) {
    const QString value = Peek(section, key);
    if (!value.isEmpty()) return value;
    Save(section, key, defaultValue);
    return defaultValue;
}

void SettingsStore::Save(const QString& section, const QString& key, const QString& value) {
    QSettings settings(path_, QSettings::IniFormat);
    settings.setValue(GroupKey(section, key), value);
    settings.sync();
}

}  // namespace platform
