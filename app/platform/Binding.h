#pragma once

#include "app/platform/Published.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace lumenscroll {

// Two-way access to a value stored elsewhere: what a view hands to a sheet or a row so that
// the choice made there is written back where the value lives. A write through a binding to
// a published field is an ordinary write of that field (announced once, before the change).
template <class T> class Binding {
public:
    using Getter = std::function<T()>;
    using Setter = std::function<void(const T&)>;

    Binding(Getter get, Setter set)
        : get_(std::move(get))
        , set_(std::move(set)) {}

    // A fixed value; writes are ignored.
    static Binding constant(T value) {
        auto held = std::make_shared<const T>(std::move(value));
        return Binding([held] { return *held; }, [](const T&) {});
    }

    // A plain variable owned by the caller, which must outlive the binding.
    static Binding to(T& variable) {
        return Binding([&variable] { return variable; }, [&variable](const T& value) { variable = value; });
    }

    static Binding to(Published<T>& field) {
        return Binding([&field] { return field.get(); }, [&field](const T& value) { field.set(value); });
    }

    // Element `index` of a published list. A missing element (the list shrank, or the index
    // was never valid) reads as `fallback` and ignores writes, rather than reaching outside
    // the list.
    static Binding element(Published<std::vector<T>>& list, std::ptrdiff_t index, T fallback = T{}) {
        auto missing = std::make_shared<const T>(std::move(fallback));
        return Binding(
            [&list, index, missing] {
                return isIndex(list.get(), index) ? list.get()[toSize(index)] : *missing;
            },
            [&list, index](const T& value) {
                if (isIndex(list.get(), index)) {
                    list.modify([&](std::vector<T>& items) { items[toSize(index)] = value; });
                }
            });
    }

    // Element `index` of a list reached through another binding, with the same bounds rule.
    static Binding element(Binding<std::vector<T>> list, std::ptrdiff_t index, T fallback = T{}) {
        auto missing = std::make_shared<const T>(std::move(fallback));
        return Binding(
            [list, index, missing] {
                std::vector<T> items = list.get();
                return isIndex(items, index) ? items[toSize(index)] : *missing;
            },
            [list, index](const T& value) {
                std::vector<T> items = list.get();
                if (isIndex(items, index)) {
                    items[toSize(index)] = value;
                    list.set(items);
                }
            });
    }

    T get() const { return get_(); }
    T operator()() const { return get_(); }
    void set(const T& value) const { set_(value); }

private:
    static bool isIndex(const std::vector<T>& items, std::ptrdiff_t index) {
        return index >= 0 && toSize(index) < items.size();
    }
    static std::size_t toSize(std::ptrdiff_t index) { return static_cast<std::size_t>(index); }

    Getter get_;
    Setter set_;
};

} // namespace lumenscroll
