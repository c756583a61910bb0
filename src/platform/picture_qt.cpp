// The main window's picture: an e-scooter beside its motor controller, drawn in code.
#include "platform/picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawWheel(QPainter &p, QPointF centre, double radius) {
    p.setPen(QPen(QColor(30, 34, 40), radius * 0.28));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(150, 160, 170), 1.5));
    for (int i = 0; i < 6; ++i) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(i * 30.0);
        p.drawLine(t.map(QPointF(-radius * 0.8, 0)), t.map(QPointF(radius * 0.8, 0)));
    }
    p.setBrush(QColor(200, 60, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, radius * 0.28, radius * 0.28);
}

QPixmap drawScooter() {
    const QSize size(300, 170);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(226, 238, 250));
    sky.setColorAt(1, QColor(180, 204, 230));
    p.setPen(QPen(QColor(120, 140, 165), 1));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 10, 10);

    // Road.
    p.setPen(QPen(QColor(90, 100, 110), 2));
    p.drawLine(QPointF(12, 146), QPointF(size.width() - 12, 146));

    // Scooter: deck, stem, handlebar, wheels (hub motor at the back).
    const QPointF rear(52, 126), front(172, 126);
    p.setPen(QPen(QColor(40, 90, 160), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(60, 118), QPointF(150, 118));
    p.drawLine(QPointF(150, 118), QPointF(164, 42));
    p.drawLine(QPointF(164, 42), front);
    p.setPen(QPen(QColor(30, 34, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(150, 38), QPointF(180, 38));
    p.setPen(QPen(QColor(40, 90, 160), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(60, 118), rear);
    drawWheel(p, rear, 20);
    drawWheel(p, front, 20);

    // Motor controller: finned housing with a bolt, and its cable to the hub motor.
    QRectF box(200, 60, 82, 56);
    QLinearGradient metal(box.topLeft(), box.bottomLeft());
    metal.setColorAt(0, QColor(190, 196, 204));
    metal.setColorAt(1, QColor(110, 118, 128));
    p.setPen(QPen(QColor(60, 66, 74), 1.5));
    p.setBrush(metal);
    p.drawRoundedRect(box, 6, 6);
    p.setPen(QPen(QColor(80, 86, 96), 2));
    for (int i = 0; i < 6; ++i) {
        double x = box.left() + 10 + i * 12.4;
        p.drawLine(QPointF(x, box.top() + 6), QPointF(x, box.top() + 14));
    }
    QPainterPath bolt;
    bolt.moveTo(box.center() + QPointF(4, -22));
    bolt.lineTo(box.center() + QPointF(-10, 4));
    bolt.lineTo(box.center() + QPointF(0, 4));
    bolt.lineTo(box.center() + QPointF(-4, 24));
    bolt.lineTo(box.center() + QPointF(10, -2));
    bolt.lineTo(box.center() + QPointF(0, -2));
    bolt.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 0), 1));
    p.setBrush(QColor(255, 196, 0));
    p.drawPath(bolt);

    QPainterPath cable;
    cable.moveTo(box.left() + 10, box.bottom());
    cable.cubicTo(QPointF(190, 150), QPointF(90, 150), rear + QPointF(0, 8));
    p.setPen(QPen(QColor(200, 60, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);

    // Serial link to the service PC.
    p.setPen(QPen(QColor(40, 90, 160), 2, Qt::DashLine));
    p.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), 24));
    p.setPen(QPen(QColor(40, 50, 60), 1));
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(box.left() - 12, 8, box.width() + 24, 16), Qt::AlignCenter, "Modbus RTU");
    return pixmap;
}

} // namespace

QPixmap DrawPicture(const std::string &name) {
    if (name == "scooter")
        return drawScooter();
    QPixmap empty(64, 64);
    empty.fill(Qt::transparent);
    return empty;
}
