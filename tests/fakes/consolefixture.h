#pragma once

// A console on the offscreen platform with fake desktop services and its own data folder.

#include "app/console.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace tarvos::testing {

// One tick of a timer, delivered at once (as its timeout would be).
inline void tick(QTimer *timer) {
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }

    // Creates the console on the data folder and runs its start-up. A network.txt that names no
    // source of the open data gets none, so that no test fetches it unless it asks to (and a
    // test with a real transfer never reaches out for it).
    Console &start() {
        // One console on the folder at a time, as the folder's lock wants it.
        console.reset();
        QFile network(dataPath(QStringLiteral("network.txt")));
        if (network.open(QIODevice::ReadWrite) && !network.readAll().contains("airports="))
            network.write("\nairports=\n");
        network.close();
        console = std::make_unique<Console>(fake.platform, tmp.path());
        console->startup();
        return *console;
    }
    QString dataPath(const QString &name) const { return QDir(tmp.path()).filePath(name); }
    Form1 &form() { return console->form1(); }

    QTemporaryDir tmp;
    FakePlatform fake;
    std::unique_ptr<Console> console;
};

} // namespace tarvos::testing
