#include "chart/peaklabels.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr double kLabelGap = 2; // between a peak's mark and its label

} // namespace

std::vector<QRectF> placePeakLabels(const std::vector<QPointF>& centres, const std::vector<QSizeF>& sizes,
                                    const QRectF& plotArea, double markSize)
{
    std::vector<QRectF> taken;
    for (const QPointF& c : centres)
        taken.emplace_back(c.x() - markSize / 2, c.y() - markSize / 2, markSize, markSize);
    const auto fits = [&](const QRectF& box) {
        return plotArea.contains(box)
            && std::none_of(taken.begin(), taken.end(), [&box](const QRectF& t) { return t.intersects(box); });
    };

    // From a peak's centre to the nearest side of a label beside its mark.
    const double gap = markSize / 2 + kLabelGap;
    std::vector<QRectF> labels;
    for (std::size_t k = 0; k < centres.size(); ++k) {
        const QPointF c = centres[k];
        const QSizeF text = sizes[k];
        // Every place in the plot on a grid of rows above and below the peak and of half a
        // label's width to the right and left of it; the nearest free one is taken.
        std::vector<QRectF> places;
        const double rowStep = text.height() + 2, columnStep = std::max(text.width() / 2, 1.0);
        for (double lift = 0; c.y() - gap - lift >= plotArea.top() || c.y() + gap + lift <= plotArea.bottom();
             lift += rowStep)
            for (double shift = 0; c.x() + gap + shift <= plotArea.right() || c.x() - gap - shift >= plotArea.left();
                 shift += columnStep)
                for (const double top : {c.y() - gap - text.height() - lift, c.y() + gap + lift})
                    for (const double left : {c.x() + gap + shift, c.x() - gap - text.width() - shift})
                        if (const QRectF box(QPointF(left, top), text); fits(box))
                            places.push_back(box);
        const auto distance = [c](const QRectF& box) {
            const QPointF d = box.center() - c;
            return QPointF::dotProduct(d, d);
        };
        QRectF chosen;
        if (!places.empty()) {
            chosen = *std::min_element(places.begin(), places.end(),
                                       [&](const QRectF& a, const QRectF& b) { return distance(a) < distance(b); });
        } else {
            chosen = QRectF(QPointF(c.x() + gap, c.y() - gap - text.height()), text);
            chosen.moveLeft(std::clamp(chosen.left(), plotArea.left(), plotArea.right() - text.width()));
            chosen.moveTop(std::clamp(chosen.top(), plotArea.top(), plotArea.bottom() - text.height()));
        }
        taken.push_back(chosen);
        labels.push_back(chosen);
    }
    return labels;
}

} // namespace qrv
