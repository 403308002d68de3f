#pragma once

#include "reports/TextReports.h"

#include <QString>

class QPrinter;
class QWidget;

// Paints report pages in a fixed-pitch font, one given page per printed page. The font starts at
// `pointSize` and shrinks when the longest page would not fit, so the page rules of the reports
// hold on any paper. A page too long even then continues on the next sheet. Returns the number
// of sheets printed.
int paintReportPages(QPrinter& printer, const PrintPages& pages, int pointSize);

// Shows the pages in a print preview, from which the user prints or saves a PDF.
void previewReport(const PrintPages& pages, int pointSize, const QString& title, QWidget* parent);
