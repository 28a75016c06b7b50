#pragma once
// What the PDF and the HTML report share: the comparison drawn once, the caption of
// its pages and the first page's facts.
#include "pages/caption.h"
#include "pictures/report_input.h"

#include <QStringList>

#include <memory>

class ComparisonPages;
class QWidget;

// The pages of the comparison, drawn for the report; raises the refresh's error on one
// line, naming the aircraft it came from.
// Its chart pages, with their captions, are read before any page leaves its tab.
struct ReportPages {
    std::unique_ptr<ComparisonPages> pages;
    QList<QWidget *> charts;  // the overview and the five charts
    QStringList names;
};
ReportPages OpenComparison(const ReportInput &input);
// The caption of a page of the report (empty page: the comparison's own words).
PictureCaption ReportCaption(const ReportInput &input, const QString &page = QString());
// The first page's lines under the names: flap settings, data folder, date, version.
QStringList ReportFacts(const ReportInput &input);
