#include "clientlink/frequencylist.h"
#include "fakes/consolefixture.h"

using namespace tarvos;
using namespace tarvos::testing;

namespace {

class FrequencyWidgetsTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        start();
    }
    void writeLines(const QString &name, const QStringList &lines) {
        ASSERT_TRUE(console->data().replace(name, lines));
    }
};

} // namespace

TEST_F(FrequencyWidgetsTest, AtcAndConStepTheirOwnListsWithSeparateCounters) {
    Form1 &f = form();
    writeLines("freq1.txt", freq1DefaultFile().lines);
    writeLines("freq2.txt", {"TXL TWR 124.52", "TXL GND 121.92"});
    // Each press and what the two labels show afterwards.
    const struct {
        QPushButton *button;
        const char *label5, *label7;
    } presses[] = {
        {f.Command1, "", ""},
        {f.Command1, "APP 119.62", ""},
        {f.Command2, "APP 119.62", ""},
        {f.Command2, "APP 119.62", "TXL TWR 124.52"},
        {f.Command1, "CTR 121.05", "TXL TWR 124.52"},
        {f.Command2, "CTR 121.05", "TXL GND 121.92"},
        {f.Command2, "CTR 121.05", ""}, // past the end: the list starts again
        {f.Command2, "CTR 121.05", ""},
        {f.Command2, "CTR 121.05", "TXL TWR 124.52"},
        {f.Command1, "DEP 120.62", "TXL TWR 124.52"},
    };
    int i = 0;
    for (const auto &p : presses) {
        p.button->click();
        EXPECT_EQ(f.Label5->text(), p.label5) << "press " << i;
        EXPECT_EQ(f.Label7->text(), p.label7) << "press " << i;
        ++i;
    }
    EXPECT_EQ(console->state().atcline, 4);
    EXPECT_EQ(console->state().conline, 2);
    EXPECT_TRUE(fake.messages.shown.isEmpty());
}

TEST_F(FrequencyWidgetsTest, MissingListIsCreatedWithItsMessageOnce) {
    Form1 &f = form();
    f.Label5->setText("old");
    f.Command1->click();
    EXPECT_EQ(f.Label5->text(), "");
    EXPECT_EQ(fake.messages.shown,
              QStringList({"The file freq1.txt has been created. If you do not control in "
                           "Berlin, please edit this file."}));
    EXPECT_EQ(console->data().read("freq1.txt").lines, freq1DefaultFile().lines);
    f.Command1->click();
    EXPECT_EQ(f.Label5->text(), "");
    f.Command1->click();
    EXPECT_EQ(f.Label5->text(), "APP 119.62");
    EXPECT_EQ(fake.messages.shown.size(), 1);
}

TEST_F(FrequencyWidgetsTest, EmptyListStaysEmptyWithoutMessage) {
    Form1 &f = form();
    writeFile(dataPath("freq2.txt"), "");
    for (int i = 0; i < 5; ++i) {
        f.Command2->click();
        EXPECT_EQ(f.Label7->text(), "") << i;
    }
    EXPECT_TRUE(fake.messages.shown.isEmpty());
}
