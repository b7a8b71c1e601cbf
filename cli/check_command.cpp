#include "check_command.h"

#include <nlohmann/json.hpp>

#include <ostream>

#include "project_check.h"

namespace tavkonv40::cli {

namespace {

void printLocation(const Finding& f, std::ostream& out) {
    out << f.file;
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
std::string jsonText(const nlohmann::json& value, int indent = -1) {
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Writes the document a pretty-printed {"counts", "findings", "folder"} object would give, one
// finding at a time. The counts come first, so they are known before the findings are.
class JsonSink final : public FindingSink {
public:
    JsonSink(std::ostream& out, const std::string& folder, const FindingCounts& c) : out_(out), folder_(folder) {
        const nlohmann::json counts = {{"error", c.errors}, {"warning", c.warnings}, {"note", c.notes}};
        out_ << "{\n  \"counts\": " << indented(jsonText(counts, 2), "  ") << ",\n  \"findings\": [";
    }

    void fileFindings(const std::vector<Finding>& findings) override {
        for (const auto& f : findings) {
            const nlohmann::json item = {{"file", f.file},
                                         {"line", f.line},
                                         {"severity", severityName(f.severity)},
                                         {"kind", kindName(f.kind)},
                                         {"message", f.message},
                                         {"advice", f.advice}};
            out_ << (any_ ? ",\n    " : "\n    ") << indented(jsonText(item, 2), "    ");
            any_ = true;
        }
    }

    void finish() {
        out_ << (any_ ? "\n  ],\n" : "],\n") << "  \"folder\": " << jsonText(folder_) << "\n}\n";
    }

private:
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
};

}  // namespace

int runCheck(const std::string& folder, bool json, Services& s) {
    FindingCounts counts;
    try {
        if (json) {
            // The document starts with the counts: count first, then write the findings.
            const auto total = countFindings(s.fs, folder);
            JsonSink sink(s.out, folder, total);
            counts = checkProject(s.fs, folder, sink);
            sink.finish();
        } else {
            TextSink sink(s.out);
            counts = checkProject(s.fs, folder, sink);
            sink.finish(counts);
        }
    } catch (const FileError& e) {
        s.err << "tavkonv40: cannot list " << e.path() << ": " << e.cause() << '\n';
        return kUsage;
    }
    return counts.aboveNotes() > 0 ? 1 : 0;
}

}  // namespace tavkonv40::cli
