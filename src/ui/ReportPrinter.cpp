#include "ui/ReportPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

int paintReportPages(QPrinter& printer, const PrintPages& pages, int pointSize)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    qsizetype longest = 1;
    for (const QStringList& p : pages)
        longest = std::max(longest, p.size());
    // Shrink the font until the longest page fits the paper.
    while (font.pointSizeF() > 4.0) {
        painter.setFont(font);
        if (QFontMetricsF(font, &printer).lineSpacing() * static_cast<double>(longest) <= area.height())
            break;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    painter.setFont(font);
    const QFontMetricsF fm(font, &printer);
    const double step = fm.lineSpacing();
    int sheets = 0;
    bool first = true;
    for (const QStringList& page : pages) {
        double y = fm.ascent();
        if (!first)
            printer.newPage();
        first = false;
        ++sheets;
        for (const QString& line : page) {
            if (y > area.height()) {
                printer.newPage();
                ++sheets;
                y = fm.ascent();
            }
            painter.drawText(QPointF(0, y), line);
            y += step;
        }
    }
    painter.end();
    return sheets;
}

void previewReport(const PrintPages& pages, int pointSize, const QString& title, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&pages, pointSize](QPrinter* p) { paintReportPages(*p, pages, pointSize); });
    preview.exec();
}
