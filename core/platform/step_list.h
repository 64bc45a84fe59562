#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

namespace kestro {

// The steps of an undo history: those before the position are done, those after it
// undone. A new step drops the steps that could have been redone; the list is bounded
// by the memory its steps hold, the oldest going first but never the newest `minimum`.
// It also keeps which position is the saved state, while that is still in reach.
template <typename Step>
class CStepList {
public:
    CStepList(size_t budget, size_t minimum) : m_budget(budget), m_minimum(minimum) {}

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // The step an undo (redo) runs; the position moves over it.
    Step& StepBack() { return m_steps[--m_position].step; }
    Step& StepForward() { return m_steps[m_position++].step; }
    const Step& Previous() const { return m_steps[m_position - 1].step; }
    const Step& Next() const { return m_steps[m_position].step; }

    void Push(Step step, size_t memory) {
        if (m_saved && *m_saved > m_position) m_saved.reset();
        while (m_steps.size() > m_position) {
            m_memory -= m_steps.back().memory;
            m_steps.pop_back();
        }
        m_memory += memory;
        m_steps.push_back({std::move(step), memory});
        m_position = m_steps.size();
        DropOldSteps();
    }

    // The present position is the saved state.
    void NoteSaved() { m_saved = m_position; }
    bool AtSavedState() const { return m_saved == m_position; }
    // The saved state is none of the list's.
    void ForgetSaved() { m_saved.reset(); }
    // Forgets every step; the present state counts as saved.
    void Clear() {
        m_steps.clear();
        m_position = 0;
        m_memory = 0;
        m_saved = 0;
    }

    size_t UndoCount() const { return m_position; }
    size_t RedoCount() const { return m_steps.size() - m_position; }
    size_t MemoryUse() const { return m_memory; }

private:
    struct CEntry {
        Step step;
        size_t memory = 0;
    };

    void DropOldSteps() {
        while (m_memory > m_budget && m_steps.size() > m_minimum) {
            m_memory -= m_steps.front().memory;
            m_steps.pop_front();
            --m_position;
            if (m_saved) {
                if (*m_saved == 0)
                    m_saved.reset();
                else
                    --*m_saved;
            }
        }
    }

    std::deque<CEntry> m_steps;
    size_t m_position = 0;
    std::optional<size_t> m_saved;  // none: the saved state is out of reach
    size_t m_memory = 0;
    size_t m_budget;
    size_t m_minimum;
};

}  // namespace kestro
