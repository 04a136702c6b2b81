#pragma once

class QApplication;

// What the program does at start before it opens its window: it names itself after its desktop
// entry, so that task bars and docks match the window to that entry and its icon, and installs
// Qt's own Simplified Chinese texts (the text fields' context menus) to match the window. Without
// the translation files Qt's texts stay in English.
void SetUpApplication(QApplication& app);
