#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

// What the user interface shows of a command: whether it can run and its check mark.
struct CCommandState {
    bool enabled = true;
    std::optional<bool> checked;      // no check mark at all unless an update rule sets one
    std::optional<std::string> text;  // the menu text, when the rule sets one
};

// The commands one object handles: per command id (or range of ids) a handler and an
// optional update rule. A command with a handler and no rule is enabled.
class CCommandMap {
public:
    using Handler = std::function<void()>;
    using Rule = std::function<void(CCommandState&)>;
    using RangeHandler = std::function<void(int id)>;
    using RangeRule = std::function<void(int id, CCommandState&)>;

    // A later registration of the same id replaces the earlier one.
    void Add(int id, Handler handler, Rule rule = {});
    void AddRange(int first, int last, RangeHandler handler, RangeRule rule = {});
    void Remove(int id);

    bool Handles(int id) const { return Find(id) != nullptr; }
    // Runs the handler; false when this map has none for id.
    bool Execute(int id) const;
    // Applies the update rule to state; false when this map has no handler for id.
    bool Update(int id, CCommandState& state) const;

private:
    struct Entry {
        int first;
        int last;
        RangeHandler handler;
        RangeRule rule;
    };
    const Entry* Find(int id) const;

    std::vector<Entry> m_entries;
};

// Anything that takes part in command routing: views, documents, frames, the application.
class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;

    CCommandMap& Commands() { return m_commands; }
    const CCommandMap& Commands() const { return m_commands; }

    // The target asked next about what this one does not handle; a view names its
    // document here.
    virtual CCommandTarget* NextCommandTarget() const { return nullptr; }

private:
    CCommandMap m_commands;
};

// Sends commands along a chain of targets (active view, its document, the child frame,
// the main frame, the application); the first target that handles an id decides.
class CCommandRouter {
public:
    using Chain = std::function<std::vector<CCommandTarget*>()>;

    explicit CCommandRouter(Chain chain) : m_chain(std::move(chain)) {}

    // The state the first handling target gives; disabled when nobody handles id.
    CCommandState Query(int id) const;
    // Runs id when it is handled and enabled; returns whether it ran.
    bool Execute(int id) const;

    // The chain with every target's own followers inserted after it, nulls and repeats
    // left out.
    std::vector<CCommandTarget*> Targets() const;

private:
    CCommandTarget* HandlerOf(int id) const;

    Chain m_chain;
};

}  // namespace kestro
