// Looks into saved chart files for the chart, plot and print tests.
#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QXmlStreamReader>

namespace qrv::test {

inline QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a poppler tool (pdftoppm, pdfimages, pdftotext) writes for these arguments; empty when
// it is missing or failed.
inline QByteArray popplerOutput(const char* tool, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
        ? process.readAllStandardOutput()
        : QByteArray();
}

// Whether the text is XML without an error, as an SVG file must be; the reader's complaint
// otherwise.
inline QString xmlError(const QByteArray& text)
{
    QXmlStreamReader xml(text);
    while (!xml.atEnd())
        xml.readNext();
    return xml.hasError() ? xml.errorString() : QString();
}

inline bool popplerInstalled()
{
    for (const char* tool : {"pdftoppm", "pdfimages", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

// The first page of a PDF file as pdftoppm renders it at `dpi`; null when that failed.
inline QImage renderedPage(const QString& pdf, int dpi)
{
    return QImage::fromData(popplerOutput("pdftoppm", {QStringLiteral("-png"), QStringLiteral("-r"),
                                                       QString::number(dpi), QStringLiteral("-singlefile"), pdf}),
                            "PNG");
}

// Pixels of exactly this colour: the chart's markers are pure red and pure blue.
inline int countColour(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

inline int countNonWhite(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).lightness() < 200;
    return count;
}

} // namespace qrv::test
