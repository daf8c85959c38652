#pragma once
// The per-user settings store: application "Brandel", sections, keys and string values,
// kept as an INI file. A section such as "Trevanto\PrintCR" is the group Trevanto/PrintCR.

#include <QString>

namespace platform {

class SettingsStore {
  public:
    explicit SettingsStore(QString iniPath);

    // The user's store: <config folder>/Brandel.ini, or the file set by SetUserStorePath.
    static SettingsStore& User();
    // Points the user's store at another file (tests use a temporary folder).
    static void SetUserStorePath(const QString& iniPath);

    // The stored value; a missing or empty one is replaced by the default, which is
    // written back at once (throws FileError when that fails).
    QString Get(const QString& section, const QString& key, const QString& defaultValue);
    // The stored value as it is, empty when missing. A value written by hand without quotes
    // reads as the text it is, commas included.
    QString Peek(const QString& section, const QString& key) const;
    // Throws FileError when the store cannot be written; the file keeps its old content.
    void Save(const QString& section, const QString& key, const QString& value);

    const QString& Path() const { return path_; }

  private:
    QString path_;
};

}  // namespace platform
