#include "clientlink/form5.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

void writePicture(const QString &path, QSize size, const char *format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path, format));
}

class Form5Test : public ::testing::Test {
protected:
    void SetUp() override {
        console.setGeometry(120, 40, 743, 118);
        console.show();
    }
    QTemporaryDir tmp;
    QWidget console;
    Form5 form;
};

} // namespace

TEST_F(Form5Test, BuiltInPicturesWhenTheFilesAreMissingOrBroken) {
    QFile junk(tmp.filePath("sideast.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM this is no picture");
    junk.close();
    form.loadCharts(tmp.path());
    EXPECT_TRUE(form.isBuiltIn(SidChart::West));
    EXPECT_TRUE(form.isBuiltIn(SidChart::East));

    form.showChart("08L", console);
    EXPECT_EQ(form.size(), QSize(564, 381));
    EXPECT_TRUE(form.Picture1->isVisible());
    EXPECT_FALSE(form.Picture2->isVisible());
    form.showChart("26R", console);
    EXPECT_EQ(form.size(), QSize(570, 364));
    EXPECT_EQ(form.Picture2->geometry(), QRect(0, 0, 570, 364));
    EXPECT_FALSE(form.Picture1->isVisible());
}

TEST_F(Form5Test, ChartFilesSizeTheWindowUnderTheConsole) {
    // A PNG under the .bmp name is read by its content.
    writePicture(tmp.filePath("sidwest.bmp"), QSize(300, 200), "PNG");
    writePicture(tmp.filePath("sideast.bmp"), QSize(401, 177), "BMP");
    form.loadCharts(tmp.path());
    EXPECT_FALSE(form.isBuiltIn(SidChart::West));
    EXPECT_FALSE(form.isBuiltIn(SidChart::East));

    struct Case {
        const char *runway;
        SidChart chart;
        QSize size;
    } cases[] = {
        {"26R", SidChart::East, {401, 177}}, {"08L", SidChart::West, {300, 200}},
        {"19", SidChart::East, {401, 177}},  {"18", SidChart::West, {300, 200}},
        {"", SidChart::West, {300, 200}},
    };
    for (const Case &c : cases) {
        form.showChart(c.runway, console);
        EXPECT_EQ(form.shownChart(), c.chart) << c.runway;
        EXPECT_EQ(form.frameGeometry(),
                  QRect(console.frameGeometry().bottomLeft() + QPoint(0, 1), c.size))
            << c.runway;
    }

    // After the console moved, the chart follows; a click on it hides it.
    console.move(10, 300);
    form.showChart("26R", console);
    EXPECT_EQ(form.pos(), console.frameGeometry().bottomLeft() + QPoint(0, 1));
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(form.Picture2, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}
