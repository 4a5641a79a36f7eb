#include "platform/framework/Memo.h"
#include "platform/framework/RichEdit.h"
#include "platform/rtl/Utf8.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace framework;

// A memo of 100 paragraphs of 60 Chinese characters, about 20 display lines each when wrapped.
std::vector<std::string> Paragraphs() {
    std::string paragraph;
    for (int i = 0; i < 6; ++i)
        paragraph += "审计项目的数据在安装之间";
    return std::vector<std::string>(100, paragraph);
}

// Typing one character, wrapped (argument 1) against the same memo without word wrap (0): the
// ratio is the price of re-measuring the text for the wrap.
template <class Memo> void BM_TypeIntoMemo(benchmark::State& state) {
    Memo memo(nullptr);
    memo.SetBounds(0, 0, 200, 300);
    memo.SetWordWrap(state.range(0) != 0);
    memo.SetLines(Paragraphs());
    memo.SetSelStart(static_cast<int>(rtl::Utf8ToCodePoints(memo.Text()).size() / 2));
    for (auto _ : state) {
        memo.Perform(win::WM_CHAR, U'中', 0);
        memo.Perform(win::WM_CHAR, 8, 0);
    }
    state.counters["display lines"] = static_cast<double>(memo.Perform(win::EM_GETLINECOUNT, 0, 0));
}
BENCHMARK(BM_TypeIntoMemo<TMemo>)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeIntoMemo<TRichEdit>)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
