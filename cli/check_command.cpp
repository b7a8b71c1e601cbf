#include "cli/check_command.h"

#include <nlohmann/json.hpp>

#include <ostream>

#include "cli/command_support.h"
#include "engine/project_check.h"
#include "engine/run_guard.h"
#include "cli/terminal_text.h"

namespace tavkonv40::cli {

namespace {

void printLocation(const Finding& f, std::ostream& out) {
    out << quotedName(f.file);
    if (f.line != 0) out << ':' << f.line;
}

// Prints each file's findings as they come, a blank line between files.
class TextSink final : public FindingSink {
  public:
    explicit TextSink(std::ostream& out) : out_(out) {}

    void fileFindings(const std::vector<Finding>& findings) override {
        if (any_) out_ << '\n';
        any_ = true;
        for (const auto& f : findings) {
            printLocation(f, out_);
            out_ << ": " << severityName(f.severity) << ": " << f.message << " \xE2\x80\x94 " << f.advice << '\n';
        }
    }

    void finish(const FindingCounts& c) {
        if (c.total() == 0) {
            out_ << "check: no findings\n";
            return;
        }
        out_ << '\n';
        out_ << "check: " << c.errors << (c.errors == 1 ? " error, " : " errors, ") << c.warnings
             << (c.warnings == 1 ? " warning, " : " warnings, ") << c.notes << (c.notes == 1 ? " note\n" : " notes\n");
    }

  private:
    std::ostream& out_;
    bool any_ = false;
};

// Files are bytes; names and lines that are not UTF-8 are passed on with U+FFFD.
std::string jsonText(const nlohmann::ordered_json& value, int indent = -1) {
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Writes a pretty-printed {"findings", "counts", "folder"} document one finding at a time, in one
// pass over the folder: the counts follow the findings, so they always describe the same files.
class JsonSink final : public FindingSink {
  public:
    JsonSink(std::ostream& out, const std::string& folder) : out_(out), folder_(folder) {}

    void fileFindings(const std::vector<Finding>& findings) override {
        begin();
        for (const auto& f : findings) {
            const nlohmann::ordered_json item = {
                {"file", f.file},           {"line", f.line},       {"severity", severityName(f.severity)},
                {"kind", kindName(f.kind)}, {"message", f.message}, {"advice", f.advice}};
            out_ << (any_ ? ",\n    " : "\n    ") << indented(jsonText(item, 2), "    ");
            any_ = true;
        }
    }

    void finish(const FindingCounts& c) {
        begin();
        const nlohmann::ordered_json counts = {{"error", c.errors}, {"warning", c.warnings}, {"note", c.notes}};
        out_ << (any_ ? "\n  ],\n" : "],\n") << "  \"counts\": " << indented(jsonText(counts, 2), "  ")
             << ",\n  \"folder\": " << jsonText(folder_) << "\n}\n";
    }

  private:
    // The document is opened with the first finding, so that a folder that cannot be listed
    // leaves nothing half-written before the error object.
    void begin() {
        if (!begun_) out_ << "{\n  \"findings\": [";
        begun_ = true;
    }

    // Structure, not strings, holds the line breaks of a dump: strings escape theirs.
    static std::string indented(const std::string& text, std::string_view by) {
        std::string out;
        out.reserve(text.size() + 64);
        for (char c : text) {
            out += c;
            if (c == '\n') out += by;
        }
        return out;
    }

    std::ostream& out_;
    const std::string& folder_;
    bool any_ = false;
    bool begun_ = false;
};

}  // namespace

int refuseCheck(const std::string& folder, const std::string& message, bool json, Services& s) {
    s.err << "tavkonv40: " << message << '\n';
    if (json) s.out << jsonText({{"error", message}, {"folder", folder}}, 2) << '\n';
    return kUsage;
}

int runCheck(const std::string& folder, bool json, Services& s, FolderOutcome* outcome) {
    FindingCounts counts;
    try {
        if (json) {
            JsonSink sink(s.out, folder);
            counts = checkProject(s.fs, folder, sink);
            sink.finish(counts);
        } else {
            TextSink sink(s.out);
            counts = checkProject(s.fs, folder, sink);
            sink.finish(counts);
        }
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot list " << quotedName(e.path()) << ": " << e.cause() << '\n';
        if (json)
            s.out << jsonText({{"error", "cannot list " + e.path() + ": " + e.cause()}, {"folder", folder}}, 2) << '\n';
        return kUsage;
    }
    // The files checked may be half converted; the user needs to hear that before any finding.
    int status = counts.aboveNotes() > 0 ? 1 : 0;
    if (const std::string notice = interruptedRunNotice(s.fs, folder, OwnLock::NotHeld); !notice.empty()) {
        s.err << "tavkonv40: " << notice << '\n';
        status = 1;
    }
    if (outcome) {
        outcome->status = status;
        outcome->findings = counts;
    }
    return status;
}

}  // namespace tavkonv40::cli
