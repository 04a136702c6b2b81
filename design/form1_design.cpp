#include "design/form1_design.h"

#include <algorithm>
#include <array>

namespace design {
namespace {

using enum ControlKind;
using enum FontRole;

constexpr std::array<ControlDesign, 12> kForm1Controls = {{
    {"Label1", Label, {480, 360, 2295, 375}, 0, "容器缝对缝长度(mm)：", Caption, "L"},
    {"L", TextField, {3120, 240, 2055, 495}, 4, "", WindowDefault, ""},
    {"Label2", Label, {480, 1080, 2055, 375}, 1, "容器外径(mm)：", Caption, "D"},
    {"D", TextField, {3120, 960, 2055, 495}, 5, "", WindowDefault, ""},
    {"Label5", Label, {480, 1800, 2055, 375}, 6, "容器壁厚(mm):", Caption, "Delta"},
    {"Delta", TextField, {3120, 1680, 2055, 495}, 8, "", WindowDefault, ""},
    {"Label6", Label, {480, 2520, 2055, 375}, 7, "封头直边高度(mm):", Caption, "Hs"},
    {"Hs", TextField, {3120, 2400, 2055, 495}, 9, "", WindowDefault, ""},
    {"Label3", Label, {480, 3240, 2055, 375}, 11, "液位高度(mm)： ", Caption, "H"},
    {"H", TextField, {3120, 3120, 2055, 495}, 10, "", WindowDefault, ""},
    // Tall enough for the two lines of a result; the caption is the result prefix.
    {"Label4", Label, {960, 4200, 4815, 735}, 2, "容器内液体总体积：", Caption, "", true},
    {"Command1", PushButton, {2640, 5400, 1575, 495}, 3, "计     算", Caption, ""},
}};

constexpr std::array<std::string_view, 6> kCaptionFaces = {
    "MS Sans Serif",    "Microsoft YaHei",    "SimSun",
    "Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
};

constexpr WindowDesign kForm1 = {
    "Form1", "标准椭圆封头Velmora", 6840, 6165, kForm1Controls, {kCaptionFaces, 9.75}, "错误提示",
};

} // namespace

const WindowDesign& Form1() {
    return kForm1;
}

const ControlDesign* FindControl(const WindowDesign& window, std::string_view name) {
    const auto it = std::ranges::find(window.controls, name, &ControlDesign::name);
    return it == window.controls.end() ? nullptr : &*it;
}

std::vector<const ControlDesign*> FocusOrder(const WindowDesign& window) {
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& c : window.controls) {
        if (c.kind != ControlKind::Label) {
            order.push_back(&c);
        }
    }
    std::ranges::sort(order, {}, &ControlDesign::tabIndex);
    return order;
}

int TwipsToPixels(int twips, int dpi) {
    // Half away from zero, in integers: 6165 twips at 144 dpi are 616.5 pixels, shown as 617.
    const long long scaled = 2LL * twips * dpi;
    const long long twice = 2LL * kTwipsPerInch;
    return static_cast<int>((scaled + (scaled >= 0 ? kTwipsPerInch : -kTwipsPerInch)) / twice);
}

} // namespace design
