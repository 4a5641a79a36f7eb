// Classes and form resources belong to the library that registers them: a plug-in that is
// unloaded takes them along, and two plug-ins with the same class names each read their own.

#include "tests/platform/framework/registry/ProbeClasses.h"

#include "platform/framework/FormResources.h"
#include "platform/framework/FormText.h"
#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"
#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

using namespace framework;

namespace {

bool IsMapped(const char* file) {
    void* handle = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

// One test plug-in, loaded as the host loads Tarnwick.
class Probe {
public:
    explicit Probe(const char* file) : m_file(file), m_module(win::LoadLibraryA(file)) {
        if (m_module == nullptr)
            throw std::runtime_error(win::LastLibraryError());
    }
    ~Probe() { Unload(); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    std::unique_ptr<TComponent> BuildForm() {
        auto build =
            reinterpret_cast<TComponent* (*)(TComponent*)>(win::GetProcAddress(m_module, "ProbeBuildForm"));
        return std::unique_ptr<TComponent>(build(nullptr));
    }
    const void* Library() const {
        return reinterpret_cast<const void* (*)()>(win::GetProcAddress(m_module, "ProbeLibrary"))();
    }
    void Unload() {
        if (m_module != nullptr)
            win::FreeLibrary(m_module);
        m_module = nullptr;
    }
    const char* File() const { return m_file; }

private:
    const char* m_file;
    win::HMODULE m_module;
};

// The probe form as its resource describes it, every object made by the given library's code.
void ExpectProbeForm(TComponent& form, const void* library) {
    EXPECT_EQ(form.ClassName(), "TProbeForm");
    TComponent* box = form.FindComponent("Box");
    TComponent* mark = form.FindComponent("Mark");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(box->ClassName(), "TProbeBox");
    EXPECT_EQ(mark->ClassName(), "TProbeMark");
    EXPECT_EQ(GetOrdProp(*box, "Size"), 3);
    ASSERT_NE(ClassInfoOf(*box), nullptr);
    EXPECT_EQ(ClassInfoOf(*box)->OwnProperties().size(), 1u);
    for (TComponent* c : {&form, box, mark}) {
        auto* origin = dynamic_cast<probe::IProbeOrigin*>(c);
        ASSERT_NE(origin, nullptr) << c->Name();
        EXPECT_EQ(origin->Origin(), library) << c->Name() << " was made by another library's code";
    }
}

void LoadBuildUnload() {
    Probe a(PROBE_A);
    ExpectProbeForm(*a.BuildForm(), a.Library());
}

TEST(Registry, UnloadTakesTheLibrarysClassesAndResourcesAlongAndReloadRegistersThemOnce) {
    LoadBuildUnload();
    EXPECT_FALSE(IsMapped(PROBE_A)) << "the probe stays loaded; the test would prove nothing";
    EXPECT_EQ(FindClassInfo("TProbeBox"), nullptr);
    EXPECT_EQ(FindClassInfo("TProbeMark"), nullptr);
    LoadBuildUnload();

    TBitmap glyph;
    const void* library = nullptr;
    {
        Probe a(PROBE_A);
        library = a.Library();
        glyph.LoadFromLibraryResource(library, "TEST_GLYPH");
        EXPECT_EQ(glyph.Width(), 24);
    }
    EXPECT_THROW(glyph.LoadFromLibraryResource(library, "TEST_GLYPH"), EResNotFound);
}

TEST(Registry, TwoLibrariesWithTheSameClassNamesEachReadTheirOwn) {
    LoadBuildUnload();
    Probe a(PROBE_A);
    auto formA = a.BuildForm();
    Probe b(PROBE_B);
    auto formB = b.BuildForm();
    ASSERT_NE(a.Library(), b.Library());
    ExpectProbeForm(*formA, a.Library());
    ExpectProbeForm(*formB, b.Library());
    formA.reset();
    a.Unload();
    // B goes on reading its resource after A is gone.
    formB.reset();
    ExpectProbeForm(*b.BuildForm(), b.Library());
}

// A root of this test's own, whose resource names a class that only the probes register.
class THostRoot : public TComponent {
public:
    using TComponent::TComponent;
};
[[maybe_unused]] const auto registerHostRoot = RegisterClass<THostRoot, TComponent>("THostRoot");

constexpr const char* kHostForm =
    "object Root: THostRoot\n  object Box: TProbeBox\n    Size = 3\n  end\nend\n";

TEST(Registry, ANameOfSeveralOtherLibrariesIsAmbiguous) {
    {
        Probe a(PROBE_A);
        // One other library has it: found there.
        ASSERT_NE(FindClassInfo("TProbeBox"), nullptr);
        EXPECT_EQ(FindClassInfo("TProbeBox")->Library(), a.Library());
        THostRoot root(nullptr);
        ReadComponentText(root, kHostForm, "HostForm");
        auto* origin = dynamic_cast<probe::IProbeOrigin*>(root.FindComponent("Box"));
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(origin->Origin(), a.Library());
        root.DestroyComponents();

        Probe b(PROBE_B);
        EXPECT_THROW(FindClassInfo("TProbeBox"), ERegistrationError);
        try {
            ReadComponentText(root, kHostForm, "HostForm");
            ADD_FAILURE() << "an ambiguous class was read";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "HostForm(2): Class TProbeBox is registered by more than one library");
        }
        EXPECT_EQ(root.ComponentCount(), 0);
    }
    // The platform's own classes stay unambiguous.
    ASSERT_NE(FindClassInfo("TForm"), nullptr);
    EXPECT_EQ(FindClassInfo("TForm")->Library(), FindClassInfo(typeid(TForm))->Library());
}

TEST(RegistryDeathTest, ProcessExitsCleanlyAfterLoadingAndUnloading) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            LoadBuildUnload();
            LoadBuildUnload();
            Probe b(PROBE_B);
            b.BuildForm();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
