// A form written and read back is the form it was: the writer leaves out exactly the values a new
// control of each class starts with, and a tab sheet writes neither its place, its size nor its tab
// order.
#include "tests/controls/tabs/TabTestSupport.h"

#include "controls/edit/LuEdit.h"
#include "controls/label/LuLabel.h"
#include "platform/framework/FormResources.h"

#include <sstream>

using namespace tabtest;

namespace {

// The property lines of one object of a written form, without those of its children.
std::vector<std::string> PropertiesOf(const std::string& text, const std::string& name) {
    std::istringstream lines(text);
    std::vector<std::string> properties;
    std::string line;
    while (std::getline(lines, line) && line.find("object " + name + ":") == std::string::npos) {
    }
    while (std::getline(lines, line)) {
        const std::string trimmed = line.substr(line.find_first_not_of(' '));
        if (trimmed == "end" || trimmed.rfind("object ", 0) == 0)
            break;
        properties.push_back(trimmed.substr(0, trimmed.find(" =")));
    }
    return properties;
}

bool Holds(const std::vector<std::string>& properties, const std::string& name) {
    return std::find(properties.begin(), properties.end(), name) != properties.end();
}

template <class T> T* Make(framework::TWinControl* parent, const std::string& name) {
    auto* control = new T(parent->Owner() != nullptr ? parent->Owner() : parent);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

} // namespace

TEST(FormWriter, ALabelAnEditATabControlAndATabSheetComeBackAsTheyWere) {
    framework::TForm form(nullptr);
    form.SetName("F");
    form.SetBounds(0, 0, 500, 400);
    // The export wizard's note: word-wrapped at a fixed size.
    auto* note = Make<lu::TLuLabel>(&form, "Note");
    note->SetWordWrap(true);
    note->SetAutoSize(false);
    note->SetBounds(8, 8, 377, 36);
    note->SetCaption("1. 预览按钮可以预览选择的信息 2. 选择要导出的信息下一步进行信息导出");
    auto* sized = Make<lu::TLuLabel>(&form, "Sized");
    sized->SetCaption("包名称：");
    auto* skipped = Make<lu::TLuEdit>(&form, "Skipped");
    skipped->SetTabStop(false);
    auto* stopped = Make<lu::TLuEdit>(&form, "Stopped");
    auto* pages = Make<TLuPageControl>(&form, "Pages");
    pages->SetBounds(0, 60, 400, 200);
    pages->SetTabStop(false);
    auto* steps = Make<TLuPageControl>(&form, "Steps");
    steps->SetBounds(0, 270, 400, 100);
    auto* moved = new TLuTabSheet(pages);
    moved->SetName("Moved");
    moved->SetCaption("模块");
    moved->SetPageControl(pages);
    // A page fills the display rectangle whatever it was given.
    moved->SetAlign(framework::alNone);
    moved->SetAnchors(framework::TAnchors{framework::akRight});
    moved->SetBounds(5, 6, 70, 80);
    auto* plain = new TLuTabSheet(pages);
    plain->SetName("Plain");
    plain->SetCaption("完成");
    plain->SetPageControl(pages);
    ASSERT_TRUE(sized->AutoSize());
    ASSERT_TRUE(stopped->TabStop());
    ASSERT_TRUE(steps->TabStop());

    const std::string text = framework::WriteComponentText(form);
    // Written only where the control differs from a new one of its class.
    EXPECT_TRUE(Holds(PropertiesOf(text, "Note"), "AutoSize")) << text;
    EXPECT_FALSE(Holds(PropertiesOf(text, "Sized"), "AutoSize")) << text;
    EXPECT_TRUE(Holds(PropertiesOf(text, "Skipped"), "TabStop")) << text;
    EXPECT_FALSE(Holds(PropertiesOf(text, "Stopped"), "TabStop")) << text;
    EXPECT_TRUE(Holds(PropertiesOf(text, "Pages"), "TabStop")) << text;
    EXPECT_FALSE(Holds(PropertiesOf(text, "Steps"), "TabStop")) << text;
    for (const char* page : {"Moved", "Plain"})
        for (const char* property : {"Align", "Anchors", "Left", "Top", "Width", "Height", "TabOrder"})
            EXPECT_FALSE(Holds(PropertiesOf(text, page), property)) << page << " " << property << "\n"
                                                                    << text;

    framework::TForm again(nullptr);
    framework::ReadComponentText(again, text, "written.form");
    auto* noteAgain = dynamic_cast<lu::TLuLabel*>(again.FindComponent("Note"));
    ASSERT_NE(noteAgain, nullptr);
    EXPECT_FALSE(noteAgain->AutoSize());
    EXPECT_EQ(noteAgain->Width(), 377);
    EXPECT_EQ(noteAgain->Height(), 36);
    auto* sizedAgain = dynamic_cast<lu::TLuLabel*>(again.FindComponent("Sized"));
    EXPECT_TRUE(sizedAgain->AutoSize());
    EXPECT_EQ(sizedAgain->Width(), sized->Width());
    EXPECT_FALSE(dynamic_cast<lu::TLuEdit*>(again.FindComponent("Skipped"))->TabStop());
    EXPECT_TRUE(dynamic_cast<lu::TLuEdit*>(again.FindComponent("Stopped"))->TabStop());
    auto* pagesAgain = dynamic_cast<TLuPageControl*>(again.FindComponent("Pages"));
    EXPECT_FALSE(pagesAgain->TabStop());
    EXPECT_TRUE(dynamic_cast<TLuPageControl*>(again.FindComponent("Steps"))->TabStop());
    ASSERT_EQ(pagesAgain->PageCount(), 2);
    const TLuTabSheet fresh(nullptr);
    for (int i = 0; i < 2; ++i) {
        TLuTabSheet* page = pagesAgain->Pages(i);
        EXPECT_EQ(page->Align(), framework::alClient) << page->Name();
        EXPECT_EQ(page->Anchors(), fresh.Anchors()) << page->Name();
    }
}
