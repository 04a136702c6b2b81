#pragma once

// The calculator window's design, written once and read by every front-end (Qt on Linux, Win32 on
// Windows): the window's caption and client size, its twelve controls with kind, position and size
// in twips (1/1440 inch, so 15 to a pixel at 96 dpi), captions, tab indexes and fonts, and the
// warning box's title. Texts are UTF-8. Nothing here depends on a toolkit or computes a result.

#include <span>
#include <string_view>
#include <vector>

namespace design {

inline constexpr int kTwipsPerInch = 1440;

enum class ControlKind { Label, TextField, PushButton };

// Labels and the button use the caption font; the text fields use the window's default font.
enum class FontRole { Caption, WindowDefault };

struct TwipsRect {
    int left, top, width, height; // from the top-left corner of the client area
};

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    TwipsRect rect;
    int tabIndex;
    std::string_view caption; // empty for a text field, which starts empty
    FontRole font;
    std::string_view buddy; // a label's field, which takes the label's caption as its name
    // A label whose text can be selected with the mouse and copied (the result); it still never
    // takes the focus by Tab.
    bool selectable = false;
};

struct FontDesign {
    // In order of preference: the classic dialog face, which has no Chinese glyphs, then faces
    // that draw Chinese on Windows and on Linux desktops. A front-end uses the first installed face
    // that can draw the captions.
    std::span<const std::string_view> faces;
    double pointSize;
};

struct WindowDesign {
    std::string_view name;
    std::string_view caption;
    int clientWidth, clientHeight; // twips
    std::span<const ControlDesign> controls;
    FontDesign captionFont;
    std::string_view warningTitle;
};

// The window Form1.
const WindowDesign& Form1();

// The control of that name, or nullptr.
const ControlDesign* FindControl(const WindowDesign& window, std::string_view name);

// The controls that take the keyboard focus (all but the labels), in tab-index order: the order
// Tab moves the focus in. The first one holds the focus when the window opens.
std::vector<const ControlDesign*> FocusOrder(const WindowDesign& window);

// A length in twips as device pixels at dpi dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

} // namespace design
