#pragma once

#include "host/HostControl.h"

#include <gtest/gtest.h>

#include <errno.h>

#include <filesystem>
#include <string>

// Each test gets a fresh sample installation of its own, below the build folder, named after the
// area, the test program and the test (the same tests run in one program per build, at the same
// time); it is closed and removed afterwards.
class SampleInstallationTest : public ::testing::Test {
protected:
    explicit SampleInstallationTest(std::string area) : m_area(std::move(area)) {}

    void SetUp() override {
        m_folder = std::string(TARNWICK_BINARY_DIR) + "/" + m_area + "/" + program_invocation_short_name + "/" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
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
