#include "testing/corpus.h"

#include <array>
#include <fstream>
#include <random>

#include "engine/catalogue.h"

namespace tavkonv40::corpus {

namespace {

constexpr std::array<const char*, 9> kEditions = {"", "20", "20T", "21", "30", "40B", "40", "40L", "21T"};

enum class Font { No, Yes };

struct MsControl {
    const char* begin;
    Font font;
};

constexpr MsControl kMicrosoft[] = {
    {"VB.CommandButton", Font::Yes},  {"VB.CheckBox", Font::Yes},          {"VB.OptionButton", Font::Yes},
    {"VB.TextBox", Font::Yes},        {"VB.ComboBox", Font::Yes},          {"VB.Frame", Font::Yes},
    {"VB.Label", Font::Yes},          {"VB.ListBox", Font::Yes},           {"VB.VScrollBar", Font::No},
    {"VB.HScrollBar", Font::No},      {"MSComctlLib.ListView", Font::Yes}, {"MSComctlLib.ProgressBar", Font::No},
    {"MSComctlLib.Slider", Font::No}, {"MSComCtl2.UpDown", Font::No},      {"MSComCtl2.DTPicker", Font::Yes},
};

class Gen {
  public:
    explicit Gen(std::uint64_t seed) : rng_(seed) {}
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
    bool chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }
    std::string guid() {
        static const char* hex = "0123456789ABCDEF";
        std::string g;
        for (int i = 0; i < 32; ++i) {
            if (i == 8 || i == 12 || i == 16 || i == 20) g += '-';
            g += hex[pick(16)];
        }
        return g;
    }

  private:
    std::mt19937_64 rng_;
};

const FamilyRecord& anyFamily(Gen& g) { return families()[g.pick(families().size())]; }

std::string edition(Gen& g) { return kEditions[g.pick(kEditions.size())]; }

void font(std::string& out, const std::string& indent, bool braced) {
    out += indent +
           (braced ? "BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} \r\n" : "BeginProperty Font \r\n");
    for (const char* property : {"Name            =   \"Tahoma\"", "Size            =   8.25", "Charset         =   0",
                                 "Weight          =   400", "Underline       =   0   'False",
                                 "Italic          =   0   'False", "Strikethrough   =   0   'False"})
        out += indent + "   " + property + "\r\n";
    out += indent + "EndProperty\r\n";
}

void geometry(std::string& out, const std::string& indent, Gen& g, int tab) {
    out += indent + "Height          =   " + std::to_string(255 + g.pick(2000)) + "\r\n";
    out += indent + "Left            =   " + std::to_string(g.pick(9000)) + "\r\n";
    out += indent + "TabIndex        =   " + std::to_string(tab) + "\r\n";
    out += indent + "Top             =   " + std::to_string(g.pick(7000)) + "\r\n";
    out += indent + "Width           =   " + std::to_string(255 + g.pick(4000)) + "\r\n";
}

void suiteControl(std::string& out, const std::string& indent, Gen& g, int n) {
    const auto& f = anyFamily(g);
    const std::string ed = edition(g);
    const std::string cls(f.classes[g.pick(f.classes[1].empty() ? 1 : 2)]);
    out += indent + "Begin " + std::string(f.libraryBase) + ed + "." + cls + ed + " ctl" + std::to_string(n) + " \r\n";
    geometry(out, indent + "   ", g, n);
    out += indent + "   _ExtentX        =   " + std::to_string(g.pick(9000)) + "\r\n";
    out += indent + "   _ExtentY        =   " + std::to_string(g.pick(9000)) + "\r\n";
    if (g.chance(30)) out += indent + "   Caption         =   \"Item " + std::to_string(n) + "\"\r\n";
    out += indent + "End\r\n";
}

void microsoftControl(std::string& out, const std::string& indent, Gen& g, int n) {
    const auto& c = kMicrosoft[g.pick(std::size(kMicrosoft))];
    out += indent + "Begin " + c.begin + " ms" + std::to_string(n) + " \r\n";
    const std::string in = indent + "   ";
    if (g.chance(50)) out += in + "Caption         =   \"" + (g.chance(10) ? "End" : "Caption") + "\"\r\n";
    if (c.font == Font::Yes) font(out, in, std::string(c.begin).rfind("MSComCtl", 0) == 0);
    geometry(out, in, g, n);
    if (std::string(c.begin) == "VB.TextBox") {
        if (g.chance(30)) out += in + "MultiLine       =   -1  'True\r\n";
        out += in + "Text            =   \"Text " + std::to_string(n) + "\"\r\n";
    }
    if (std::string(c.begin) == "MSComctlLib.Slider" && g.chance(40)) out += in + "Orientation     =   1\r\n";
    out += indent + "End\r\n";
}

void header(std::string& out, Gen& g, int refs) {
    out += "VERSION 5.00\r\n";
    for (int i = 0; i < refs; ++i) {
        const auto& f = anyFamily(g);
        out += "Object = \"{" + g.guid() + "}#1.0#0\"; \"" + std::string(f.ocxBase) + edition(g) + ".ocx\"\r\n";
    }
    out += "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n";
    out += "Object = \"{86CF1D34-0C5F-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCT2.OCX\"\r\n";
}

void code(std::string& out, Gen& g, int count) {
    out += "Option Explicit\r\n\r\n";
    for (int i = 0; i < count; ++i) {
        const auto& f = anyFamily(g);
        const std::string ed = edition(g);
        out += "Private WithEvents m_obj" + std::to_string(i) + " As " + std::string(f.libraryBase) + ed + "." +
               std::string(f.classes[0]) + ed + "\r\n";
        out += "Private Sub ctl" + std::to_string(i) + "_Click()\r\n";
        out += "    Debug.Print \"clicked " + std::to_string(i) + "\"\r\n";
        out += "End Sub\r\n\r\n";
    }
}

}  // namespace

