#pragma once

class QWidget;

// Secondary windows: Qt's layout decides their size; they are centred on their screen and
// lifted 170 twips above the centre, as every secondary window of the logger is.
void centreSecondaryWindow(QWidget* window);
