#pragma once
// The small pictures of the main window's side panel, drawn rather than
// shipped: the four zoom toolbar buttons, the compass-point markers beside
// the extent boxes, the two toggles of the floating windows and the
// meteorology play-back buttons.
#include <QIcon>
#include <QPixmap>

// Button 1 "Zoom Selected GIS Layers", 2 "Zoom Selected Images", 3 "Custom
// Zoom", 4 "Previous Zoom", drawn on a square of `size` pixels.
QIcon zoomToolbarIcon(int button, int size);
// Marker 1 west, 2 south, 3 east, 4 north (the order of Text1 to Text4): an
// arrow pointing that way, 16 pixels square.
QPixmap extentMarkerPicture(int marker);
// Toggle 1 the floating layer list, 2 the zoom window.
QIcon floatingToggleIcon(int toggle);
// Play-back button 1 the meteorology window, 2 play, 3 stop; 4, the next
// source, shows a number and has no picture.
QIcon playbackIcon(int button);
