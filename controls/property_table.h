// property_table: one row per property of a control drives its setter, its
// read from the host's property bag and its write back.
//
// A row names the property (its property-bag key), the member that holds it
// (and so its type), its default (the same for reading and writing, so a
// value equal to it is not stored), whether it is stored, and the rule its
// setter obeys: `accept` may adjust the value or other state, or refuse the
// value (false); `then` runs once the value is stored (repaint, size
// handling).  A stored property's setter then marks it changed.
//
// A control keeps its rows in one tuple, `Properties()`.
#pragma once

#include "controls/PropertyBag.h"

#include "controls/suite/gdi.h"

#include <tuple>
#include <type_traits>
#include <vector>

namespace property_table {

enum class Storage {
    Stored,     // read and written, marked changed when set
    ReadOnly,   // read from the bag, never written back
    WriteOnly,  // written for the host's sake, never read back
    RunTime,    // set at run time only: neither stored nor marked changed
};

template <class C, class T>
struct Row {
    const char* name;
    T C::*member;
    T defaultValue{};
    Storage storage = Storage::Stored;
    bool (C::*accept)(T&) = nullptr;
    void (C::*then)() = nullptr;
};

// A font's default is the host's font, whatever the row says (`F` is the
// font type the control keeps).
template <class C, class T, class F>
T DefaultOf(const Row<C, T>& row, const F&) {
    return row.defaultValue;
}
template <class C, class F>
F DefaultOf(const Row<C, F>&, const F& hostFont) {
    return hostFont;
}

template <class C, class T>
bool IsRead(const Row<C, T>& row) {
    return row.storage == Storage::Stored || row.storage == Storage::ReadOnly;
}
template <class C, class T>
bool IsWritten(const Row<C, T>& row) {
    return row.storage == Storage::Stored || row.storage == Storage::WriteOnly;
}

// Every readable row's value from `bag` into `target` (defaults where absent).
template <class C, class Table, class F = gdi::Font>
void ReadAll(C& target, const PropertyBag& bag, const Table& table, const F& hostFont = {}) {
    std::apply(
        [&](const auto&... row) {
            ((IsRead(row) ? void(target.*row.member = bag.Read(row.name, DefaultOf(row, hostFont))) : void()), ...);
        },
        table);
}

// Every writable row's value from `source` into `bag`.
template <class C, class Table, class F = gdi::Font>
void WriteAll(const C& source, PropertyBag& bag, const Table& table, const F& hostFont = {}) {
    std::apply(
        [&](const auto&... row) {
            ((IsWritten(row) ? bag.Write(row.name, source.*row.member, DefaultOf(row, hostFont)) : void()), ...);
        },
        table);
}

// Every row's default into `target` (what a new instance starts with).
template <class C, class Table, class F = gdi::Font>
void ResetAll(C& target, const Table& table, const F& hostFont = {}) {
    std::apply([&](const auto&... row) { ((target.*row.member = DefaultOf(row, hostFont)), ...); }, table);
}

// The names of the rows whose values differ between `before` and `after`.
template <class C, class Table>
std::vector<const char*> ChangedNames(const C& before, const C& after, const Table& table) {
    std::vector<const char*> out;
    std::apply(
        [&](const auto&... row) {
            ((before.*row.member == after.*row.member ? void() : out.push_back(row.name)), ...);
        },
        table);
    return out;
}

namespace detail {

template <class C, class T, class RowT, class Visit>
void VisitIfMine(const RowT& row, T C::*member, bool& found, Visit& visit) {
    if constexpr (std::is_same_v<RowT, Row<C, T>>) {
        if (found || row.member != member) return;
        found = true;
        visit(row);
    }
}

}  // namespace detail

// Calls `visit` with the row that holds `member`, if there is one.
template <class Table, class C, class T, class Visit>
void ForRowOf(const Table& table, T C::*member, Visit visit) {
    bool found = false;
    std::apply([&](const auto&... row) { (detail::VisitIfMine(row, member, found, visit), ...); }, table);
}

// The name of the row that holds `member`, or null.
template <class Table, class C, class T>
const char* NameOf(const Table& table, T C::*member) {
    const char* name = nullptr;
    ForRowOf(table, member, [&](const Row<C, T>& row) { name = row.name; });
    return name;
}

// Sets the property held in `member` through its row's rule.  Returns the
// name to mark changed, or null (refused, or a run-time property).
template <class C, class Table, class T>
const char* Set(C& control, const Table& table, T C::*member, T value) {
    const char* marked = nullptr;
    ForRowOf(table, member, [&](const Row<C, T>& row) {
        if (row.accept != nullptr && !(control.*row.accept)(value)) return;
        control.*member = value;
        if (row.then != nullptr) (control.*row.then)();
        if (row.storage != Storage::RunTime) marked = row.name;
    });
    return marked;
}

}  // namespace property_table
