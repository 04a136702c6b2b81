#pragma once

// The calculator's only window on Windows, built from the shared design with the standard Windows
// controls: five dimension fields, the Calculate button and the result label. It computes nothing
// itself; the calculation core decides every text it shows. Positions, sizes and fonts follow the
// window's DPI, so it stays sharp and of the designed size at any display scaling.

#include <windows.h>

#include <array>
#include <string_view>

namespace win {

class Form1 {
  public:
    // Creates the window, laid out and centred on the screen (Form_Load), not yet shown.
    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Shows the window with the keyboard focus on Command1.
    void Show(int showCommand);

    // Runs the message loop until the window is closed; gives the exit code.
    int Run();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Centres the window's outer frame on the whole screen.
    void Form_Load();
    void Command1_Click();

    // Places the controls and makes their fonts for dpi dots per inch, and sizes the window so
    // that its client area is the designed one.
    void Layout(UINT dpi);
    SIZE OuterSize(UINT dpi) const;

    // The control of that name in the design.
    [[nodiscard]] HWND Control(std::string_view name) const;

    HWND Form1_ = nullptr;
    std::array<HWND, 12> controls_{}; // in the design's order

    HFONT captionFont_ = nullptr;
    HFONT fieldFont_ = nullptr;
    HWND lastFocus_ = nullptr; // restored when the window is activated again
};

} // namespace win
