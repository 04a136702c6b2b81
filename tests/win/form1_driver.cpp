// Drives the running Windows calculator from outside, as a person or a screen reader would see
// it, through ordinary window messages and keyboard input only: finds the window by its title,
// checks its client size, its place on the screen and every control against the shared design,
// the focus order and the Enter key, then types vessels, presses 计算 and reads the result label
// or the warning box.
//
// Usage: form1_driver point|comma|layout|close [DPI]
//   DPI:          the display's dots per inch that the window must be laid out for, 96 if not
//   given. point, comma: the whole check, expecting that decimal separator; the window is left
//   showing
//                 the reference vessel at level 500.
//   layout:       only the window and its controls, at whatever DPI the window has.
//   close:        closes the window as its close button does.
// Prints one line per failed check and, last, "frame LEFT TOP WIDTH HEIGHT" of the window in
// screen pixels; exits non-zero when a check failed.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "design/form1_design.h"

namespace {

int failures = 0;
int expectedDpi = 96;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAIL: %s\n", what.c_str());
        std::fflush(stdout);
        ++failures;
    }
}

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(n));
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(n));
    return utf8;
}

// A window's text through WM_GETTEXT, as any other program reads it.
std::string TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return Utf8(text);
}

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Utf8(name);
}

template <typename Done> bool WaitFor(Done done, int milliseconds = 10000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (done()) {
            return true;
        }
        Sleep(20);
    }
    return done();
}

struct Window {
    HWND form = nullptr;
    DWORD thread = 0;
    std::vector<HWND> controls; // in the design's order
    HWND Control(std::string_view name) const {
        const design::WindowDesign& d = design::Form1();
        return controls[static_cast<std::size_t>(design::FindControl(d, name) - d.controls.data())];
    }
};

