#include "calcstore/CalcDialogSettings.h"

#include "platform/Settings.h"

namespace calcstore {
namespace {

const QString kSection = QStringLiteral("Survey\\Settings");

// One pair of keys per district; the district's name is part of the key as it is.
QString Key(const QString& regionName, const QString& what) {
    return QStringLiteral("CalcDialog\\") + regionName + what;
}

int StoredNumber(const platform::SettingsStore& store, const QString& key, int fallback) {
    bool ok = false;
    const int value = store.Peek(kSection, key).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

CalcDialogPlace ReadCalcDialogPlace(const platform::SettingsStore& store,
                                    const QString& regionName) {
    CalcDialogPlace place;
    place.folderId = StoredNumber(store, Key(regionName, QStringLiteral("POS")), 0);
    const int style = StoredNumber(store, Key(regionName, QStringLiteral("VIEW")), kListStyle);
    place.viewStyle = style == kDetailStyle ? kDetailStyle : kListStyle;
    return place;
}

void SaveCalcDialogPlace(platform::SettingsStore& store, const QString& regionName,
                         const CalcDialogPlace& place) {
    store.Save(kSection, Key(regionName, QStringLiteral("POS")), QString::number(place.folderId));
    store.Save(kSection, Key(regionName, QStringLiteral("VIEW")), QString::number(place.viewStyle));
}

}  // namespace calcstore
