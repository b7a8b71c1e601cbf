#include "dialog/dialog_model.h"

#include "dialog/folder_guard.h"
#include "dialog/form_geometry.h"

#include "engine/conversion_run.h"
#include "engine/file_session.h"

#include <stdexcept>

namespace dialog {

using tavkonv40::Edition;
using tavkonv40::kFamilyCount;
using tavkonv40::kMicrosoftOptionCount;

namespace {

// The families offered only as 4.0: their check box leaves the option pair alone, and
// "Set All To 4.0L" skips their rows.
bool Only40(const tavkonv40::FamilyRecord* family) {
    return family != nullptr && family->offers40L == tavkonv40::Offers40L::No;
}

const char* const kSetAllTo4L = "Set All To 4.0L";
const char* const kSetAllTo40 = "Set All To 4.0";

// A run's host: the form's display, with the model's own cancel flag.
class ModelRunHost : public tavkonv40::RunHost {
  public:
    ModelRunHost(RunDisplay& display, const bool& cancel) : m_display(display), m_cancel(cancel) {}
    void appendLog(std::string_view line, tavkonv40::LogLineKind kind) override { m_display.appendLog(line, kind); }
    void yield() override { m_display.yield(); }
    bool cancelRequested() const override { return m_cancel; }
    // Cancel during the backup copy stops the copy too: nothing has been converted yet.
    bool stopRequested() const override { return m_cancel; }
    bool showsStatus() const override { return true; }
    void setStatus(std::string_view text) override { m_display.setStatus(text); }

