// A full repaint of the export wizard as the user sees it: the module list with twelve rows, and a
// module tab page. Each repaint invalidates the whole form and composes it into one picture.
#include "core/EntryRoutines.h"
#include "core/HostApi.h"
#include "core/export/UntFrame_CheckItem.h"
#include "core/export/UntFrm_MainReaderPack.h"
#include "host/HostControl.h"

#include "platform/ado/ADOQuery.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Graphics.h"
#include "platform/framework/Window.h"
#include "platform/framework/ScriptedUser.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 12;

struct SampleModule {
    const char* caption;
    const char* library;
    const char* entry;
    const char* inProject;
};

// The sample's module libraries, each offered several times under captions of its own.
const SampleModule kSampleModules[] = {
    {"项目信息", "Modules\\ProjectInfo.dll", "1", "1"},
    {"项目资料", "Modules\\ProjectMaterials.dll", "2", "1"},
    {"系统人员", "Modules\\Personnel.dll", "3", "0"},
    {"审计事项", "Modules\\AuditMatters.dll", "4", "1"},
};

void OfferTwelveModules() {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText("delete from Vek_PackMod");
    query.ExecSQL();
    query.SQL().SetText("insert into Vek_PackMod values (:G, :C, :D, :E, :M, :P, -1, :I)");
    for (int i = 0; i < kRows; ++i) {
        const SampleModule& m = kSampleModules[i % std::size(kSampleModules)];
        const std::string caption = i < static_cast<int>(std::size(kSampleModules))
                                        ? m.caption
                                        : std::string(m.caption) + std::to_string(i + 1);
        query.Parameters().ParamByName("G").SetAsString("{6A1F0C2E-0000-4C57-9E10-" +
                                                        std::to_string(100000000000 + i) + "}");
        query.Parameters().ParamByName("C").SetAsString(caption);
        query.Parameters().ParamByName("D").SetAsString(m.library);
        query.Parameters().ParamByName("E").SetAsString(m.entry);
        query.Parameters().ParamByName("M").SetAsString(std::string(m.caption) + "的说明");
        query.Parameters().ParamByName("P").SetAsString(m.inProject);
        query.Parameters().ParamByName("I").SetAsString(std::to_string(i + 1));
        query.ExecSQL();
    }
}

// A sample installation with a member at work on the sample project, for the whole run.
class Installation {
public:
    Installation() : m_folder(fs::temp_directory_path() / ("tarnwick-paint-bench-" + std::to_string(::getpid()))) {
        host::CreateSampleInstallation(m_folder.string());
        host::SetCurrentUser(host::SampleMemberId);
        host::OpenProject(host::SampleProjectId);
        OfferTwelveModules();
    }
    ~Installation() {
        host::CloseInstallation();
        fs::remove_all(m_folder);
    }

private:
    fs::path m_folder;
};

void Repaint(framework::TCustomForm& form, framework::TBitmap& picture) {
    framework::RedrawWindow(form.Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN);
    framework::RenderForm(form, picture);
}

// Shows the wizard; the user takes the steps, then the benchmark repaints what is shown. With
// TARNWICK_PAINT_BENCH_PNG set, the last repaint is also written to <its value>-<page>.png.
void RepaintWizard(benchmark::State& state, const std::string& page, const std::function<void(framework::TUserScript&)>& steps) {
    static Installation installation;
    framework::ScriptedUser().Reset();
    framework::TUserScript& script = framework::ScriptedUser().ScriptFor("TFrm_MainReaderPack");
    steps(script);
    script.Do([&state, &page](framework::TCustomForm& form) {
        framework::TBitmap picture;
        for (auto _ : state)
            Repaint(form, picture);
        state.counters["pixels"] = static_cast<double>(picture.Width() * picture.Height());
        state.counters["rows"] = static_cast<double>(dynamic_cast<tarnwick::TFrm_MainReaderPack&>(form).Rows().size());
        if (const char* file = std::getenv("TARNWICK_PAINT_BENCH_PNG"))
            framework::SaveFormPng(form, std::string(file) + "-" + page + ".png");
    });
    script.Click("btnCancel");
    tarnwick::ShowExportWizard();
    framework::ScriptedUser().Reset();
}

void BM_RepaintModuleList(benchmark::State& state) {
    RepaintWizard(state, "module-list", [](framework::TUserScript&) {});
}
BENCHMARK(BM_RepaintModuleList)->Unit(benchmark::kMillisecond);

void BM_RepaintModuleTab(benchmark::State& state) {
    RepaintWizard(state, "module-tab", [](framework::TUserScript& script) {
        script.Do([](framework::TCustomForm& form) {
            framework::TUserAction check;
            check.kind = framework::TUserActionKind::Check;
            const auto& wizard = dynamic_cast<tarnwick::TFrm_MainReaderPack&>(form);
            check.control = wizard.Rows().front()->Name() + ".cSelectItem";
            check.checked = true;
            form.PerformUserAction(check);
        });
        script.Click("btnHorzNext");
    });
}
BENCHMARK(BM_RepaintModuleTab)->Unit(benchmark::kMillisecond);

} // namespace
