// The geometry of the built-in strips, apart from their pictures: the
// generator that draws the pictures needs it before any picture exists.
#include "controls/suite/tavResSrv40.h"

#include <algorithm>

namespace tavResSrv40 {
namespace {

const std::vector<StaticResource> kResources = {
    {1001, 13, 13, 12, {0, 0, 0, 0}, "check box glyph"},
    {1006, 13, 13, 12, {4, 4, 4, 4}, "option button glyph"},
    {1100, 18, 21, 8, {8, 9, 8, 9}, "push button, style 1"},
    {1364, 9, 9, 16, {0, 0, 0, 0}, "scroll arrow glyphs"},
    {1367, 17, 17, 16, {5, 5, 5, 5}, "scroll arrow buttons"},
    {1379, 17, 17, 4, {1, 1, 0, 0}, "scroll shaft"},
    {1382, 17, 22, 4, {5, 5, 5, 5}, "scroll thumb"},
    {1385, 8, 8, 4, {0, 0, 0, 0}, "scroll thumb gripper"},
    {1496, 20, 23, 6, {4, 4, 4, 4}, "push button, style 2"},
    {1499, 23, 22, 6, {2, 2, 2, 2}, "push button, style 0"},
    {1511, 5, 3, 7, {0, 0, 0, 0}, "drop arrow, style 2"},
    {1514, 5, 3, 7, {0, 0, 0, 0}, "drop arrow, style 0"},
    {1517, 11, 23, 6, {2, 4, 4, 4}, "drop part, style 2"},
    {1520, 16, 22, 7, {2, 2, 2, 2}, "drop part, style 0"},
    {1523, 24, 23, 6, {4, 2, 4, 4}, "split button body, style 2"},
    {1526, 23, 22, 7, {2, 2, 2, 2}, "split button body, style 0"},
};

}  // namespace

const std::vector<StaticResource>& StaticResources() { return kResources; }

std::optional<StaticResource> FindStaticResource(int number) {
    auto it =
        std::find_if(kResources.begin(), kResources.end(), [&](const StaticResource& r) { return r.number == number; });
    if (it == kResources.end()) return std::nullopt;
    return *it;
}

}  // namespace tavResSrv40
