// libFuzzer target: every conversion step, in the run's order, on arbitrary bytes.
// Input: byte 0 chooses the families and their edition, byte 1 the Microsoft options, byte 2
// the kind of file; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/code_declarations.h"
#include "engine/file_session.h"
#include "engine/form_body.h"
#include "engine/form_headers.h"
#include "engine/form_required_controls.h"
#include "testing/memory_file_system.h"
#include "engine/microsoft_controls.h"
#include "engine/project_references.h"

namespace {

using namespace tavkonv40;

class QuietHost : public RunHost {
  public:
    void appendLog(std::string_view, LogLineKind) override {}
    bool cancelRequested() const override { return false; }
    bool showsStatus() const override { return true; }  // exercise the status text too
    void setStatus(std::string_view s) override { last = s.size(); }
    std::size_t last = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t familyBits = data[0], msBits = data[1], kind = data[2];
    const std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);

    FixedOptions options;
    for (const auto& f : families())
        if (familyBits & (1u << (f.slot % 7)))
            options.selectFamily(f.slot, (familyBits & 0x80) ? Edition::V40L : Edition::V40);
    for (int i = 0; i < kMicrosoftOptionCount; ++i)
        if (msBits & (1u << (i % 7))) options.selectMicrosoft(i, (msBits & 0x80) ? Edition::V40L : Edition::V40);

    MemoryFileSystem fs;
    QuietHost host;
    RunState state;
    state.formNeedsLibrary.fill(kind & 0x10);
    state.projectNeedsLibrary.fill(kind & 0x20);
    fs.addFile("/p/f", bytes);
    FileSession session(fs, "/p/f", options, host, state);
    switch (kind % 3) {
        case 0:
            for (Step s : {ConvertFormHeaders, ConvertFormBody, CheckEVENTSForUpdate, CheckFRMVBBODYForUpdate,
                           CheckFormRequiredControls})
                session.run(s);
            break;
        case 1:
            for (Step s : {ConvertFormHeaders, ConvertFormBody, CheckEVENTSForUpdate}) session.run(s);
            break;
        default:
            for (Step s : {ConvertProjectObjects, CheckProjectRequiredControls}) session.run(s);
            break;
    }
    session.finish();
    return 0;
}
