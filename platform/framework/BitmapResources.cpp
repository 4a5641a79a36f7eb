#include "platform/framework/BitmapResources.h"

#include "platform/framework/PixelText.h"
#include "platform/framework/PngData.h"
#include "platform/framework/Registry.h"

namespace framework {

void RegisterBitmapResource(const void* library, const std::string& name, std::string data) {
    RegistrationScope(library).AddBitmapResource(TBitmapResource{name, std::move(data)});
}

const std::string* FindBitmapResource(const void* library, std::string_view name) {
    for (const void* owner : {library, PlatformLibrary()})
        if (const TRegistrationScope* scope = FindRegistrationScope(owner))
            if (const TBitmapResource* found = scope->BitmapResourceNamed(name))
                return &found->data;
    return nullptr;
}

gdi::HBITMAP DecodeBitmapData(std::string_view data, const std::string& what) {
    return IsPng(data) ? DecodePng(data, what) : ParsePixelText(data, what);
}

bool BitmapDataHasPalette(std::string_view data) {
    return IsPng(data) ? PngHasPalette(data) : true;
}

} // namespace framework
