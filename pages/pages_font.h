#pragma once
// The font of the window and its pages; the charts, the captions of pictures and the
// reports measure and draw their text in it.
#include <QFont>

QFont PagesFont();
