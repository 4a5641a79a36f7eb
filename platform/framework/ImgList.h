#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace framework {

using TImageIndex = int;

class TCustomImageList;

// Tells a client that an image list changed. Freeing the link unregisters it.
class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return m_sender; }
    void SetSender(TCustomImageList* sender) { m_sender = sender; }
    virtual void Change();

    TNotifyEvent OnChange;

private:
    TCustomImageList* m_sender = nullptr;
};

// Images of one size, each with a mask (white = transparent).
class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    int Width() const { return m_width; }
    // A new size clears the list.
    void SetWidth(int width);
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Count() const { return static_cast<int>(m_images.size()); }

    // Cuts the image into cells of Width x Height from the left (at least one); the mask, when
    // given, must be as large as the image. Returns the index of the first cell added.
    int Add(TBitmap* image, TBitmap* mask);
    // As Add, with the mask made from the pixels of maskColor (clDefault: the lower-left pixel).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // Copies image index into the bitmap, sized Width x Height.
    void GetBitmap(int index, TBitmap* image) const;

    // Draws image index with its mask at (x, y). Disabled, the image is greyed: its dark pixels
    // are drawn in clBtnHighlight one pixel down and right, then in clBtnShadow in place.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    // Form resources hold the images as the binary property Bitmap: the bytes "ImgL", then the
    // image count, width and height (32 bits each, least significant byte first), then a PNG of
    // count x width by 2 x height pixels: the images side by side above their masks.
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    struct Image {
        std::unique_ptr<TBitmap> image;
        std::unique_ptr<TBitmap> mask;
    };
    void CheckIndex(int index) const;
    int AddCells(TBitmap* image, const std::vector<bool>* transparent, TBitmap* mask);
    std::string WriteImages() const;
    void ReadImages(const std::string& data);

    int m_width = 16;
    int m_height = 16;
    std::vector<Image> m_images;
    std::vector<TChangeLink*> m_links;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace framework
