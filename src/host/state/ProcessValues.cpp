#include "host/state/ProcessValues.h"

namespace host {

void ProcessValues::ClearDataLines() {
    const QString slot = DataLines.isEmpty() ? QString() : DataLines.constFirst();
    DataLines = QStringList{slot};
    DataCount = 0;
}

void ProcessValues::AppendDataLine(const QString& line) {
    DataLines.append(line);
    DataCount = static_cast<qint32>(DataLines.size() - 1);
}

ProcessValues& Process() {
    static ProcessValues values;
    return values;
}

}  // namespace host
