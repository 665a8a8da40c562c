#include "clientlink/frequencylist.h"

#include "fakes/fakeplatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

using namespace tarvos;
using tarvos::testing::FakeMessageBox;

namespace {

// One press of a list's button as the console does it: read, step, create when missing.
QString press(const DataDir &dir, const DefaultFile &defaults, int &counter,
              FakeMessageBox &messages) {
    const FrequencyStep step = stepFrequencyList(dir.read(defaults.name), counter);
    if (step.createFile)
        dir.openOrCreate(defaults, messages);
    counter = step.counter;
    return step.caption;
}

} // namespace

TEST(FrequencyList, FifteenPressesOfTheDefaultList) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;
    ASSERT_TRUE(dir.replace("freq1.txt", freq1DefaultFile().lines));

    const QStringList expected = {"",
                                  "APP 119.62",
                                  "CTR 121.05",
                                  "DEP 120.62",
                                  "DIR 132.70",
                                  "S-Ap 124.17",
                                  "S-Ct 124.17",
                                  "Kopn 128.75",
                                  "Brem 125.65",
                                  "Fran 120.80",
                                  "Wars 134.12",
                                  "Lei-A 124.17",
                                  "",
                                  "",
                                  "APP 119.62"};
    int atcline = 0;
    QStringList shown;
    for (int i = 0; i < 15; ++i)
        shown << press(dir, freq1DefaultFile(), atcline, messages);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(FrequencyList, MissingFileIsCreatedOnTheFirstPress) {
    const struct {
        DefaultFile file;
        QByteArray bytes;
    } cases[] = {
        {freq1DefaultFile(), "APP 119.62\r\nCTR 121.05\r\nDEP 120.62\r\nDIR 132.70\r\n"
                             "S-Ap 124.17\r\nS-Ct 124.17\r\nKopn 128.75\r\nBrem 125.65\r\n"
                             "Fran 120.80\r\nWars 134.12\r\nLei-A 124.17\r\n"},
        {freq2DefaultFile(), "TXL TWR 124.52\r\nTXL GND 121.92\r\nTHF TWR 119.57\r\n"
                             "THF GND 121.95\r\nSXF TWR 120.02\r\nSXF GND 121.60\r\n"
                             "ILA TWR 127.87\r\n"},
    };
    for (const auto &c : cases) {
        QTemporaryDir tmp;
        DataDir dir(tmp.path());
        FakeMessageBox messages;
        int counter = 0;
        const QStringList shown = {press(dir, c.file, counter, messages),
                                   press(dir, c.file, counter, messages),
                                   press(dir, c.file, counter, messages)};
        EXPECT_EQ(shown, QStringList({"", "", c.file.lines.first()})) << c.file.name.toStdString();
        EXPECT_EQ(messages.shown,
                  QStringList{"The file " + c.file.name +
                              " has been created. If you do not control in Berlin, please "
                              "edit this file."});
        QFile f(dir.path(c.file.name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.bytes) << c.file.name.toStdString();
    }
}

TEST(FrequencyList, StepByFileAndCounter) {
    using S = DataDir::Status;
    const struct {
        const char *name;
        DataDir::ReadResult file;
        int counter;
        const char *caption;
        int next;
        bool create;
    } cases[] = {
        {"counter 0 shows nothing", {S::Ok, {"a", "b"}}, 0, "", 1, false},
        {"line 1", {S::Ok, {"a", "b"}}, 1, "a", 2, false},
        {"last line", {S::Ok, {"a", "b"}}, 2, "b", 3, false},
        {"past the end restarts", {S::Ok, {"a", "b"}}, 3, "", 0, false},
        {"file shortened since", {S::Ok, {"a"}}, 7, "", 0, false},
        {"empty line", {S::Ok, {"a", ""}}, 2, "", 3, false},
        {"empty file, counter 0", {S::Ok, {}}, 0, "", 1, false},
        {"empty file, counter 1", {S::Ok, {}}, 1, "", 0, false},
        {"missing", {S::Missing, {}}, 5, "", 0, true},
        {"missing at 0", {S::Missing, {}}, 0, "", 0, true},
        {"unreadable", {S::Unreadable, {}}, 2, "", 0, false},
    };
    for (const auto &c : cases) {
        const FrequencyStep step = stepFrequencyList(c.file, c.counter);
        EXPECT_EQ(step.caption, c.caption) << c.name;
        EXPECT_EQ(step.counter, c.next) << c.name;
        EXPECT_EQ(step.createFile, c.create) << c.name;
    }
}

TEST(FrequencyList, EmptyFileStaysEmptyWithoutMessage) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;
    ASSERT_TRUE(dir.replace("freq2.txt", {}));
    int conline = 0;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(press(dir, freq2DefaultFile(), conline, messages), "");
    EXPECT_EQ(conline, 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}
