#pragma once
// The toolbar pictures and the window icon, drawn in code.
#include <QIcon>
#include <QImage>
#include <QPalette>

// Pictures 0 to 3: four navy bars in columns 3, 6, 9 and 12, bar `dotted` dotted.
// Picture 4: an open door. Picture 5: an open folder; picture 6: two arrows turning in
// a circle (reload); picture 7: a blue and a red line crossing, pale blue between them
// on the left, pale red on the right (advantage shading); picture 8: three lines over an
// arrow pointing down (the view menu). All 16 x 16 on a transparent background. `dark`:
// for a toolbar of a dark palette, the bars and the menu lines drawn light.
QImage ToolbarPicture(int index, bool dark = false);
constexpr int ToolbarPictureCount = 9;
// Whether a palette is dark: its buttons darker than mid-grey.
bool IsDarkPalette(const QPalette &palette);

// A clipboard with a sheet of paper and a pencil, designed at 32 x 32 and drawn at
// `size` x `size` (the installed icons are drawn from it at 16 to 256 pixels).
QImage WindowIconImage(int size = 32);

// The window's style: the one the application chose, except that the toolbar's
// overflow button shows a double chevron drawn here. Qt's own picture for it is a file
// whose reading loads every image plugin at start-up, for a button that a window of
// its least width never shows.
class QStyle;
QStyle *NewWindowStyle();
