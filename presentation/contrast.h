#pragma once
// Colours legible on a dark desktop palette: the contrast of two colours as people see
// it, an ink made light enough for a dark ground, and the light ground the charts keep
// whatever the desktop's palette. On a light palette every colour stays as it is.
#include <QColor>
#include <QPalette>

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), of their
// relative luminances (sRGB).
double ContrastRatio(const QColor &a, const QColor &b);

// Whether a ground is dark: lightness under the middle.
bool IsDarkGround(const QColor &ground);

// `ink` on `ground`: as it is on a light ground or where it already stands out by
// `least`, else mixed toward white until it does (its hue kept as far as it can be).
QColor LegibleOn(const QColor &ink, const QColor &ground, double least);

// The palette the charts are drawn in: the desktop's where it is light; a light one
// where it is dark, so the curves' blue and red shades, the black reference lines and
// the pale shading read as they are meant to.
QPalette ChartPalette(const QPalette &desktop);
