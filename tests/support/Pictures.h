#pragma once
// Pictures the tests write for people to look at: build/<config>/pictures/<name>.png, and optionally
// an enlarged copy <name>_x<zoom>.png for looking at single pixels.
#include <filesystem>
#include <string>

#include "platform/framework/Graphics.h"

namespace tests {

inline std::filesystem::path SavePicture(framework::TBitmap& picture, const std::string& name, int zoom = 1) {
    const auto dir = std::filesystem::path(TARNWICK_BINARY_DIR) / "pictures";
    std::filesystem::create_directories(dir);
    const auto path = dir / (name + ".png");
    picture.SaveToPng(path.string());
    if (zoom > 1) {
        framework::TBitmap large;
        large.SetSize(zoom * picture.Width(), zoom * picture.Height());
        large.Canvas()->StretchDraw(framework::TRect{0, 0, large.Width(), large.Height()}, &picture);
        large.SaveToPng((dir / (name + "_x" + std::to_string(zoom) + ".png")).string());
    }
    return path;
}

} // namespace tests
