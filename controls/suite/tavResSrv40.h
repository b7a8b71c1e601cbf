// tavResSrv40: the suite's skin resources in memory device contexts.
//
// Built-in skins are numbered strips of frames (see StaticResource below for
// their geometry).  They are built into the library (skin_artwork.h), read
// once per resource and theme, and handed out as a fresh memory DC per request.
//
// Custom resources are images that the host supplies, registered under a
// name.  The first GetCustomResDc of a name loads the host's image; later
// requests of the same name share that DC; each request is paired with one
// ReleaseCustomResDc(name), and the last release frees it.
#pragma once

#include "controls/suite/gdi.h"

#include <optional>
#include <string>
#include <vector>

namespace tavResSrv40 {

using gdi::HDC;
using gdi::RECT;

constexpr gdi::COLORREF kSkinMaskColour = 0xFF00FF;  // magenta, never drawn

// Geometry of one built-in strip: frames of frameWidth x frameHeight stacked
// vertically, and the margins a skin drawer keeps at their size.
struct StaticResource {
    int number;
    int frameWidth;
    int frameHeight;
    int frames;
    RECT margins;
    const char* description;
    int stripHeight() const { return frameHeight * frames; }
};

// Every built-in resource, in number order.
const std::vector<StaticResource>& StaticResources();
// The geometry of a resource number, or nullopt for an unknown number.
std::optional<StaticResource> FindStaticResource(int number);

// Built-in themes.  Unknown theme numbers draw as theme 0.
enum Theme : int { ThemeBlue = 0, ThemeOlive = 1, ThemeSilver = 2 };
constexpr int kThemeCount = 3;

// A memory DC holding the built-in bitmap `number` in `theme`, or 0 for an
// unknown number.  Release it with ReleaseStaticResDc.
HDC GetStaticResDc(int number, int theme);
// Releases a DC from GetStaticResDc (and its bitmap); false for a DC that
// did not come from there or was already released.
bool ReleaseStaticResDc(HDC dc);

// The DC of the custom image `name`, loading `source` under that name when it
// is not known yet; width and height receive the whole image's size.  0 (and
// 0 x 0) when the name is empty or neither the name nor `source` gives an image.
HDC GetCustomResDc(const gdi::Image& source, const std::u16string& name, int& width, int& height);
// Gives back one request of `name`; false when the name holds none.
bool ReleaseCustomResDc(const std::u16string& name);

// The built-in bitmap itself (for tools and tests); a null image for an
// unknown number.
gdi::Image StaticResourceImage(int number, int theme);

// Number of DCs handed out and not yet released (static and custom requests).
int OutstandingRequests();

}  // namespace tavResSrv40
