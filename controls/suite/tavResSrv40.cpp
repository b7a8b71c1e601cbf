#include "controls/suite/tavResSrv40.h"

#include "controls/suite/skin_artwork.h"

#include <cstdint>
#include <map>

namespace tavResSrv40 {
namespace {

struct CustomEntry {
    HDC dc = 0;
    gdi::HBITMAP bitmap = 0;
    gdi::HBITMAP previous = 0;
    int width = 0;
    int height = 0;
    int requests = 0;
};

struct StaticEntry {
    gdi::HBITMAP bitmap = 0;
    gdi::HBITMAP previous = 0;
};

struct Server {
    std::map<std::uint64_t, gdi::Image> strips;  // (number, theme) -> decoded strip
    std::map<HDC, StaticEntry> statics;          // DCs handed out by GetStaticResDc
    std::map<std::u16string, CustomEntry> customs;
};

Server& server() {
    static Server s;
    return s;
}

int normalisedTheme(int theme) { return theme >= 0 && theme < kThemeCount ? theme : 0; }

}  // namespace

gdi::Image StaticResourceImage(int number, int theme) {
    const auto res = FindStaticResource(number);
    if (!res) return {};
    theme = normalisedTheme(theme);
    const std::uint64_t key = (static_cast<std::uint64_t>(number) << 8) | static_cast<std::uint64_t>(theme);
    auto& strips = server().strips;
    auto it = strips.find(key);
    if (it == strips.end()) it = strips.emplace(key, skin_artwork::Strip(number, theme)).first;
    return it->second;
}

HDC GetStaticResDc(int number, int theme) {
    const gdi::Image strip = StaticResourceImage(number, theme);
    if (strip.IsNull()) return 0;
    StaticEntry e;
    e.bitmap = gdi::CreateBitmap(strip);
    const HDC dc = gdi::CreateCompatibleDC();
    e.previous = gdi::SelectBitmap(dc, e.bitmap);
    server().statics.emplace(dc, e);
    return dc;
}

bool ReleaseStaticResDc(HDC dc) {
    auto it = server().statics.find(dc);
    if (it == server().statics.end()) return false;
    gdi::SelectBitmap(dc, it->second.previous);
    gdi::DeleteDC(dc);
    gdi::DeleteBitmap(it->second.bitmap);
    server().statics.erase(it);
    return true;
}

HDC GetCustomResDc(const gdi::Image& source, const std::u16string& name, int& width, int& height) {
    width = height = 0;
    if (name.empty()) return 0;
    auto& customs = server().customs;
    auto it = customs.find(name);
    if (it == customs.end()) {
        if (source.IsNull()) return 0;
        CustomEntry e;
        e.bitmap = gdi::CreateBitmap(source);
        e.dc = gdi::CreateCompatibleDC();
        e.previous = gdi::SelectBitmap(e.dc, e.bitmap);
        e.width = source.width;
        e.height = source.height;
        it = customs.emplace(name, e).first;
    }
    CustomEntry& e = it->second;
    ++e.requests;
    width = e.width;
    height = e.height;
    return e.dc;
}

bool ReleaseCustomResDc(const std::u16string& name) {
    auto& customs = server().customs;
    auto it = customs.find(name);
    if (it == customs.end()) return false;
    CustomEntry& e = it->second;
    if (--e.requests > 0) return true;
    gdi::SelectBitmap(e.dc, e.previous);
    gdi::DeleteDC(e.dc);
    gdi::DeleteBitmap(e.bitmap);
    customs.erase(it);
    return true;
}

int OutstandingRequests() {
    int n = static_cast<int>(server().statics.size());
    for (const auto& [name, c] : server().customs) n += c.requests;
    return n;
}

}  // namespace tavResSrv40
