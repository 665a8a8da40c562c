#include "clientlink/frequencylist.h"

namespace tarvos {

namespace {

QString createdMessage(const QString &name) {
    return QStringLiteral("The file %1 has been created. If you do not control in Berlin, "
                          "please edit this file.")
        .arg(name);
}

} // namespace

DefaultFile freq1DefaultFile() {
    return DefaultFile{QStringLiteral("freq1.txt"),
                       {
                           QStringLiteral("APP 119.62"),
                           QStringLiteral("CTR 121.05"),
                           QStringLiteral("DEP 120.62"),
                           QStringLiteral("DIR 132.70"),
                           QStringLiteral("S-Ap 124.17"),
                           QStringLiteral("S-Ct 124.17"),
                           QStringLiteral("Kopn 128.75"),
                           QStringLiteral("Brem 125.65"),
                           QStringLiteral("Fran 120.80"),
                           QStringLiteral("Wars 134.12"),
                           QStringLiteral("Lei-A 124.17"),
                       },
                       createdMessage(QStringLiteral("freq1.txt"))};
}

DefaultFile freq2DefaultFile() {
    return DefaultFile{QStringLiteral("freq2.txt"),
                       {
                           QStringLiteral("TXL TWR 124.52"),
                           QStringLiteral("TXL GND 121.92"),
                           QStringLiteral("THF TWR 119.57"),
                           QStringLiteral("THF GND 121.95"),
                           QStringLiteral("SXF TWR 120.02"),
                           QStringLiteral("SXF GND 121.60"),
                           QStringLiteral("ILA TWR 127.87"),
                       },
                       createdMessage(QStringLiteral("freq2.txt"))};
}

FrequencyStep stepFrequencyList(const DataDir::ReadResult &file, int counter) {
    FrequencyStep step;
    const bool readable = file.status == DataDir::Status::Ok;
    if (readable && counter <= file.lines.size()) {
        if (counter > 0)
            step.caption = file.lines.at(counter - 1);
        step.counter = counter + 1;
    } else {
        // Past the end, or no file to read: the label empties and the next press starts the
        // list again with its empty entry.
        step.counter = 0;
        step.createFile = file.status == DataDir::Status::Missing;
    }
    return step;
}

} // namespace tarvos
