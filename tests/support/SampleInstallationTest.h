#pragma once

#include "host/HostControl.h"

#include <gtest/gtest.h>

#include <errno.h>

#include <filesystem>
#include <string>

// Each test gets a fresh sample installation of its own, below the build folder, named after the
// area, the test program and the test with its suite (the same tests run in one program per build,
// and two suites may name a test alike, at the same time); it is closed and removed afterwards.
class SampleInstallationTest : public ::testing::Test {
protected:
    explicit SampleInstallationTest(std::string area) : m_area(std::move(area)) {}

    void SetUp() override {
        const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::string(TARNWICK_BINARY_DIR) + "/" + m_area + "/" + program_invocation_short_name + "/" +
                   test.test_suite_name() + "." + test.name();
        std::filesystem::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder);
    }
    void TearDown() override {
        host::CloseInstallation();
        std::filesystem::remove_all(m_folder);
    }

    std::string m_folder;

private:
    std::string m_area;
};
