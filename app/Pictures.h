#pragma once
// The game's built-in pictures, painted by code. Every function returns a fresh
// ARGB32 (premultiplied) image and paints the same pixels on every call.
// All text in them comes from the IPA Gothic faces, so they look the same on any
// machine that has the game's one font package.
#include <QImage>

namespace app::pictures {

// 480 x 300: the full-window start picture of the title (a keyboard in perspective
// with the game's name above it).
QImage DrawStartPicture();
// The same picture, drawn when the game was built (the first frame need not wait for the
// drawing): the program's own copy, never written to (app/StartPicture.cpp).
QImage StartPicture();

// 100 x 100, transparent around: the round emblem that drops onto the white title.
QImage Logo();

// SIZE x SIZE: the game's icon where the emblem would be a blur, at 24 pixels and less: a
// key cap with a large 道 (pixel by pixel at 16). Larger icons are the emblem.
QImage SmallIcon(int size);

// 126 x 12, transparent around: the blinking "PUSH SPACE KEY" line under the logo.
QImage Prompt();

// 17 x 16: a floppy disk crossed out in red, shown when the data file cannot be saved.
QImage DataStateIcon();

// 13 x 13: glyph of the 100% button (arrows pointing in at a square).
QImage HundredPercentGlyph();

// 33 x 33 each: the two small emblems of the About screen.
QImage AboutPicture1();  // a key cap with "D"
QImage AboutPicture2();  // a fingertip pressing a home key of a small keyboard

}  // namespace app::pictures
