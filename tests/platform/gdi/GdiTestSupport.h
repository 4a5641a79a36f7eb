#pragma once

#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Png.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gdi::test {

// A memory context on a white 32-bit bitmap of the given size.
class TestCanvas {
public:
    TestCanvas(int width, int height)
        : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(CreateCompatibleBitmap(m_dc, width, height)) {
        SelectObject(m_dc, m_bitmap);
    }
    ~TestCanvas() {
        SelectObject(m_dc, StockMonoBitmap());
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int Width() const { return m_bitmap->surface.Width(); }
    int Height() const { return m_bitmap->surface.Height(); }
    COLORREF At(int x, int y) const { return m_bitmap->surface.Pixel(x, y); }

    // One string per row: '.' for white, '#' for black, '?' for any other colour.
    std::vector<std::string> Picture() const {
        std::vector<std::string> rows;
        for (int y = 0; y < Height(); ++y) {
            std::string row;
            for (int x = 0; x < Width(); ++x) {
                COLORREF c = At(x, y);
                row += c == 0xFFFFFF ? '.' : c == 0 ? '#' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

    // The pixels that are not white.
    std::set<std::pair<int, int>> Marked() const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != 0xFFFFFF)
                    out.insert({x, y});
        return out;
    }

    void Save(const std::string& name) const {
        SavePng(m_bitmap, std::string(TARNWICK_BINARY_DIR) + "/" + name);
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
};

// Selects an object for the lifetime of the guard and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_object(object), m_old(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

} // namespace gdi::test