  private:
    RunDisplay& m_display;
    const bool& m_cancel;
};

}  // namespace

DialogModel::DialogModel() { loadDefaults(); }

void DialogModel::loadDefaults() {
    m_panel = Panel::Suite;
    m_familyTicked.fill(false);
    m_rowTo40.fill(true);
    m_microsoftTicked.fill(false);
    m_microsoftTo40.fill(true);
    m_enabled.fill(true);
    m_enabled[cmdStart] = m_enabled[cmdHelp] = false;
    m_enabled[cmdClearAllSuite] = m_enabled[cmdClearAllMicrosoft] = false;
    m_suiteSetAllTo4L = m_microsoftSetAllTo4L = true;
    m_folder.clear();
    changed();
}

// ---- panels ------------------------------------------------------------------------------------

void DialogModel::pressTabHeader(double x) {
    using geometry::kTabWidth;
    if (x > 0 && x < kTabWidth)
        m_panel = Panel::Suite;
    else if (x > kTabWidth && x < 2 * kTabWidth + 1)
        m_panel = Panel::Microsoft;
    changed();
}

const char* DialogModel::panelName(Panel panel) {
    return panel == Panel::Suite ? "Nexaria Controls" : "Microsoft Controls";
}

const char* DialogModel::panelExplanation(Panel panel) {
    return panel == Panel::Suite ? "From the controls above, choose any pre-4.0 Nexaria controls you wish converted, "
                                   "along with the version type to convert to."
                                 : "From the controls above, choose any Microsoft Visual Basic controls you wish "
                                   "converted to Nexaria, along with the version type to convert to.";
}

// ---- rows --------------------------------------------------------------------------------------

void DialogModel::setFamilyTicked(int optionIndex, bool ticked) {
    m_familyTicked.at(idx(optionIndex)) = ticked;
    changed();
}

// The click rule, read from the tick: a row's pair follows its family's box, and a 4.0-only
// family's pair stays disabled.
bool DialogModel::rowEnabled(int row) const {
    const tavkonv40::FamilyRecord* family = tavkonv40::familyByOptionRow(row);
    if (family == nullptr) throw std::out_of_range("no family is shown in row " + std::to_string(row));
    return !Only40(family) && m_familyTicked.at(idx(family->optionIndex));
}

void DialogModel::chooseRowEdition(int row, Edition edition) {
    m_rowTo40.at(idx(row)) = edition == Edition::V40;
    changed();
}

void DialogModel::setMicrosoftTicked(int option, bool ticked) {
    m_microsoftTicked.at(idx(option)) = ticked;
    changed();
}

void DialogModel::chooseMicrosoftEdition(int option, Edition edition) {
    m_microsoftTo40.at(idx(option)) = edition == Edition::V40;
    changed();
}

int DialogModel::familyRow(int optionIndex) const {
    const tavkonv40::FamilyRecord* family = tavkonv40::familyByOptionIndex(optionIndex);
    if (family == nullptr) throw std::out_of_range("no family has option index " + std::to_string(optionIndex));
    return family->optionRow;
}

int DialogModel::microsoftSlot(int option) const { return tavkonv40::microsoftOptions().at(idx(option)).slot; }

// ---- commands ------------------------------------------------------------------------------------

CommandEffect DialogModel::press(Command command) {
    if (!commandEnabled(command)) return CommandEffect::None;
    switch (command) {
        case cmdStart: return CommandEffect::StartRun;
        case cmdCloseCancel:
            if (!m_running) return CommandEffect::CloseDialog;
            cancel();
            return CommandEffect::None;
        case cmdHelp: return CommandEffect::None;
        case cmdBrowse: return CommandEffect::ChooseFolder;
        case cmdSelectAllSuite: tickAllFamilies(true); break;
        case cmdClearAllSuite: tickAllFamilies(false); break;
        case cmdSelectAllMicrosoft: tickAllMicrosoft(true); break;
        case cmdClearAllMicrosoft: tickAllMicrosoft(false); break;
        case cmdSetAllSuite: setAllFamilies(); break;
        case cmdSetAllMicrosoft: setAllMicrosoft(); break;
    }
    changed();
    return CommandEffect::None;
}

bool DialogModel::commandEnabled(Command command) const {
    switch (command) {
        case cmdStart: return startEnabled();
        case cmdBrowse: return folderEditable();
        default: return m_enabled.at(idx(command));
    }
}

std::string DialogModel::commandCaption(Command command) const {
    switch (command) {
        case cmdStart: return "Start";
        case cmdCloseCancel: return m_running ? "Cancel" : "Close";
        case cmdHelp: return "Help";
        case cmdSelectAllSuite:
        case cmdSelectAllMicrosoft: return "Select All";
        case cmdClearAllSuite:
        case cmdClearAllMicrosoft: return "Clear All";
        case cmdBrowse: return "...";
        case cmdSetAllSuite: return m_suiteSetAllTo4L ? kSetAllTo4L : kSetAllTo40;
        case cmdSetAllMicrosoft: return m_microsoftSetAllTo4L ? kSetAllTo4L : kSetAllTo40;
    }
    return {};
}

std::optional<Panel> DialogModel::commandPanel(Command command) {
    switch (command) {
        case cmdSelectAllSuite:
        case cmdClearAllSuite:
        case cmdSetAllSuite: return Panel::Suite;
        case cmdSelectAllMicrosoft:
        case cmdClearAllMicrosoft:
        case cmdSetAllMicrosoft: return Panel::Microsoft;
        default: return std::nullopt;
    }
}

// "Select All" and "Clear All" tick every row as a user's clicks would; each row's edition pair
// follows its tick through rowEnabled.
void DialogModel::tickAllFamilies(bool ticked) {
    m_familyTicked.fill(ticked);
    m_enabled[cmdSelectAllSuite] = !ticked;
    m_enabled[cmdClearAllSuite] = ticked;
}

void DialogModel::tickAllMicrosoft(bool ticked) {
    m_microsoftTicked.fill(ticked);
    m_enabled[cmdSelectAllMicrosoft] = !ticked;
    m_enabled[cmdClearAllMicrosoft] = ticked;
}

// Every row's edition changes, ticked or not, enabled or not; "To 4.0L" skips the 4.0-only rows.
void DialogModel::setAllFamilies() {
    for (int r = 0; r < kFamilyCount; ++r)
        if (!m_suiteSetAllTo4L || !Only40(tavkonv40::familyByOptionRow(r))) m_rowTo40[idx(r)] = !m_suiteSetAllTo4L;
    m_suiteSetAllTo4L = !m_suiteSetAllTo4L;
}

void DialogModel::setAllMicrosoft() {
    m_microsoftTo40.fill(!m_microsoftSetAllTo4L);
    m_microsoftSetAllTo4L = !m_microsoftSetAllTo4L;
}

// ---- folder and run ---------------------------------------------------------------------------------

bool DialogModel::setFolder(const std::string& text) {
    if (m_running) {
        changed();  // the form shows the folder the run works on again
        return false;
    }
    m_folder = text;
    changed();
    return true;
}

StartOutcome DialogModel::start(const RunServices& services) {
    if (!startEnabled()) return StartOutcome::Refused;
    services.display.clearLog();
    if (const auto reason = RefusedFolder(services.fs, m_folder)) {
        services.display.appendLog(tavkonv40::errorLine(*reason), tavkonv40::LogLineKind::Error);
        return StartOutcome::FolderRefused;
    }
    m_cancel = false;
    m_running = true;
    changed();
    ModelRunHost host(services.display, m_cancel);
    tavkonv40::RunEnvironment env{services.fs, host, *this, services.clock};
    try {
        tavkonv40::RunConversion(env, m_runState, m_folder);
    } catch (...) {
        m_running = false;
        changed();
        throw;
    }
    m_running = false;
    changed();
    return StartOutcome::Ran;
}

void DialogModel::cancel() {
    if (!m_running) return;
    m_cancel = true;
    m_cancelledOnce = true;
}

void DialogModel::runStep(const RunServices& services, const std::string& path, void (*step)(tavkonv40::StepContext&)) {
    ModelRunHost host(services.display, m_cancel);
    tavkonv40::FileSession session(services.fs, path, *this, host, m_runState);
    session.run(step);
    session.finish();
}

}  // namespace dialog
