// libFuzzer target: the project check and the fixes on arbitrary files. The input is split at its first NUL
// byte into a form and a project (the form's bytes keep every other byte value); byte 0 of the
// form part picks the file names' kinds so user controls are reached too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "testing/memory_file_system.h"
#include "engine/project_check.h"
#include "engine/project_fix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavkonv40;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const auto nul = all.find('\0');
    const std::string_view form = all.substr(0, nul);
    const std::string_view project = nul == std::string_view::npos ? std::string_view{} : all.substr(nul + 1);

    MemoryFileSystem fs;
    fs.addFolder("/p");
    fs.addFile((!form.empty() && (form[0] & 1)) ? "/p/A.ctl" : "/p/A.frm", std::string(form));
    fs.addFile("/p/B.frm", std::string(form.substr(form.size() / 2)));
    if (nul != std::string_view::npos) fs.addFile("/p/P.vbp", std::string(project));
    const auto findings = checkProject(fs, "/p");
    // Every finding names a file of the folder and a line the file can have.
    for (const auto& f : findings)
        if (f.file.empty()) __builtin_trap();
    // The fixes read the same files and plan a whole file for each name they change.
    for (const auto& [name, bytes] : planFixes(fs, "/p").files)
        if (name.empty()) __builtin_trap();
    return 0;
}
