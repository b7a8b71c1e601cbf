// DialogModel: everything the conversion dialog decides, without a widget.
//
// The option rows, the commands and their captions, the folder text, which
// panel is shown, and the run: whether one is going on, whether it was asked
// to stop, and starting one.  The form renders this state and forwards the
// user's clicks and typing here; the engine reads the options from here,
// live, while a run goes on (a click made at one of the run's yields reaches
// the files converted after it).
//
// One run at a time: while a run goes on, Start is disabled whatever happens
// to the folder, the folder cannot be changed, and start() returns at once.
// Every run begins with its cancel flag cleared; cancelledOnce() remembers,
// for the life of the model, that some run was cancelled.
#pragma once

#include "engine/file_system.h"
#include "engine/options.h"
#include "engine/run_host.h"
#include "engine/step_context.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace dialog {

inline constexpr int kCommandCount = 10;

// The dialog's command buttons, by their index in the form's button array.
enum Command : int {
    cmdStart = 0,
    cmdCloseCancel = 1,
    cmdHelp = 2,
    cmdSelectAllSuite = 3,
    cmdClearAllSuite = 4,
    cmdBrowse = 5,
    cmdSelectAllMicrosoft = 6,
    cmdClearAllMicrosoft = 7,
    cmdSetAllMicrosoft = 8,
    cmdSetAllSuite = 9,
};

// Which option panel is shown.
enum class Panel : short { Suite = 0, Microsoft = 1 };

// What pressing a command leaves for the form to do.
enum class CommandEffect { None, StartRun, CloseDialog, ChooseFolder };

// How a press of Start ended.
enum class StartOutcome { Ran, Refused, FolderRefused };

// Where a run's lines go: the form's log list and status label.
class RunDisplay {
  public:
    virtual ~RunDisplay() = default;
    virtual void clearLog() = 0;
    virtual void appendLog(std::string_view line, tavkonv40::LogLineKind kind) = 0;
    // Lets pending clicks and paints through once.
    virtual void yield() = 0;
    virtual void setStatus(std::string_view text) = 0;
};

// What a run needs besides the model: the files, the display and the clock.
struct RunServices {
    tavkonv40::FileSystem& fs;
    RunDisplay& display;
    tavkonv40::Clock& clock;
};

class DialogModel : public tavkonv40::OptionsSource {
  public:
    DialogModel();

    // Called after every change of state the form shows.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    // The state of a freshly loaded form: nothing ticked, every row on 4.0 and disabled, no
    // folder, the suite panel.  What runs have happened is kept.
    void loadDefaults();

    // ---- panels ----------------------------------------------------------------------------
    Panel selectedPanel() const { return m_panel; }
    // A press on the tab header at x: left of 155 the suite panel, from 155 to 311 the
    // Microsoft panel; exactly 155, or beyond, changes nothing.
    void pressTabHeader(double x);
    static const char* panelName(Panel panel);
    // The text under each panel that says what its rows are for.
    static const char* panelExplanation(Panel panel);

    // ---- suite rows (by option index k and option row r) -------------------------------------
    bool familyTicked(int optionIndex) const { return m_familyTicked.at(idx(optionIndex)); }
    // Ticks or clears chkProp(k). Its click rule is read from the tick: the row's pair follows
    // it, except for the families offered only as 4.0, whose pair stays disabled.
    void setFamilyTicked(int optionIndex, bool ticked);
    bool rowEnabled(int row) const;
    void chooseRowEdition(int row, tavkonv40::Edition edition);

    // ---- Microsoft rows ----------------------------------------------------------------------
    bool microsoftTicked(int option) const { return m_microsoftTicked.at(idx(option)); }
    void setMicrosoftTicked(int option, bool ticked);
    bool microsoftEnabled(int option) const { return microsoftTicked(option); }
    void chooseMicrosoftEdition(int option, tavkonv40::Edition edition);

    // ---- commands ------------------------------------------------------------------------------
    CommandEffect press(Command command);
    bool commandEnabled(Command command) const;
    std::string commandCaption(Command command) const;
    // The panel an option command (Select All, Clear All, Set All) works on, shown only with it;
    // nothing for the others.
    static std::optional<Panel> commandPanel(Command command);

    // ---- folder --------------------------------------------------------------------------------
    const std::string& folder() const { return m_folder; }
    bool folderEditable() const { return !m_running; }
    // The folder box's new text; refused (false) while a run goes on.
    bool setFolder(const std::string& text);
    // The text the folder chooser shows above its tree.
    static const char* folderChooserText() { return "Select a Folder"; }

    // ---- the run -------------------------------------------------------------------------------
    bool running() const { return m_running; }
    bool startEnabled() const { return !m_running && !m_folder.empty(); }
    // Runs the conversion on the folder, unless a run is going on or Start is disabled
    // (Refused), or the folder is one no run may touch (an error line, no run).
    StartOutcome start(const RunServices& services);
    // "Cancel": the run stops at its next test.  Nothing outside a run.
    void cancel();
    bool cancelRequested() const { return m_cancel; }
    bool cancelledOnce() const { return m_cancelledOnce; }
    // One conversion step on one file with these options, outside a run.
    void runStep(const RunServices& services, const std::string& path, void (*step)(tavkonv40::StepContext&));

    // ---- the options the engine reads ------------------------------------------------------------
    bool familySelected(int optionIndex) const override { return familyTicked(optionIndex); }
    int familyRow(int optionIndex) const override;
    bool rowTo40(int row) const override { return m_rowTo40.at(idx(row)); }
    bool microsoftSelected(int option) const override { return microsoftTicked(option); }
    bool microsoftTo40(int option) const override { return m_microsoftTo40.at(idx(option)); }
    int microsoftSlot(int option) const override;

  private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    void changed() const {
        if (m_onChange) m_onChange();
    }
    void tickAllFamilies(bool ticked);
    void tickAllMicrosoft(bool ticked);
    void setAllFamilies();
    void setAllMicrosoft();

    Panel m_panel = Panel::Suite;
    std::array<bool, tavkonv40::kFamilyCount> m_familyTicked{};  // by option index
    std::array<bool, tavkonv40::kFamilyCount> m_rowTo40{};       // by option row
    std::array<bool, tavkonv40::kMicrosoftOptionCount> m_microsoftTicked{};
    std::array<bool, tavkonv40::kMicrosoftOptionCount> m_microsoftTo40{};
    std::array<bool, kCommandCount> m_enabled{};
    // The next "Set All" of each panel: towards 4.0L (caption "Set All To 4.0L") or back.
    bool m_suiteSetAllTo4L = true;
    bool m_microsoftSetAllTo4L = true;

    std::string m_folder;
    bool m_running = false;
    bool m_cancel = false;
    bool m_cancelledOnce = false;
    tavkonv40::RunState m_runState;
    std::function<void()> m_onChange;
};

}  // namespace dialog
