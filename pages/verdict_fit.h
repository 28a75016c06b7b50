#pragma once
// The verdict page fitted into a picture of its size: the text shrunk step by step,
// down to 7 points and no smaller, until the whole page fits; where even that is too
// long, the rows that do not fit are left out whole and the page ends with a line
// saying the rest is in the report.
#include <QSize>

class QWidget;

// content: the page's content (strips, sentences, table titles and tables, one under
// the other), size: the picture's.
void FitVerdictContent(QWidget *content, QSize size);
