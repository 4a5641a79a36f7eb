#include "platform/gdi/Gdi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using namespace gdi;

constexpr int kFormWidth = 592;
constexpr int kFormHeight = 501;

struct Form {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kFormWidth, kFormHeight);
    Form() { SelectObject(dc, bitmap); }
    ~Form() {
        SelectObject(dc, StockMonoBitmap());
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

// The baseline: a plain loop over rows of 32-bit pixels.
void BM_PlainRowLoopFill(benchmark::State& state) {
    std::vector<std::uint32_t> pixels(std::size_t(kFormWidth) * kFormHeight);
    std::uint32_t color = 0;
    for (auto _ : state) {
        for (int y = 0; y < kFormHeight; ++y)
            std::fill_n(pixels.data() + std::size_t(y) * kFormWidth, kFormWidth, ++color);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_PlainRowLoopFill);

void BM_FullFormFillRect(benchmark::State& state) {
    Form form;
    RECT all{0, 0, kFormWidth, kFormHeight};
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    for (auto _ : state) {
        FillRect(form.dc, &all, brush);
        benchmark::DoNotOptimize(form.bitmap->surface.Row(0));
    }
}
BENCHMARK(BM_FullFormFillRect);

// A form's worth of control frames: 8 x 10 controls, each a fill and a two-ring frame of lines.
void BM_FormOfFramesFillRectAndLineTo(benchmark::State& state) {
    Form form;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    const int cw = kFormWidth / 8, ch = kFormHeight / 10;
    for (auto _ : state) {
        RECT all{0, 0, kFormWidth, kFormHeight};
        FillRect(form.dc, &all, face);
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 8; ++col) {
                RECT r{col * cw + 2, row * ch + 2, col * cw + cw - 2, row * ch + ch - 2};
                FillRect(form.dc, &r, face);
                for (int ring = 0; ring < 2; ++ring) {
                    SelectObject(form.dc, light);
                    MoveToEx(form.dc, r.left + ring, r.bottom - 1 - ring, nullptr);
                    LineTo(form.dc, r.left + ring, r.top + ring);
                    LineTo(form.dc, r.right - 1 - ring, r.top + ring);
                    SelectObject(form.dc, dark);
                    LineTo(form.dc, r.right - 1 - ring, r.bottom - 1 - ring);
                    LineTo(form.dc, r.left + ring, r.bottom - 1 - ring);
                }
            }
        benchmark::DoNotOptimize(form.bitmap->surface.Row(0));
    }
    SelectObject(form.dc, GetStockObject(BLACK_PEN));
    DeleteObject(light);
    DeleteObject(dark);
}
BENCHMARK(BM_FormOfFramesFillRectAndLineTo);

void BM_DrawTextChineseCaption1000(benchmark::State& state) {
    Form form;
    LOGFONT log;
    log.lfFaceName = "宋体";
    log.lfHeight = -12;
    HFONT font = CreateFontIndirect(&log);
    HGDIOBJ old = SelectObject(form.dc, font);
    SetBkMode(form.dc, TRANSPARENT);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            RECT r{10 + i % 7, 10 + i % 400, 300, 480};
            DrawText(form.dc, "导出项目资料包", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        benchmark::DoNotOptimize(form.bitmap->surface.Row(0));
    }
    SelectObject(form.dc, old);
    DeleteObject(font);
}
BENCHMARK(BM_DrawTextChineseCaption1000)->Unit(benchmark::kMillisecond);

// Builds 100 tab-shaped polygon regions, clips to each and fills through the clip.
void BM_TabRegionsBuildAndClip100(benchmark::State& state) {
    Form form;
    HBRUSH brush = GetSysColorBrush(COLOR_WINDOW);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            int x = (i % 8) * 72, y = (i / 8) * 38;
            POINT shape[] = {{x, y + 24}, {x + 6, y + 3},  {x + 10, y},
                             {x + 62, y}, {x + 66, y + 3}, {x + 72, y + 24}};
            HRGN region = CreatePolygonRgn(shape, 6, ALTERNATE);
            SaveDC(form.dc);
            SelectClipRgn(form.dc, region);
            RECT tab{x, y, x + 73, y + 25};
            FillRect(form.dc, &tab, brush);
            RestoreDC(form.dc, -1);
            DeleteObject(region);
        }
        benchmark::DoNotOptimize(form.bitmap->surface.Row(0));
    }
}
BENCHMARK(BM_TabRegionsBuildAndClip100);

void BM_FullFormBitBlt(benchmark::State& state) {
    Form a, b;
    for (auto _ : state) {
        BitBlt(b.dc, 0, 0, kFormWidth, kFormHeight, a.dc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(b.bitmap->surface.Row(0));
    }
}
BENCHMARK(BM_FullFormBitBlt);

} // namespace
