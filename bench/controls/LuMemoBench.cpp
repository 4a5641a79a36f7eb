#include "controls/edit/LuMemo.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Utf8.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace framework;

// A wrapped memo of 100 paragraphs of 60 Chinese characters, about 20 display lines each, on a
// shown form.
template <class Memo> void Fill(TForm& form, Memo& memo) {
    form.SetBounds(0, 0, 300, 400);
    memo.SetParent(&form);
    form.Show();
    std::string paragraph;
    for (int i = 0; i < 6; ++i)
        paragraph += "审计项目的数据在安装之间";
    memo.SetBounds(0, 0, 200, 300);
    memo.SetLines(std::vector<std::string>(100, paragraph));
    memo.SetSelStart(static_cast<int>(rtl::Utf8ToCodePoints(memo.Text()).size() / 2));
}

// Typing one character and taking it back: the framework's memo against the library's memo that
// reports the caret's line and column after each change; the ratio is the price of the reports.
void BM_TypeIntoFrameworkMemo(benchmark::State& state) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    Fill(form, *memo);
    for (auto _ : state) {
        memo->Perform(win::WM_CHAR, U'中', 0);
        memo->Perform(win::WM_CHAR, 8, 0);
    }
}
BENCHMARK(BM_TypeIntoFrameworkMemo)->Unit(benchmark::kMicrosecond);

void BM_TypeIntoReportingMemo(benchmark::State& state) {
    TForm form(nullptr);
    auto* memo = new lu::TLuMemo(&form);
    Fill(form, *memo);
    int lastLine = 0;
    memo->OnLineColChange = [&](TObject*, int line, int) { lastLine = line; };
    for (auto _ : state) {
        memo->Perform(win::WM_CHAR, U'中', 0);
        memo->Perform(win::WM_CHAR, 8, 0);
    }
    state.counters["caret line"] = lastLine;
}
BENCHMARK(BM_TypeIntoReportingMemo)->Unit(benchmark::kMicrosecond);

} // namespace
