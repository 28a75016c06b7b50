#pragma once
// The report: the whole comparison in one document. A first page naming the two
// aircraft in their colours, the flap settings, the data folder, the date and the
// program's version, with their summary values side by side; a page per chart page
// (the overview and the five charts) with its caption; then the whole verdict, its
// strips, sentences and every table, over as many pages as it needs, never cut inside
// a row. As PDF (or on a printer) with page numbers, or as one HTML file that holds its
// pictures as SVG. `varnel --report` and the window's "Print…" and "Save report…" come
// here.
#include "pictures/report_input.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

// The report's title ("Tarn-5 — Skarn-7 · закрылки: 0") and subject.
QString ReportTitle(const ReportInput &input);
QString ReportSubject(const ReportInput &input);

// Draws the report on a paged device (a PDF writer or a printer), landscape, a point a
// unit; pages fromPage to toPage only (counted from 1; 0: from the first, to the last).
// Gives the number of pages the whole report has. Raises the charts' error on one line.
int PaintReport(QPagedPaintDevice &device, const ReportInput &input, int fromPage = 0, int toPage = 0);

// The report as the bytes of a PDF file and of an HTML file.
QByteArray ReportPdf(const ReportInput &input);
QByteArray ReportHtml(const ReportInput &input);
