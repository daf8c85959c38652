#include "platform/Settings.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "platform/FileError.h"

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

// The text after "key=" in the section of an INI file, as it stands; empty when absent.
// QSettings writes a group below a section as "Sub\key" inside the section.
QString RawIniValue(const QString& path, const QString& groupKey) {
    const qsizetype slash = groupKey.indexOf(u'/');
    const QString section = u'[' + groupKey.left(slash) + u']';
    const QString key = QString(groupKey.mid(slash + 1)).replace(u'/', u'\\');
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inSection = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inSection = line == section;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inSection && equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return {};
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
    const QVariant value = settings.value(GroupKey(section, key));
    // A value typed by hand with commas and without quotes ("4800,e,7,1,1") comes back from
    // the INI parser as a list: it is the text as it stands in the file.
    if (value.metaType().id() == QMetaType::QStringList) {
        const QString raw = RawIniValue(path_, GroupKey(section, key));
        return raw.isEmpty() ? value.toStringList().join(u',') : raw;
    }
    return value.toString();
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
    // A format error means a line of the old file did not read; the new file is written.
    if (settings.status() == QSettings::AccessError)
        throw FileError(path_, QStringLiteral("設定を保存できません。"));
}

}  // namespace platform
