#pragma once

#include <QIcon>

// The pictures of the window's actions, by the image index the actions name.
enum TActionGlyph {
  agCut = 0,
  agCopy = 1,
  agPaste = 2,
  agNew = 6,
  agOpen = 7,
  agSave = 8,
  agSend = 15,
  agExpand = 16,
  agAnimate = 17
};

// The desktop's themed icon for the glyph, or the program's own 16 x 16 drawing of it when
// the theme has none (drawn at any size and screen density, with a grey disabled look), so
// every button shows a picture on any machine.
QIcon ActionIcon(TActionGlyph glyph);

// The program's own drawing of a glyph, whatever the theme has.
QIcon OwnActionIcon(TActionGlyph glyph);

// The window icon: a tank with its level.
QIcon ProgramIcon();
