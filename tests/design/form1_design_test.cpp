#include "design/form1_design.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using design::ControlKind;

TEST(Form1Design, FocusVisitsTheButtonThenTheFieldsTopToBottom) {
    std::vector<std::string> names;
    for (const design::ControlDesign* c : design::FocusOrder(design::Form1())) {
        names.emplace_back(c->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Command1", "L", "D", "Delta", "Hs", "H"}));
}

TEST(Form1Design, EachFieldIsNamedByTheLabelBesideIt) {
    const design::WindowDesign& form = design::Form1();
    int named = 0;
    for (const design::ControlDesign& label : form.controls) {
        if (label.buddy.empty()) {
            continue;
        }
        SCOPED_TRACE(std::string(label.name));
        ASSERT_EQ(label.kind, ControlKind::Label);
        const design::ControlDesign* field = design::FindControl(form, label.buddy);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->kind, ControlKind::TextField);
        EXPECT_EQ(label.rect.top, field->rect.top + 120); // each label sits 120 twips lower
        ++named;
    }
    EXPECT_EQ(named, 5);
    EXPECT_EQ(design::FindControl(form, "Label4")->caption, "容器内液体总体积：");
    EXPECT_EQ(design::FindControl(form, "Nothing"), nullptr);
}

TEST(Form1Design, TwipsBecomePixelsAtTheScreensDpi) {
    struct Row {
        int twips, dpi, pixels;
    };
    const Row rows[] = {
        {6840, 96, 456},  {6165, 96, 411},  {15, 96, 1},      {7, 96, 0},
        {8, 96, 1},       {6840, 120, 570}, {6165, 120, 514}, {6165, 144, 617},
        {6840, 144, 684}, {6165, 192, 822}, {735, 168, 86},   {0, 144, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(design::TwipsToPixels(r.twips, r.dpi), r.pixels) << r.twips << " at " << r.dpi;
    }
}

} // namespace
