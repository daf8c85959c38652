#pragma once
// The values the whole program shares: the district the host handed over, the menu's
// choices, the file loaded last, and the hand-off object. One copy per process.

#include <QString>
#include <QStringList>

namespace calcstore {
class clsConvert2;
}

namespace host {

struct ProcessValues {
    // Set by the host through KobelinDlg.
    qint32 RegID = 0;
    QString RegName;
    QString DataBaseName;  // path of the district's calculation database
    QString SimaFile;      // stored and returned only

    // The menu's choices (per-user settings).
    QString Format;    // data format code: "APA", "3GD", ..., or "*"
    QString TStype;    // maker or source: "SOKKIA", ..., "APA", "FILE", "???"
    QString RSset;     // serial settings, five comma-separated fields
    QString RSFuro;    // flow-control flag
    QString DataPath;  // data folder, ending in "/"

    // The file chosen last and its lines. DataLines[0] is the slot dialogs return their
    // results in; the loaded lines are DataLines[1..DataCount].
    QString DataFile;
    QStringList DataLines{QString()};
    qint32 DataCount = 0;
    qint16 LoadStatus = 0;  // 0 after a good load, 9999 after a failed one

    // The hand-off object of the KobelinDlg that is alive, or nullptr.
    calcstore::clsConvert2* HandOff = nullptr;

    // Empties the loaded lines, keeping element 0.
    void ClearDataLines();
    void AppendDataLine(const QString& line);
};

inline constexpr qint16 kLoadFailed = 9999;

ProcessValues& Process();

}  // namespace host
