#pragma once

#include "console/context.h"

#include <QObject>
#include <QSet>

namespace tarvos {

class Caption;
struct DefaultFile;

// The two frequency lists of the top panel: "ATC" steps through freq1.txt into Label5 with
// `atcline`, "Con" through freq2.txt into Label7 with `conline`. Each press reads its file
// afresh, so an edit shows at the next press; a missing file is created with its defaults.
class FrequencyController : public QObject {
    Q_OBJECT
public:
    explicit FrequencyController(ConsoleContext context, QObject *parent = nullptr);

    void atcClicked(); // "ATC"
    void conClicked(); // "Con"

private:
    void step(const DefaultFile &file, Caption *label, int &counter);

    ConsoleContext m;
    QSet<QString> m_builtIn; // lists whose file could not be created
};

} // namespace tarvos
