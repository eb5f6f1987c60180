#include "chart/charttext.h"

#include <QFontMetricsF>
#include <QPainter>

namespace qrv {

namespace {

// Wrapped text, centred, from the top of area, drawn when there is a painter; returns the
// height it takes.
double drawLines(QPainter* painter, const QFont& f, const QString& text, const QRectF& area)
{
    if (text.isEmpty())
        return 0;
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF needed = QFontMetricsF(f).boundingRect(area, flags, text);
    if (painter) {
        painter->setFont(f);
        painter->setPen(Qt::black);
        painter->drawText(QRectF(area.left(), area.top(), area.width(), needed.height()), flags, text);
    }
    return needed.height();
}

double layOutTitles(QPainter* painter, const QString& title, const QString& conditions, const QStringList& notes,
                    const QRectF& area)
{
    double y = area.top();
    const auto line = [&](const QFont& f, const QString& text) {
        y += drawLines(painter, f, text, QRectF(area.left(), y, area.width(), area.height()));
    };
    line(chartFont(17, true), title);
    line(chartFont(13), conditions);
    for (const QString& note : notes)
        line(chartFont(12, false, true), note);
    return y - area.top();
}

} // namespace

QRectF pictureArea(const QRectF& target)
{
    constexpr double kMargin = 10;
    return target.adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

QFont chartFont(double pixels, bool bold, bool italic)
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(int(pixels));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

double drawTitles(QPainter& painter, const QString& title, const QString& conditions, const QStringList& notes,
                  const QRectF& area)
{
    return layOutTitles(&painter, title, conditions, notes, area);
}

void drawUpwards(QPainter& painter, const QString& text, QPointF centre, double room)
{
    const QFontMetricsF metrics(painter.font());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, room);
    painter.save();
    painter.translate(centre);
    painter.rotate(-90);
    painter.drawText(QRectF(-room / 2, -metrics.height() / 2, room, metrics.height()), Qt::AlignCenter, shown);
    painter.restore();
}

double titlesHeight(const QString& title, const QString& conditions, const QStringList& notes, const QRectF& area)
{
    return layOutTitles(nullptr, title, conditions, notes, area);
}

} // namespace qrv
