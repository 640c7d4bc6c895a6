#pragma once

#include "core/LineStore.h"

#include <optional>
#include <vector>

namespace dolmex {

// Where the user jumped from, as a browser keeps it: each jump puts the row left behind on
// the back list and forgets what lay ahead; going back and forth moves rows between the two
// lists. The rows follow inserted and removed lines, so going back lands on the same line.
class NavigationHistory : private LineStoreObserver {
public:
    // At most this many rows are kept on each side; the oldest go first.
    static constexpr std::size_t kDepth = 200;

    explicit NavigationHistory(LineStore& store);
    ~NavigationHistory() override;
    NavigationHistory(const NavigationHistory&) = delete;
    NavigationHistory& operator=(const NavigationHistory&) = delete;

    // A jump from row `from` to row `to`; a jump that stays on its row is none.
    void jumped(int from, int to);
    // The row to go back (or forward) to from row `current`, or nothing when the list is
    // empty; `current` goes onto the other list.
    std::optional<int> back(int current);
    std::optional<int> forward(int current);
    bool canGoBack() const { return !m_back.empty(); }
    bool canGoForward() const { return !m_forward.empty(); }
    const std::vector<int>& backRows() const { return m_back; }
    const std::vector<int>& forwardRows() const { return m_forward; }
    void clear();

private:
    std::optional<int> step(std::vector<int>& from, std::vector<int>& to, int current);
    void lineStoreChanged(const LineStoreChange& change) override;

    LineStore& m_store;
    std::vector<int> m_back;    // the most recent last
    std::vector<int> m_forward; // the nearest last
};

} // namespace dolmex
