// Pictures in form resources: a bitmap property and an image list come from the resource and are
// written back by the writer.

#include "platform/framework/FormResources.h"
#include "platform/framework/FormText.h"
#include "platform/framework/Forms.h"
#include "platform/framework/GraphicControl.h"
#include "platform/framework/ImgList.h"
#include "platform/framework/TypInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using namespace framework;

// Shows its Glyph, then every image of Images in a row, then image ImageIndex greyed.
class TPictureBox : public TGraphicControl {
public:
    explicit TPictureBox(TComponent* owner) : TGraphicControl(owner) {
        m_glyph.SetTransparent(true);
        m_glyph.OnChange = [this](TObject*) { Invalidate(); };
    }

    TBitmap* Glyph() { return &m_glyph; }
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* images) {
        if (images == m_images)
            return;
        if (images != nullptr)
            images->FreeNotification(this);
        m_images = images;
        Invalidate();
    }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index) {
        if (index == m_imageIndex)
            return;
        m_imageIndex = index;
        Invalidate();
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TGraphicControl::Notification(component, operation);
        if (operation == opRemove && component == m_images)
            m_images = nullptr;
    }
    void Paint() override {
        Canvas()->Draw(4, 4, &m_glyph);
        if (m_images == nullptr)
            return;
        int y = 8 + m_glyph.Height();
        for (int i = 0; i < m_images->Count(); ++i)
            m_images->Draw(Canvas(), 4 + i * (m_images->Width() + 4), y, i);
        if (m_imageIndex >= 0)
            m_images->Draw(Canvas(), 4 + m_images->Count() * (m_images->Width() + 4), y, m_imageIndex, false);
    }

private:
    TBitmap m_glyph;
    TCustomImageList* m_images = nullptr;
    int m_imageIndex = -1;
};

class TPictureForm : public TForm {
public:
    using TForm::TForm;
};

[[maybe_unused]] const auto registerPictureBox =
    RegisterClass<TPictureBox, TGraphicControl>("TPictureBox")
        .Object("Glyph", &TPictureBox::Glyph)
        .Component("Images", &TPictureBox::Images, &TPictureBox::SetImages)
        .Integer("ImageIndex", &TPictureBox::ImageIndex, &TPictureBox::SetImageIndex, -1);
[[maybe_unused]] const auto registerPictureForm = RegisterClass<TPictureForm, TForm>("TPictureForm");

TEST(PictureForm, GlyphAndImageListRoundTripThroughTheWriter) {
    std::unique_ptr<TPictureForm> form(CreateForm<TPictureForm>());
    auto* list = dynamic_cast<TImageList*>(form->FindComponent("ImageList1"));
    auto* box = dynamic_cast<TPictureBox*>(form->FindComponent("Box"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->Images(), list);

    std::string text = WriteComponentText(*form);
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos) << text;
    EXPECT_NE(text.find("Bitmap = {"), std::string::npos) << text;

    auto copy = std::make_unique<TPictureForm>(nullptr);
    ReadComponentText(*copy, text, "PictureFormCopy");
    auto* listCopy = dynamic_cast<TImageList*>(copy->FindComponent("ImageList1"));
    auto* boxCopy = dynamic_cast<TPictureBox*>(copy->FindComponent("Box"));
    ASSERT_NE(listCopy, nullptr);
    ASSERT_NE(boxCopy, nullptr);
    EXPECT_EQ(boxCopy->Images(), listCopy);
    EXPECT_EQ(WriteComponentText(*copy), text);

    const gdi::Surface& glyph = box->Glyph()->Handle()->surface;
    const gdi::Surface& glyphCopy = boxCopy->Glyph()->Handle()->surface;
    ASSERT_EQ(glyphCopy.Width(), glyph.Width());
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            ASSERT_EQ(glyphCopy.Pixel(x, y), glyph.Pixel(x, y)) << x << "," << y;
    ASSERT_EQ(listCopy->Count(), list->Count());
    for (int i = 0; i < list->Count(); ++i) {
        // Drawn over a background of another colour, so that the masks count as well.
        TBitmap a;
        TBitmap b;
        for (auto [l, bitmap] : {std::pair{list, &a}, std::pair{listCopy, &b}}) {
            bitmap->SetSize(l->Width(), l->Height());
            bitmap->Canvas()->Brush()->SetColor(gdi::clAqua);
            bitmap->Canvas()->FillRect(TRect{0, 0, l->Width(), l->Height()});
            l->Draw(bitmap->Canvas(), 0, 0, i);
        }
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                ASSERT_EQ(b.Canvas()->Pixels(x, y), a.Canvas()->Pixels(x, y)) << i << ": " << x << "," << y;
    }
}

