// A real folder for interrupting the real binary during its form pass: many forms, then a user
// control and a project the run must not reach; and what must hold after such a run.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/process_support.h"
#include "tests/platform/disk_test_support.h"

namespace tavkonv40::test {

class InterruptedFolder {
  public:
    static constexpr const char* kForm =
        "VERSION 5.00\r\nObject = \"{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0\"; "
        "\"tavQVButton20.ocx\"\r\nBegin VB.Form F \r\n   Begin VB.CommandButton C \r\n   End\r\nEnd\r\n";
    static constexpr const char* kUserControl = "VERSION 5.00\r\nBegin VB.UserControl U \r\nEnd\r\n";
    static constexpr const char* kProject =
        "Type=Exe\r\nObject={3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0; tavQVButton20.ocx\r\n";

    explicit InterruptedFolder(int forms)
        : root(std::filesystem::temp_directory_path() / ("tavkonv40-sigint-" + std::to_string(processId()))) {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        for (int i = 0; i < forms; ++i) write("F" + std::to_string(i) + ".frm", kForm);
        write("U.ctl", kUserControl);
        write("P.vbp", kProject);
    }
    ~InterruptedFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    InterruptedFolder(const InterruptedFolder&) = delete;
    InterruptedFolder& operator=(const InterruptedFolder&) = delete;

    // The run stopped in its form pass: the later passes never started, and the one backup
    // holds the folder as it was.
    void expectStoppedInFormPass(const std::string& log) const {
        EXPECT_EQ(log.find("UserControl"), std::string::npos);
        EXPECT_EQ(log.find("VB Project file"), std::string::npos);
        EXPECT_EQ(readFile(root / "U.ctl"), kUserControl);
        EXPECT_EQ(readFile(root / "P.vbp"), kProject);
        int backups = 0;
        for (const auto& e : std::filesystem::directory_iterator(root))
            if (e.path().filename().string().rfind("Nexaria Conversion Backup ", 0) == 0) {
                ++backups;
                EXPECT_EQ(readFile(e.path() / "F0.frm"), kForm);
                EXPECT_EQ(readFile(e.path() / "P.vbp"), kProject);
            }
        EXPECT_EQ(backups, 1);
    }

    const std::filesystem::path root;

  private:
    void write(const std::string& name, const char* bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
};

}  // namespace tavkonv40::test
