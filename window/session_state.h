#pragma once
// What `varnel --recent` brings back: the window's size and place, the aircraft chosen in
// each tree, the flap settings and the page, saved when the program ends.
class Tfrm_Main;

// Writes the window's state, with the data folder it shows, to the user's settings.
void SaveSession(const Tfrm_Main &window);
// Gives the window the saved size, place, flap settings and page at once, and the saved
// aircraft once its first scan has ended, when it scans the folder they were saved
// with and they are listed there. Nothing saved: the window stays as it is.
void RestoreSession(Tfrm_Main &window);
