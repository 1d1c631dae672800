// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"

#include <QList>
#include <optional>

namespace corvane {

class LayoutManager;

// The order of the layouts (the one `corvane --list` prints: No Layout, Focus, the templates,
// the custom layouts) and the layout keys 1 to 9 that reach them. A layout has the key the user
// gave it (or none, if so given); otherwise the key of its place in that order, unless another
// layout was given that key.
class LayoutKeys {
public:
    static constexpr int keyCount = 9;

    explicit LayoutKeys(LayoutManager& manager) : manager_(manager) {}

    QList<ScreenLayout> orderedLayouts() const;
    // The layout holding the key (1 to 9), if any.
    std::optional<ScreenLayout> layoutForKey(int key) const;
    // The key of the layout, 1 to 9, or 0 when it has none.
    int keyOf(const ScreenLayout& layout) const;
    // Gives the layout the key (0: none); a layout given that key before gives it up. False
    // when it could not be saved.
    bool setKey(const ScreenLayout& layout, int key);
    // The layout `step` places after `from` in the order (before it for a negative step),
    // round from the last to the first.
    ScreenLayout stepFrom(const ScreenLayout& from, int step) const;

    // The key of each layout of the order (as orderedLayouts gives it), 0 for none.
    QList<int> keysOf(const QList<ScreenLayout>& layouts) const;

private:
    // The key each layout of the order was given, if any.
    QList<std::optional<int>> givenKeys(const QList<ScreenLayout>& layouts) const;

    LayoutManager& manager_;
};

} // namespace corvane
