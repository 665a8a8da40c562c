#include "console/form2.h"

#include "console/form1.h"
#include "console/twips.h"

#include <QCloseEvent>

namespace tarvos {

Form2::Form2(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Tarvos"));
    setFont(consoleFont());
    setFixedSize(px(kWidthTwips), px(kHeightTwips));
    auto field = [this](const char *name, const char *spoken, int left, int width) {
        auto *f = new Field(this);
        nameControl(f, QString::fromLatin1(name), QString::fromLatin1(spoken));
        f->setGeometry(pxRect(left, 255, width, 315));
        return f;
    };
    auto label = [this](const char *name, const char *caption, int left, int width) {
        auto *c = new Caption(QString::fromUtf8(caption), this);
        nameControl(c, QString::fromLatin1(name), QString());
        c->setGeometry(pxRect(left, 285, width, 255));
        return c;
    };
    auto button = [this](const char *name, const char *caption, int left, const char *tip) {
        auto *b = new Button(QString::fromLatin1(caption), this);
        nameControl(b, QString::fromLatin1(name), QString(), QString::fromLatin1(tip));
        b->setGeometry(pxRect(left, 240, 525, 345));
        return b;
    };
    Label5 = new Caption(QStringLiteral("        Wind             QNH           Land      Take-Off"
                                        "    ATIS     TL          Frequencies"),
                         this);
    nameControl(Label5, QStringLiteral("Label5"), QString());
    Label5->setGeometry(pxRect(0, 0, 7200, 240));
    Text1 = field("Text1", "Wind direction", 420, 480);
    Text2 = field("Text2", "Wind speed", 930, 420);
    Text3 = field("Text3", "QNH", 1485, 570);
    Text4 = field("Text4", "Landing runway", 2400, 540);
    Text5 = field("Text5", "Take-off runway", 3180, 540);
    Text6 = field("Text6", "ICAO code", 8700, 735);
    Text7 = field("Text7", "ATIS letter", 4050, 345);
    Label1 = label("Label1", "TL", 4650, 615);
    Label2 = label("Label2", "", 5385, 1400);
    Label3 = label("Label3", "", 6840, 1215);
    Label4 = label("Label4", "", 8085, 600);
    Command1 = button("Command1", "Back", 9480, "back to main window");
    Command2 = button("Command2", "DEP", 10035, "back to main window");
    Command3 = button("Command3", "mini", 10590, "minimize the windows again");
}

void Form2::copyFrom(const Form1 &f) {
    Text1->setText(f.Text1->text());
    Text2->setText(f.Text2->text());
    Text3->setText(f.Text3->text());
    Text4->setText(f.Text4->text());
    Text5->setText(f.Text5->text());
    Text6->setText(f.Text6->text());
    Text7->setText(f.Text18->text());
    Label1->setText(f.Label2->text());
    Label2->setText(f.Label5->text());
    Label3->setText(f.Label7->text());
    Label4->setText(f.Label8->text());
}

void Form2::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (!m_shuttingDown)
        emit closedByUser();
}

void Form2::closeAtShutdown() {
    m_shuttingDown = true;
    close();
}

int Form2::topTwips() const {
    return m_topTwips;
}

void Form2::moveTopTwips(int top) {
    m_topTwips = top;
    move(x(), px(top));
}

} // namespace tarvos
