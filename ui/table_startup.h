#pragma once

class QApplication;

// The 容量表 program's start-up before its window opens: as the calculator's, but named after its
// own desktop entry.
void SetUpTableApplication(QApplication& app);