std::string makeForm(std::uint64_t seed, const std::string& name, const FormShape& shape) {
    Gen g(seed);
    std::string out;
    out.reserve(shape.targetBytes + 4096);
    header(out, g, 6 + static_cast<int>(g.pick(10)));
    out += "Begin VB.Form " + name + " \r\n";
    out += "   Caption         =   \"" + name + "\"\r\n";
    out += "   ClientHeight    =   6345\r\n   ClientWidth     =   9180\r\n";
    int n = 0;
    while (out.size() < shape.targetBytes * 8 / 10) {
        if (g.chance(10)) {  // a frame holding controls
            out += "   Begin VB.Frame fra" + std::to_string(n) + " \r\n";
            font(out, "      ", false);
            geometry(out, "      ", g, n++);
            for (int k = 0; k < 4; ++k)
                g.chance(50) ? suiteControl(out, "      ", g, n++) : microsoftControl(out, "      ", g, n++);
            out += "   End\r\n";
        } else if (g.chance(55)) {
            suiteControl(out, "   ", g, n++);
        } else {
            microsoftControl(out, "   ", g, n++);
        }
    }
    out += "End\r\nAttribute VB_Name = \"" + name + "\"\r\n";
    while (out.size() < shape.targetBytes) code(out, g, 20);
    return out;
}

std::string makeUserControl(std::uint64_t seed, const std::string& name, std::size_t targetBytes) {
    Gen g(seed);
    std::string out;
    header(out, g, 3);
    out += "Begin VB.UserControl " + name + " \r\n";
    int n = 0;
    while (out.size() < targetBytes * 7 / 10) suiteControl(out, "   ", g, n++);
    out += "End\r\nAttribute VB_Name = \"" + name + "\"\r\n";
    while (out.size() < targetBytes) code(out, g, 10);
    return out;
}

std::string makeProject(std::uint64_t seed, int forms, int userControls) {
    Gen g(seed);
    std::string out = "Type=Exe\r\n";
    out +=
        "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\..\\Windows\\System32\\stdole2.tlb#OLE "
        "Automation\r\n";
    for (const auto& f : families())
        out += "Object={" + g.guid() + "}#1.0#0; " + std::string(f.ocxBase) + edition(g) + ".ocx\r\n";
    out += "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n";
    for (int i = 0; i < forms; ++i) out += "Form=Form" + std::to_string(i) + ".frm\r\n";
    for (int i = 0; i < userControls; ++i) out += "UserControl=Ctl" + std::to_string(i) + ".ctl\r\n";
    out += "Startup=\"Form0\"\r\nName=\"Generated\"\r\n";
    return out;
}

std::string makeDenseForm(std::uint64_t seed, std::size_t controls) {
    Gen g(seed);
    std::string out;
    header(out, g, 40);
    out += "Begin VB.Form Dense \r\n";
    for (std::size_t i = 0; i < controls; ++i) {
        const auto& f = anyFamily(g);
        const std::string ed = edition(g);
        out += "   Begin " + std::string(f.libraryBase) + ed + "." + std::string(f.classes[0]) + ed + " c" +
               std::to_string(i) + " \r\n";
        out += "      Caption         =   \"A reasonably long caption " + std::to_string(i) +
               " to make the file about twenty megabytes\"\r\n";
        out += "      Tag             =   \"" + std::to_string(i * 7919) + "\"\r\n";
        out += "   End\r\n";
    }
    out += "End\r\nAttribute VB_Name = \"Dense\"\r\n";
    return out;
}

std::uintmax_t writeFolder(const std::filesystem::path& folder, std::uint64_t seed, const FolderShape& shape) {
    std::filesystem::create_directories(folder);
    std::uintmax_t total = 0;
    auto put = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        total += bytes.size();
    };
    for (int i = 0; i < shape.forms; ++i) {
        const std::string name = "Form" + std::to_string(i);
        put(name + ".frm", makeForm(seed * 1000003 + static_cast<std::uint64_t>(i), name, {shape.formBytes}));
    }
    for (int i = 0; i < shape.userControls; ++i) {
        const std::string name = "Ctl" + std::to_string(i);
        put(name + ".ctl", makeUserControl(seed * 7 + static_cast<std::uint64_t>(i), name, shape.formBytes / 4));
    }
    for (int i = 0; i < shape.projects; ++i)
        put("Project" + std::to_string(i) + ".vbp",
            makeProject(seed + static_cast<std::uint64_t>(i), shape.forms, shape.userControls));
    return total;
}

}  // namespace tavkonv40::corpus