RECT ClientRectOf(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every control of the design, found at its place in the client area at the window's DPI.
Window Find(HWND form) {
    Window w;
    w.form = form;
    w.thread = GetWindowThreadProcessId(form, nullptr);
    const int dpi = expectedDpi;
    std::vector<HWND> children;
    for (HWND c = GetWindow(form, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
    }
    Check(children.size() == design::Form1().controls.size(),
          "the window has " + std::to_string(children.size()) + " controls");
    for (const design::ControlDesign& c : design::Form1().controls) {
        const int left = design::TwipsToPixels(c.rect.left, dpi);
        const int top = design::TwipsToPixels(c.rect.top, dpi);
        const RECT want{left, top, left + design::TwipsToPixels(c.rect.width, dpi),
                        top + design::TwipsToPixels(c.rect.height, dpi)};
        HWND found = nullptr;
        for (HWND child : children) {
            const RECT r = ClientRectOf(child, form);
            if (EqualRect(&r, &want)) {
                found = child;
            }
        }
        Check(found != nullptr, std::string(c.name) + " is not at its place");
        w.controls.push_back(found);
        if (found == nullptr) {
            continue;
        }
        // The selectable result label is a read-only edit that looks like a label.
        const char* kind = c.kind == design::ControlKind::Label
                               ? (c.selectable ? "Edit" : "Static")
                               : (c.kind == design::ControlKind::TextField ? "Edit" : "Button");
        Check(ClassOf(found) == kind, std::string(c.name) + " is a " + ClassOf(found));
        Check(TextOf(found) == c.caption, std::string(c.name) + " shows '" + TextOf(found) + "'");
    }
    // Screen readers name a field by the label just before it among the window's controls.
    for (const design::ControlDesign& label : design::Form1().controls) {
        if (!label.buddy.empty() && w.Control(label.name) && w.Control(label.buddy)) {
            Check(GetWindow(w.Control(label.buddy), GW_HWNDPREV) == w.Control(label.name),
                  std::string(label.buddy) + " does not follow its label " +
                      std::string(label.name));
        }
    }
    return w;
}

HWND Focus(const Window& w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(w.thread, &info);
    return info.hwndFocus;
}

std::string NameOf(const Window& w, HWND control) {
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
        if (w.controls[i] == control) {
            return std::string(design::Form1().controls[i].name);
        }
    }
    return control == nullptr ? "nothing" : "another window";
}

void Key(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD k, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    if (shift) {
        add(VK_SHIFT, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(150);
}

// The warning box the window has open, if any: a dialog of the window's thread owned by it.
HWND WarningBox(const Window& w) {
    struct Search {
        HWND owner;
        HWND box;
    } search{w.form, nullptr};
    EnumThreadWindows(
        w.thread,
        [](HWND window, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (ClassOf(window) == "#32770" && GetWindow(window, GW_OWNER) == s->owner &&
                IsWindowVisible(window)) {
                s->box = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box;
}

struct Box {
    std::string title, message;
    int buttons = 0;
    bool okButton = false;
};

// Reads the open warning box and closes it with its OK button.
Box ReadAndCloseBox(HWND box) {
    Box b;
    b.title = TextOf(box);
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(c);
        if (kind == "Button") {
            ++b.buttons;
            b.okButton = b.okButton || GetDlgCtrlID(c) == IDOK;
        } else if (kind == "Static" && !TextOf(c).empty()) {
            b.message = TextOf(c);
        }
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([box] { return !IsWindow(box); });
    return b;
}

struct Fields {
    const char *L, *D, *Delta, *Hs, *H;
};

void Fill(const Window& w, const Fields& f) {
    const std::pair<const char*, const char*> texts[] = {
        {"L", f.L}, {"D", f.D}, {"Delta", f.Delta}, {"Hs", f.Hs}, {"H", f.H}};
    for (const auto& [name, text] : texts) {
        SendMessageW(w.Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
}

const std::string kPrefix = "容器内液体总体积：";

std::string Label(const std::string& liquid, const std::string& total) {
    // The result's carriage return is shown as a line break.
    return kPrefix + liquid + "m3\r\n卧式容器总容积为：" + total + "m3";
}

// Presses 计算 and checks what the window shows: the label text, or the warning message (then the
// label must show the prefix alone).
void Press(const Window& w, const std::string& name, const std::string& label,
           const std::string& message) {
    HWND label4 = w.Control("Label4");
    SendMessageW(label4, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); // to see it is written
    PostMessageW(w.Control("Command1"), BM_CLICK, 0, 0);
    if (message.empty()) {
        const bool shown = WaitFor([&] { return TextOf(label4) == label; });
        Check(shown, name + ": the label shows '" + TextOf(label4) + "'");
        Check(WarningBox(w) == nullptr, name + ": a warning box opened");
        return;
    }
    HWND box = nullptr;
    Check(WaitFor([&] { return (box = WarningBox(w)) != nullptr; }), name + ": no warning box");
    if (box == nullptr) {
        return;
    }
    Check(TextOf(label4) == kPrefix, name + ": behind the box the label shows " + TextOf(label4));
    const Box b = ReadAndCloseBox(box);
    Check(b.title == design::Form1().warningTitle, name + ": the box is titled " + b.title);
    Check(b.message == message, name + ": the box says '" + b.message + "'");
    Check(b.buttons == 1 && b.okButton, name + ": the box has other buttons than OK");
    Check(TextOf(label4) == kPrefix, name + ": after the box the label shows " + TextOf(label4));
}

void CheckPlace(const Window& w) {
    const int dpi = expectedDpi;
    RECT client{};
    GetClientRect(w.form, &client);
    const int width = design::TwipsToPixels(design::Form1().clientWidth, dpi);
    const int height = design::TwipsToPixels(design::Form1().clientHeight, dpi);
    Check(client.right == width && client.bottom == height,
          "client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
              " at " + std::to_string(dpi) + " dpi, not " + std::to_string(width) + "x" +
              std::to_string(height));
    RECT frame{};
    GetWindowRect(w.form, &frame);
    const long dx = frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN);
    const long dy = frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN);
    Check(dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2, "the frame is not centred on the screen");
    const LONG style = GetWindowLongW(w.form, GWL_STYLE);
    Check((style & WS_MINIMIZEBOX) && (style & WS_SYSMENU) && !(style & WS_MAXIMIZEBOX) &&
              !(style & WS_THICKFRAME),
          "the window can be resized or maximised, or not minimised");
}

void CheckKeyboard(const Window& w, const Fields& reference, const std::string& result) {
    Check(Focus(w) == w.Control("Command1"), "the focus starts on " + NameOf(w, Focus(w)));
    SetForegroundWindow(w.form);
    WaitFor([&] { return GetForegroundWindow() == w.form; }, 3000);

    std::vector<std::string> visited;
    for (std::size_t i = 0; i < design::FocusOrder(design::Form1()).size(); ++i) {
        Key(VK_TAB);
        visited.push_back(NameOf(w, Focus(w)));
    }
    std::string order;
    for (const std::string& name : visited) {
        order += name + " ";
    }
    Check(order == "L D Delta Hs H Command1 ", "Tab visits " + order);

    // Enter in a field presses nothing; on the focused button it presses it.
    Fill(w, reference);
    SendMessageW(w.Control("Label4"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Key(VK_TAB, true);
    Check(Focus(w) == w.Control("H"), "Shift+Tab from Command1 goes to " + NameOf(w, Focus(w)));
    Key(VK_RETURN);
    Sleep(300);
    Check(TextOf(w.Control("Label4")).empty() && WarningBox(w) == nullptr,
          "Enter in a field pressed the button");
    Key(VK_TAB);
    Key(VK_RETURN);
    Check(WaitFor([&] { return TextOf(w.Control("Label4")) == result; }),
          "Enter on the button shows '" + TextOf(w.Control("Label4")) + "'");
    Key(VK_SPACE);
    Check(WaitFor([&] { return TextOf(w.Control("Label4")) == result; }),
          "Space on the button shows '" + TextOf(w.Control("Label4")) + "'");
}

// The result can be selected and copied, as from any read-only text, and Tab never stops on it.
void CheckResultCopies(const Window& w, const std::string& result) {
    HWND label4 = w.Control("Label4");
    const LONG style = GetWindowLongW(label4, GWL_STYLE);
    Check((style & ES_READONLY) && !(style & WS_TABSTOP),
          "the result can be typed into, or Tab stops on it");
    SendMessageW(label4, EM_SETSEL, 0, -1);
    SendMessageW(label4, WM_COPY, 0, 0);
    std::string copied;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            copied = Utf8(static_cast<const wchar_t*>(GlobalLock(data)));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    Check(copied == result, "copying the result gives '" + copied + "'");
    SendMessageW(label4, EM_SETSEL, 0, 0);
}

void CheckCalculations(const Window& w, bool comma) {
    const Fields reference{"5000", "2020", "10", "25", "500"};
    // Numbers as the separator writes them.
    auto n = [comma](std::string text) {
        if (comma) {
            for (char& c : text) {
                c = c == '.' ? ',' : c;
            }
        }
        return text;
    };
    CheckKeyboard(w, reference, Label(n("3.429"), n("17.95")));

    struct Case {
        const char* name;
        Fields fields;
        std::string label, message;
    };
    const std::string longLength = std::string(100000, '0') + "5000";
    const std::string h999 = n("999.999");
    const std::string h1000 = n("1000.001");
    const Case cases[] = {
        {"level 0", {"5000", "2020", "10", "25", "0"}, Label("0", n("17.95")), ""},
        {"level 999.999",
         {"5000", "2020", "10", "25", h999.c_str()},
         Label(n("8.979"), n("17.95")),
         ""},
        {"level 1000", {"5000", "2020", "10", "25", "1000"}, Label(n("8.975"), n("17.95")), ""},
        {"level 1000.001",
         {"5000", "2020", "10", "25", h1000.c_str()},
         Label(n("8.971"), n("17.95")),
         ""},
        {"level 1500", {"5000", "2020", "10", "25", "1500"}, Label(n("14.521"), n("17.95")), ""},
        {"level 2000", {"5000", "2020", "10", "25", "2000"}, Label(n("17.95"), n("17.95")), ""},
        {"full-width digits",
         {"５０００", "２０２０", "１０", "２５", "１０００"},
         Label(n("8.975"), n("17.95")),
         ""},
        {"an empty field", {"5000", "2020", "", "25", "500"}, "", "输入值不能为空!"},
        {"inner diameter zero", {"5000", "20", "10", "25", "500"}, "", "容器内径不能小于0!"},
        {"level above the vessel",
         {"5000", "2020", "10", "25", "2001"},
         "",
         "输入值不在有效范围之内!"},
        {"level below the vessel",
         {"5000", "2020", "10", "25", "-1"},
         "",
         "输入值不在有效范围之内!"},
        {"not a number", {"5000", "2020mm", "10", "25", "500"}, "", "输入值必须为数字!"},
        {"too large", {"5000", "2020", "10", "25", "1e999"}, "", "输入值超出计算范围!"},
        {"negative wall", {"5000", "2020", "-10", "25", "500"}, "", "输入值不能为负数!"},
        // A pasted text is never cut: 100,000 zeros before the length still read as 5000.
        {"a 100,005-character field",
         {longLength.c_str(), "2020", "10", "25", "500"},
         Label(n("3.429"), n("17.95")),
         ""},
        // The other separator is not a number.
        {"the other separator",
         {"5000", "2020", "10", "25", comma ? "1500.5" : "1500,5"},
         "",
         "输入值必须为数字!"},
        // Last, so that the window is left showing it.
        {"level 500", reference, Label(n("3.429"), n("17.95")), ""},
    };
    for (const Case& c : cases) {
        Fill(w, c.fields);
        Press(w, c.name, c.label, c.message);
    }
    CheckResultCopies(w, Label(n("3.429"), n("17.95")));
}

} // namespace

int main(int argc, char** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::string mode = argc > 1 ? argv[1] : "point";
    expectedDpi = argc > 2 ? std::atoi(argv[2]) : 96;
    const std::wstring title = Wide(design::Form1().caption);
    HWND form = nullptr;
    WaitFor([&] { return (form = FindWindowW(nullptr, title.c_str())) && IsWindowVisible(form); },
            30000);
    if (form == nullptr) {
        std::printf("FAIL: no window titled %s\n", std::string(design::Form1().caption).c_str());
        return 1;
    }
    if (mode == "close") {
        PostMessageW(form, WM_CLOSE, 0, 0);
        return WaitFor([form] { return !IsWindow(form); }) ? 0 : 1;
    }
    Sleep(300);
    const Window w = Find(form);
    CheckPlace(w);
    if (failures == 0 && mode != "layout") {
        CheckCalculations(w, mode == "comma");
    }
    RECT frame{};
    GetWindowRect(form, &frame);
    std::printf("frame %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
    return failures == 0 ? 0 : 1;
}
