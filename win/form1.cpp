#include "win/form1.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/calculate.h"
#include "design/form1_design.h"
#include "win/text.h"

namespace win {
namespace {

constexpr wchar_t kClassName[] = L"VelmoraForm1";
constexpr WORD kIconId = 1;
// Control ids start clear of IDOK and IDCANCEL, which Enter and Escape send to the window.
constexpr int kFirstControlId = 100;
// A fixed-size window that can be minimised and closed, but not resized or maximised.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

const design::WindowDesign& Design() {
    return design::Form1();
}

std::size_t IndexOf(const design::ControlDesign& control) {
    return static_cast<std::size_t>(&control - Design().controls.data());
}

// The order the controls are created in, which is the order Tab visits them and the order screen
// readers read them: the focus order, each field preceded by its label so that the field takes
// the label's caption as its name, then the labels that name no field.
std::vector<std::size_t> CreationOrder() {
    std::vector<std::size_t> order;
    for (const design::ControlDesign* control : design::FocusOrder(Design())) {
        for (const design::ControlDesign& label : Design().controls) {
            if (label.buddy == control->name) {
                order.push_back(IndexOf(label));
            }
        }
        order.push_back(IndexOf(*control));
    }
    for (std::size_t i = 0; i < Design().controls.size(); ++i) {
        if (std::ranges::find(order, i) == order.end()) {
            order.push_back(i);
        }
    }
    return order;
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(const design::ControlDesign& control) {
    switch (control.kind) {
    case design::ControlKind::Label:
        if (control.selectable) {
            // A read-only edit without border or tab stop looks like a label, but its text can
            // be selected and copied, with the system's own context menu.
            return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_READONLY, 0};
        }
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case design::ControlKind::TextField:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case design::ControlKind::PushButton:
        break;
    }
    return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The first of the design's caption faces that is installed with Chinese glyphs. On Windows the
// classic dialog face has none, so a Chinese system face draws the captions; empty if there is
// none at all.
std::wstring CaptionFace() {
    std::wstring chosen;
    HDC screen = GetDC(nullptr);
    for (const std::string_view face : Design().captionFont.faces) {
        const std::wstring wide = Wide(face);
        LOGFONTW query{};
        query.lfCharSet = GB2312_CHARSET;
        wide.copy(query.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = wide;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

RECT ToPixels(const design::TwipsRect& twips, UINT dpi) {
    const int d = static_cast<int>(dpi);
    const int left = design::TwipsToPixels(twips.left, d);
    const int top = design::TwipsToPixels(twips.top, d);
    return {left, top, left + design::TwipsToPixels(twips.width, d),
            top + design::TwipsToPixels(twips.height, d)};
}

// The user's decimal separator, from the Windows locale settings.
calc::NumberLocale UserNumberLocale() {
    wchar_t separator[8] = {};
    const int size = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (size <= 1) {
        return {"."};
    }
    return {Utf8(std::wstring_view(separator, static_cast<std::size_t>(size - 1)))};
}

} // namespace

Form1::Form1(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    CreateWindowExW(kExStyle, kClassName, Wide(Design().caption).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    for (const std::size_t i : CreationOrder()) {
        const design::ControlDesign& control = Design().controls[i];
        const ControlClass kind = ClassOf(control);
        controls_[i] = CreateWindowExW(
            kind.exStyle, kind.name, Wide(control.caption).c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, Form1_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance, nullptr);
        if (control.kind == design::ControlKind::TextField) {
            SendMessageW(controls_[i], EM_SETLIMITTEXT, 0, 0); // no limit: never cut what is typed
        }
    }
    lastFocus_ = Control("Command1");
    Layout(GetDpiForWindow(Form1_));
    Form_Load();
}

Form1::~Form1() {
    if (Form1_ != nullptr) {
        DestroyWindow(Form1_);
    }
    DeleteObject(captionFont_);
    DeleteObject(fieldFont_);
}

void Form1::Show(int showCommand) {
    ShowWindow(Form1_, showCommand);
    SetFocus(Control("Command1"));
    UpdateWindow(Form1_);
}

int Form1::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog keys: Tab and Shift+Tab move the focus, Space presses the focused button,
        // Enter and Escape become IDOK and IDCANCEL.
        if (Form1_ != nullptr && IsDialogMessageW(Form1_, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

HWND Form1::Control(std::string_view name) const {
    return controls_[IndexOf(*design::FindControl(Design(), name))];
}

SIZE Form1::OuterSize(UINT dpi) const {
    const RECT client = ToPixels({0, 0, Design().clientWidth, Design().clientHeight}, dpi);
    RECT outer = client;
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, kExStyle, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void Form1::Layout(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    // The text fields keep the window's default font, the one Windows uses for message boxes.
    HFONT fieldFont = CreateFontIndirectW(&metrics.lfMessageFont);

    LOGFONTW caption = metrics.lfMessageFont;
    caption.lfHeight = -static_cast<LONG>(
        std::lround(Design().captionFont.pointSize * static_cast<double>(dpi) / 72));
    caption.lfWidth = 0;
    caption.lfWeight = FW_NORMAL;
    caption.lfItalic = FALSE;
    caption.lfCharSet = DEFAULT_CHARSET;
    if (const std::wstring face = CaptionFace(); !face.empty()) {
        std::ranges::fill(caption.lfFaceName, L'\0');
        face.copy(caption.lfFaceName, LF_FACESIZE - 1);
    }
    HFONT captionFont = CreateFontIndirectW(&caption);

    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const design::ControlDesign& control = Design().controls[i];
        const RECT r = ToPixels(control.rect, dpi);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = control.font == design::FontRole::Caption ? captionFont : fieldFont;
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    DeleteObject(captionFont_);
    DeleteObject(fieldFont_);
    captionFont_ = captionFont;
    fieldFont_ = fieldFont;

    const SIZE outer = OuterSize(dpi);
    SetWindowPos(Form1_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::Form_Load() {
    // In twips and single precision, as the layout is drawn: half the room the frame leaves on
    // the screen, each way.
    const UINT dpi = GetDpiForWindow(Form1_);
    const float twipsPerPixel = static_cast<float>(design::kTwipsPerInch) / static_cast<float>(dpi);
    auto twips = [twipsPerPixel](LONG pixels) {
        return static_cast<float>(pixels) * twipsPerPixel;
    };
    RECT frame{};
    GetWindowRect(Form1_, &frame);
    const float left = (twips(GetSystemMetrics(SM_CXSCREEN)) - twips(frame.right - frame.left)) / 2;
    const float top = (twips(GetSystemMetrics(SM_CYSCREEN)) - twips(frame.bottom - frame.top)) / 2;
    SetWindowPos(Form1_, nullptr, static_cast<int>(std::lround(left / twipsPerPixel)),
                 static_cast<int>(std::lround(top / twipsPerPixel)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::Command1_Click() {
    HWND label4 = Control("Label4");
    SetWindowTextW(label4, Wide(calc::ResultPrefix).c_str());

    const calc::FieldTexts fields{WindowText(Control("L")), WindowText(Control("D")),
                                  WindowText(Control("Delta")), WindowText(Control("Hs")),
                                  WindowText(Control("H"))};
    const calc::CalcOutcome outcome = calc::Calculate(fields, UserNumberLocale());

    if (outcome.kind == calc::OutcomeKind::Result) {
        // The result's lines are separated by a carriage return; a label breaks lines at CR LF.
        std::string text;
        for (const char c : outcome.labelText) {
            text += c;
            if (c == '\r') {
                text += '\n';
            }
        }
        SetWindowTextW(label4, Wide(text).c_str());
        return;
    }
    MessageBoxW(Form1_, Wide(outcome.message).c_str(), Wide(Design().warningTitle).c_str(),
                MB_ICONEXCLAMATION | MB_OK);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->Form1_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->Handle(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        HWND command1 = Control("Command1");
        const bool clicked = HIWORD(wParam) == BN_CLICKED &&
                             reinterpret_cast<HWND>(lParam) == command1 && command1 != nullptr;
        // Enter presses the button that has the focus; in a text field it presses nothing.
        const bool enterOnButton = id == IDOK && GetFocus() == command1;
        if (clicked || enterOnButton) {
            Command1_Click();
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(Form1_, focus)) {
                lastFocus_ = focus;
            }
        } else if (lastFocus_ != nullptr && HIWORD(wParam) == 0) { // not while minimised
            SetFocus(lastFocus_);
        }
        return 0;
    case WM_DPICHANGED: {
        // Moved to a screen of another scale: the suggested place, with the designed size there.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        Layout(HIWORD(wParam));
        SetWindowPos(Form1_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        Form1_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win