TEST(PictureForm, BrokenPictureDataIsAReadErrorNamingTheProperty) {
    const struct {
        const char* object;
        const char* message;
    } cases[] = {
        {"object Box: TPictureBox\n  Glyph.Data = {0102}\n",
         "PictureFormBroken(3): error reading Box.Glyph.Data"},
        {"object List: TImageList\n  Bitmap = {496D674C}\n",
         "PictureFormBroken(3): error reading List.Bitmap"},
        {"object List: TImageList\n  Bitmap = {496D674C010000000C0000000C00000089504E47}\n",
         "PictureFormBroken(3): error reading List.Bitmap"},
    };
    for (const auto& c : cases) {
        TPictureForm form(nullptr);
        try {
            ReadComponentText(form,
                              std::string("object PictureForm: TPictureForm\n") + c.object + "end\nend\n",
                              "PictureFormBroken");
            ADD_FAILURE() << "accepted: " << c.object;
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(PictureForm, RendersTheGlyphAndTheImages) {
    std::unique_ptr<TPictureForm> form(CreateForm<TPictureForm>());
    form->Show();
    TBitmap shot;
    RenderForm(*form, shot);
    const std::filesystem::path png =
        std::filesystem::path(TARNWICK_BINARY_DIR) / "pictures" / "PictureForm.png";
    std::filesystem::create_directories(png.parent_path());
    SaveFormPng(*form, png.string());

    auto* box = dynamic_cast<TPictureBox*>(form->FindComponent("Box"));
    ASSERT_NE(box, nullptr);
    TPoint origin = box->ClientToScreen(TPoint{0, 0});
    TPoint formOrigin = form->ClientToScreen(TPoint{0, 0});
    TPoint frame = {formOrigin.x - form->Left(), formOrigin.y - form->Top()};
    auto pixel = [&](int x, int y) {
        return shot.Canvas()->Pixels(frame.x + origin.x - formOrigin.x + x,
                                     frame.y + origin.y - formOrigin.y + y);
    };
    // The tick's olive background is left out; its strokes and the images are there, the images
    // 8 pixels below the glyph, each 4 pixels after the one before.
    const int top = 4 + 12 + 4;
    EXPECT_EQ(pixel(4, 4), gdi::ColorToRGB(gdi::clBtnFace));
    EXPECT_EQ(pixel(4 + 10, 4 + 2), gdi::clGreen);
    EXPECT_EQ(pixel(4 + 5, top + 5), gdi::RGB(0xE0, 0x20, 0x20));             // the red disc
    EXPECT_EQ(pixel(4 + 16 + 5, top + 5), gdi::RGB(0x20, 0x40, 0xE0));        // the blue square
    EXPECT_EQ(pixel(4 + 32 + 5, top + 8), gdi::RGB(0xF0, 0xD0, 0x00));        // the yellow triangle
    EXPECT_EQ(pixel(4 + 32, top), gdi::ColorToRGB(gdi::clBtnFace));           // masked out
    EXPECT_EQ(pixel(4 + 48 + 5, top + 5), gdi::ColorToRGB(gdi::clBtnShadow)); // image 1 greyed
}

} // namespace
