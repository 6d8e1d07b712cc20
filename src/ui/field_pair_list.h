// A list of field pairs: each pair joins a value that lives elsewhere (a
// record field, a window variable: the left side) to a copy of it kept in
// the pair (the right side). A browse keeps its reset fields so, to tell
// whether any of them changed since its list was loaded.
//
// The left sides are reached through the functions given; whatever they
// refer to must outlive the list. Used from the GUI thread only.
#pragma once

#include <functional>
#include <vector>

#include "platform/filter.h"
#include "platform/value.h"

namespace bb {

class FieldPairList {
public:
    using Getter = std::function<Value()>;
    using Setter = std::function<void(const Value&)>;

    void AddPair(Getter left, Setter setLeft) {
        pairs_.push_back({std::move(left), std::move(setLeft), Value()});
    }
    // Every left value into its copy.
    void AssignLeftToRight() {
        for (Pair& p : pairs_) p.right = p.left();
    }
    // Every copy back into its left value.
    void AssignRightToLeft() const {
        for (const Pair& p : pairs_) p.setLeft(p.right);
    }
    // Whether every left value equals its copy.
    bool Equal() const {
        for (const Pair& p : pairs_) {
            if (!sameValue(p.left(), p.right)) return false;
        }
        return true;
    }
    bool Empty() const { return pairs_.empty(); }

private:
    struct Pair {
        Getter left;
        Setter setLeft;
        Value right;
    };
    std::vector<Pair> pairs_;
};

}  // namespace bb
