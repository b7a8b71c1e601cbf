// Deterministic generator of realistic, large Visual Basic 6 project folders for benchmarks and
// stress tests: forms with suite controls of every family and edition, Microsoft controls with
// font blocks, declarations, user controls and projects.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavkonv40::corpus {

struct FormShape {
    std::size_t targetBytes = 200 * 1024;  // approximate size of one form
};

// One form's bytes (CR LF line ends), the same for the same seed.
std::string makeForm(std::uint64_t seed, const std::string& name, const FormShape& shape);
std::string makeUserControl(std::uint64_t seed, const std::string& name, std::size_t targetBytes);
std::string makeProject(std::uint64_t seed, int forms, int userControls);

// A form made almost entirely of suite control Begin lines: `controls` of them.
std::string makeDenseForm(std::uint64_t seed, std::size_t controls);

struct FolderShape {
    int forms = 500;
    int userControls = 20;
    int projects = 2;
    std::size_t formBytes = 200 * 1024;
};

// Writes the folder (created if missing); returns the bytes written.
std::uintmax_t writeFolder(const std::filesystem::path& folder, std::uint64_t seed, const FolderShape& shape);

}  // namespace tavkonv40::corpus
