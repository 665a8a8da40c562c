#include "clientlink/form4.h"

#include "console/twips.h"

#include <QApplication>
#include <QCloseEvent>

namespace tarvos {

namespace {

// Columns of the check boxes between the callsign field and the delete buttons, under the
// "cl", "st" and "tx" of the header.
constexpr std::array<int, 3> kCheckLeft = {1020, 1335, 1650};
constexpr int kCheckWidth = 255;
const std::array<QString, 3> kStageNames = {QStringLiteral("Clearance"), QStringLiteral("Start-up"),
                                            QStringLiteral("Taxi")};

} // namespace

Form4::Form4(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ground-Info"));
    setAccessibleName(QStringLiteral("Ground-Info"));
    setFont(consoleFont());
    setFixedSize(px(kWidthTwips), px(kHeightTwips));

    Label1 = new Caption(QStringLiteral("Callsign       cl   st  tx   t/o"), this);
    nameControl(Label1, QStringLiteral("Label1"), QString());
    Label1->setGeometry(pxRect(0, 0, kWidthTwips, 210));

    for (int i = 0; i < kRows; ++i) {
        const int top = rowTopTwips(i);
        const QString row = QStringLiteral(" row %1").arg(i);
        auto *field = new Field(this);
        nameControl(field, controlName(QStringLiteral("Text1"), i),
                    QStringLiteral("Callsign") + row);
        field->setGeometry(pxRect(0, top, 960, 285));
        Text1[static_cast<std::size_t>(i)] = field;

        std::array<QCheckBox *, 3> checks{};
        for (int c = 0; c < 3; ++c) {
            auto *box = new QCheckBox(this);
            nameControl(box, controlName(QStringLiteral("Check%1").arg(c + 1), i),
                        kStageNames[static_cast<std::size_t>(c)] + row);
            box->setGeometry(
                pxRect(kCheckLeft[static_cast<std::size_t>(c)], top, kCheckWidth, 285));
            box->setAutoFillBackground(true);
            checks[static_cast<std::size_t>(c)] = box;
        }
        Check1[static_cast<std::size_t>(i)] = checks[0];
        Check2[static_cast<std::size_t>(i)] = checks[1];
        Check3[static_cast<std::size_t>(i)] = checks[2];

        auto *remove = new Button(QStringLiteral("Lö"), this);
        nameControl(remove, controlName(QStringLiteral("Command1"), i), QStringLiteral("Lö") + row,
                    i == 0 ? QStringLiteral("deletes the entry") : QString());
        remove->setGeometry(pxRect(1995, top + 30, 330, 225));
        Command1[static_cast<std::size_t>(i)] = remove;
    }

    Command2 = new Button(QStringLiteral("ZAP"), this);
    nameControl(Command2, QStringLiteral("Command2"), QString(),
                QStringLiteral("remove empty lines"));
    Command2->setGeometry(pxRect(0, 3360, 1905, 330));
    Command3 = new Button(QStringLiteral("A"), this);
    nameControl(Command3, QStringLiteral("Command3"), QString(),
                QStringLiteral("clears all entries"));
    Command3->setGeometry(pxRect(1995, 3360, 330, 330));
}

QCheckBox *Form4::check(int row, int column) const {
    const auto r = static_cast<std::size_t>(row);
    return column == 0 ? Check1.at(r) : column == 1 ? Check2.at(r) : Check3.at(r);
}

void Form4::showRows(const GroundInfo &rows) {
    for (int i = 0; i < kRows; ++i) {
        const GroundRow &row = rows.row(i);
        Field *field = Text1[static_cast<std::size_t>(i)];
        if (field->text() != row.callsign)
            field->setText(row.callsign);
        for (int c = 0; c < 3; ++c)
            check(i, c)->setChecked(row.checks[static_cast<std::size_t>(c)]);
    }
}

void Form4::setCheckColours(int groundcheckmode) {
    const QColor green(0x00, 0xFF, 0x00);
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (int i = 0; i < kRows; ++i) {
        for (int c = 0; c < 2; ++c) {
            const bool automatic = c == 0 || groundcheckmode == 2;
            QCheckBox *box = check(i, c);
            QPalette p = box->palette();
            p.setColor(QPalette::Window, automatic ? green : face);
            box->setPalette(p);
        }
    }
}

void Form4::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace tarvos
