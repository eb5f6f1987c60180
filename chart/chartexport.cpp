#include "chart/chartexport.h"

#include "chart/chartadapter.h"
#include "chart/contour/mapgrid.h"
#include "chart/renderchart.h"
#include "chart/rendermap.h"
#include "chart/renderhistograms.h"
#include "chart/histogram/histogram.h"
#include "chart/ykeys.h"
#include "base/appidentity.h"
#include "runs/runstore.h"
#include "files/safewrite.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <utility>

namespace qrv {

namespace {

constexpr int kMaxSide = 10000;
// Pictures are laid out at about the window's size and scaled up, so that a large file shows
// the chart as on screen rather than small print on a wide empty canvas.
constexpr double kLayoutWidth = 800.0;
// Chart texts are sized for a screen of this resolution.
constexpr int kScreenDpi = 96;

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// What a picture file shows: a chart or a map, drawn by its one render function.
struct Picture {
    QString title;
    FigureDrawing render;
};

qreal layoutScale(QSize pixels) { return std::max(1.0, pixels.width() / kLayoutWidth); }

QSizeF layoutSize(QSize pixels) { return QSizeF(pixels) / layoutScale(pixels); }

bool writePng(const Picture& picture, QIODevice& device, QSize pixels)
{
    const qreal scale = layoutScale(pixels);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        picture.render(painter, QRectF(QPointF(0, 0), layoutSize(pixels)));
    }
    return image.save(&device, "PNG");
}

bool writeSvg(const Picture& picture, QIODevice& device, QSize pixels)
{
    const QSizeF layout = layoutSize(pixels);
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(pixels);
    generator.setViewBox(QRectF(QPointF(0, 0), layout));
    generator.setResolution(kScreenDpi);
    generator.setTitle(picture.title);
    generator.setDescription(QString::fromStdString(madeByText()));
    QPainter painter(&generator);
    if (!painter.isActive())
        return false;
    picture.render(painter, QRectF(QPointF(0, 0), layout));
    return painter.end();
}

bool writePdf(const Picture& picture, QIODevice& device, QSize pixels)
{
    const QSizeF layout = layoutSize(pixels);
    QPdfWriter writer(&device);
    writer.setTitle(picture.title);
    writer.setCreator(QString::fromStdString(madeByText()));
    writer.setResolution(kScreenDpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(layout * 72.0 / kScreenDpi, QPageSize::Point, QString(),
                                 QPageSize::ExactMatch));
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    picture.render(painter, QRectF(QPointF(0, 0), layout));
    return painter.end();
}

using Writer = bool (*)(const Picture&, QIODevice&, QSize);
constexpr std::pair<std::string_view, Writer> kWriters[] = {{"png", writePng}, {"svg", writeSvg}, {"pdf", writePdf}};

Writer writerFor(const QString& path)
{
    const std::string suffix = QFileInfo(path).suffix().toLower().toStdString();
    for (const auto& [known, writer] : kWriters)
        if (suffix == known)
            return writer;
    return nullptr;
}

bool exportPicture(const Picture& picture, const QString& path, QSize pixels, QString* error)
{
    if (pixels.width() < 1 || pixels.height() < 1 || pixels.width() > kMaxSide ||
        pixels.height() > kMaxSide)
        return fail(error, QStringLiteral("a picture must be 1 to %1 pixels wide and high, not %2 x %3")
                               .arg(kMaxSide).arg(pixels.width()).arg(pixels.height()));
    const Writer write = writerFor(path);
    if (!write)
        return fail(error, QStringLiteral("unknown picture type \"%1\": use .png, .svg or .pdf")
                               .arg(QFileInfo(path).fileName()));

    // Drawn in memory first: the picture writers do not all notice a short write.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(picture, buffer, pixels))
        return fail(error, QStringLiteral("the %1 x %2 picture could not be drawn")
                               .arg(pixels.width()).arg(pixels.height()));
    const std::string failure = safeWriteFile(QFile::encodeName(path).toStdString(),
                                              std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!failure.empty())
        return fail(error, QString::fromStdString(failure));
    return true;
}

} // namespace

bool isChartFileName(const QString& path) { return writerFor(path) != nullptr; }

std::string yKeysText()
{
    std::string text;
    for (const YKey& y : kYKeys)
        text += (text.empty() ? "" : ", ") + std::string(y.key);
    return text;
}

bool exportChart(const Chart& chart, const QString& path, QSize pixels, QString* error)
{
    return exportPicture({chart.title, [&chart](QPainter& painter, const QRectF& target) { renderChart(chart, painter, target); }},
                         path, pixels, error);
}

bool exportMap(const MapGrid& map, const QString& path, QSize pixels, QString* error)
{
    const std::string unfit = mapGridError(map);
    if (!unfit.empty())
        return fail(error, QString::fromStdString("the map cannot be drawn: " + unfit));
    return exportPicture({QString::fromStdString(map.title),
                          [&map](QPainter& painter, const QRectF& target) { renderMap(map, painter, target); }},
                         path, pixels, error);
}

bool exportHistograms(const HistogramSet& set, const QString& path, QSize pixels, QString* error)
{
    const std::string unfit = histogramSetError(set);
    if (!unfit.empty())
        return fail(error, QString::fromStdString("the histograms cannot be drawn: " + unfit));
    return exportPicture({QString::fromStdString(set.title),
                          [&set](QPainter& painter, const QRectF& target) { renderHistograms(set, painter, target); }},
                         path, pixels, error);
}

std::optional<YChoice> yChoiceFromKey(std::string_view key)
{
    const auto found = std::find_if(kYKeys.begin(), kYKeys.end(), [key](const YKey& y) { return y.key == key; });
    if (found == kYKeys.end())
        return std::nullopt;
    return YChoice(found - kYKeys.begin());
}

bool renderRunsChart(const RunStore& store, const PlotChoices& choices, const QString& path, QSize pixels,
                     QString* error)
{
    if (store.count() == 0)
        return fail(error, QStringLiteral("there are no runs to plot"));
    return exportChart(PlotRoutine(store).plot(choices), path, pixels, error);
}

} // namespace qrv
