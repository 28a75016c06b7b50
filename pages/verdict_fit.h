#pragma once
// The verdict page fitted into a picture of its size. Where the page as it stands is
// too long, copies of its blocks (each strip, each sentence, each table under its
// title) flow into one to three columns on a sheet over it, at the largest text, not
// below 7 points, that holds everything; where nothing does, whole rows are left out
// and the page ends with a line saying the rest is in the report. The page itself, as
// the window scrolls it, stays as it is.
#include <QSize>

class QWidget;

// content: the page's content (strips, sentences, table titles and tables, one under
// the other), size: the picture's.
void FitVerdictContent(QWidget *content, QSize size);
