#include "clientlink/form5.h"

#include "console/twips.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>

namespace tarvos {

Form5::Form5(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form5"));
    setAccessibleName(QStringLiteral("SID chart"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(px(kWidthTwips), px(kHeightTwips));
    for (const SidChart chart : {SidChart::West, SidChart::East}) {
        auto *box = new Caption(QString(), this);
        const bool east = chart == SidChart::East;
        nameControl(box, east ? QStringLiteral("Picture2") : QStringLiteral("Picture1"),
                    east ? QStringLiteral("SID chart east") : QStringLiteral("SID chart west"));
        box->setPixmap(builtInChart(chart, QString()));
        box->resize(box->pixmap().size());
        box->setVisible(!east);
        connect(box, &Caption::clicked, this, &Form5::hideChart);
        (east ? Picture2 : Picture1) = box;
    }
}

void Form5::loadCharts(const QString &directory) {
    for (const SidChart chart : {SidChart::West, SidChart::East}) {
        QImageReader reader(QDir(directory).filePath(chartFileName(chart)));
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        const bool builtIn = image.isNull();
        m_builtIn[chart == SidChart::East] = builtIn;
        picture(chart)->setPixmap(builtIn ? builtInChart(chart, directory)
                                          : QPixmap::fromImage(image));
    }
}

bool Form5::isBuiltIn(SidChart chart) const {
    return m_builtIn[chart == SidChart::East];
}

void Form5::showChart(const QString &landingRunway, const QWidget &anchor) {
    m_shown = chartForRunway(landingRunway);
    Caption *shown = picture(m_shown);
    Caption *other = picture(m_shown == SidChart::East ? SidChart::West : SidChart::East);
    const QSize size = shown->pixmap().deviceIndependentSize().toSize();
    other->hide();
    shown->setGeometry(QRect(QPoint(0, 0), size));
    shown->show();
    setFixedSize(size);
    move(chartGeometry(anchor.frameGeometry(), size).topLeft());
    show();
}

QPixmap Form5::builtInChart(SidChart chart, const QString &directory) {
    const bool east = chart == SidChart::East;
    QPixmap pixmap(east ? kBuiltInEastSize : kBuiltInWestSize);
    pixmap.fill(QColor(0xFF, 0xFF, 0xF0));
    QPainter painter(&pixmap);
    const QRect inner = pixmap.rect().adjusted(8, 8, -9, -9);
    painter.setPen(QPen(QColor(0x00, 0x00, 0x80), 2));
    painter.drawRect(inner);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    const QString heading = east ? QStringLiteral("SID chart east: landing runways 19 to 36")
                                 : QStringLiteral("SID chart west: landing runways 01 to 18");
    painter.drawText(inner.adjusted(16, 16, -16, 0), Qt::AlignLeft | Qt::AlignTop, heading);
    font.setPixelSize(15);
    font.setBold(false);
    painter.setFont(font);
    const QString folder = directory.isEmpty() ? QStringLiteral("the Tarvos data folder")
                                               : QDir::toNativeSeparators(directory);
    const QString text =
        QStringLiteral("No chart picture was found. Save the departure chart of your airport "
                       "for these runways as\n\n%1\n\nin\n\n%2\n\n(a BMP, PNG or JPEG picture; the "
                       "window takes the picture's size). Tarvos loads it at the next start.")
            .arg(chartFileName(chart), folder);
    painter.drawText(inner.adjusted(16, 64, -16, -16), Qt::AlignLeft | Qt::TextWordWrap, text);
    painter.end();
    return pixmap;
}

} // namespace tarvos
