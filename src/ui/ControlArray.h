#pragma once

#include <map>
#include <vector>

namespace ui {

// Controls of one kind and role under one name, each at the index its screen
// gives it, as a form designer numbers them: a screen may leave indices out
// (headings 0, 1 and 3 only) and create them in any order.
template <typename Control> class ControlArray {
public:
    void add(int index, Control* control) {
        byIndex[index] = control;
        inOrder.clear();
        for (const auto& [i, c] : byIndex)
            inOrder.push_back(c);
    }
    // The control of this index, which the screen must have.
    Control* operator[](int index) const { return byIndex.at(index); }
    bool contains(int index) const { return byIndex.count(index) > 0; }
    int size() const { return static_cast<int>(inOrder.size()); }
    // The controls in the order of their indices.
    auto begin() const { return inOrder.begin(); }
    auto end() const { return inOrder.end(); }

private:
    std::map<int, Control*> byIndex;
    std::vector<Control*> inOrder;
};

} // namespace ui
