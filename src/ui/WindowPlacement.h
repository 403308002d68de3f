#pragma once

class QWidget;

// Secondary windows: Qt's layout decides their size; they are centred on their screen and
// lifted 170 twips above the centre, as every secondary window of the logger is.
void centreSecondaryWindow(QWidget* window);

// Centres a window over its owner (the main window), kept on the owner's screen, so a window
// opened beside the entry never lands at the screen's corner over the call field.
void centreOver(QWidget* window, const QWidget* owner);
