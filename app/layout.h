#pragma once
// Layout arithmetic of the main window, apart from any widget.
#include <QRect>
#include <array>

// Halving truncated toward zero.
constexpr int Half(int x) { return x / 2; }

// The first tree gets half the left panel's height.
constexpr int FirstTreeHeight(int panelHeight) { return Half(panelHeight); }

// The four charts of the common page as an even 2 x 2 grid of a W x H page:
// ch_C1 top left, ch_C2 top right, ch_C3 bottom left, ch_C4 bottom right; each cell
// one pixel narrower and lower than half the page.
std::array<QRect, 4> CommonGrid(int width, int height);
