#include "engine/form_headers.h"

#include "engine/anchored_lines.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/form_header_table.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

// Every recognised name, mapped to its row. Names never contain a double quote, so a line can
// end with at most one quoted name: looking up the text between the line's last two quotes gives
// the same family as trying every name of every family in table order. The names are unique
// across families (the table test holds that), so the family found first is the only candidate.
class HeaderNameIndex {
  public:
    HeaderNameIndex() {
        for (const auto& row : formHeaderNameRows()) {
            for (std::string_view edition : row.editions) {
                if (edition.empty()) break;
                names_.push_back(controlFileName(row.stem, edition));
            }
        }
        // names_ no longer grows: the views below stay valid.
        std::size_t i = 0;
        for (const auto& row : formHeaderNameRows()) {
            for (std::string_view edition : row.editions) {
                if (edition.empty()) break;
                index_.emplace(names_[i++], &row);
            }
        }
    }

    // The row whose name the line ends with in quotes, or nullptr.
    const HeaderNameRow* find(std::string_view line) const {
        // Every name ends in ".ocx", so a line that does not end with .ocx" names none of them.
        constexpr std::string_view kTail = ".ocx\"";
        if (line.size() < kTail.size() + 1 || line.substr(line.size() - kTail.size()) != kTail) return nullptr;
        const std::size_t open = line.rfind('"', line.size() - 2);
        if (open == std::string_view::npos) return nullptr;
        const std::string_view name = line.substr(open + 1, line.size() - open - 2);
        const auto it = index_.find(name);
        return it == index_.end() ? nullptr : it->second;
    }

  private:
    std::vector<std::string> names_;
    std::unordered_map<std::string_view, const HeaderNameRow*> index_;
};

const HeaderNameIndex& headerNameIndex() {
    static const HeaderNameIndex index;
    return index;
}

}  // namespace

void ConvertFormHeaders(StepContext& ctx) {
    const auto& index = headerNameIndex();
    // Both tests must pass: only lines holding "Object = " are looked at.
    forEachLineHolding(ctx, "Object = ", LetterCase::Ignore, [&](std::size_t n, std::string_view line) {
        const HeaderNameRow* row = index.find(line);
        // A family whose name matched but whose box is clear is passed over; no later family
        // can match the same line.
        if (row == nullptr || !ctx.options.familySelected(row->optionIndex)) return;
        const int optionRow = ctx.options.familyRow(row->optionIndex);
        WriteFormHeaderLine(ctx, n, row->slot, ctx.options.rowEdition(optionRow));
    });
}

}  // namespace tavkonv40
