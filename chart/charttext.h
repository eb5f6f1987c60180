// The texts of charts and maps: one font family in pixel sizes (so that a painter scaled to a
// printer or a large picture scales them with everything else), and the titles on top.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace qrv {

QFont chartFont(double pixels, bool bold = false, bool italic = false);

// What a chart, map or histogram set is drawn in: the target less the margin each keeps.
QRectF pictureArea(const QRectF& target);

// The title, the conditions under it and the notes, wrapped and centred from the top of area;
// returns their height.
double drawTitles(QPainter& painter, const QString& title, const QString& conditions, const QStringList& notes,
                  const QRectF& area);
// A text in the painter's font turned to read upwards, centred on a point, cut to room.
void drawUpwards(QPainter& painter, const QString& text, QPointF centre, double room);
// The height drawTitles takes, without drawing.
double titlesHeight(const QString& title, const QString& conditions, const QStringList& notes, const QRectF& area);

} // namespace qrv
