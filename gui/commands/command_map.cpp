#include "gui/commands/command_map.h"

#include <algorithm>

namespace kestro {

void CCommandMap::Add(int id, Handler handler, Rule rule) {
    RangeRule rangeRule;
    if (rule) rangeRule = [rule = std::move(rule)](int, CCommandState& s) { rule(s); };
    AddRange(
        id, id, [handler = std::move(handler)](int) { handler(); }, std::move(rangeRule));
}

void CCommandMap::AddRange(int first, int last, RangeHandler handler, RangeRule rule) {
    m_entries.push_back({first, last, std::move(handler), std::move(rule)});
}

void CCommandMap::Remove(int id) {
    std::erase_if(m_entries, [id](const Entry& e) { return e.first == id && e.last == id; });
}

const CCommandMap::Entry* CCommandMap::Find(int id) const {
    // The newest registration wins, so search from the back.
    const auto it = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                 [id](const Entry& e) { return id >= e.first && id <= e.last; });
    return it == m_entries.rend() ? nullptr : &*it;
}

bool CCommandMap::Execute(int id) const {
    const Entry* entry = Find(id);
    if (!entry) return false;
    if (entry->handler) entry->handler(id);
    return true;
}

bool CCommandMap::Update(int id, CCommandState& state) const {
    const Entry* entry = Find(id);
    if (!entry) return false;
    if (entry->rule) entry->rule(id, state);
    return true;
}

std::vector<CCommandTarget*> CCommandRouter::Targets() const {
    std::vector<CCommandTarget*> targets;
    for (CCommandTarget* t : m_chain()) {
        for (; t != nullptr; t = t->NextCommandTarget()) {
            if (std::find(targets.begin(), targets.end(), t) != targets.end()) break;
            targets.push_back(t);
        }
    }
    return targets;
}

CCommandTarget* CCommandRouter::HandlerOf(int id) const {
    for (CCommandTarget* t : Targets())
        if (t->Commands().Handles(id)) return t;
    return nullptr;
}

CCommandState CCommandRouter::Query(int id) const {
    CCommandState state;
    CCommandTarget* target = HandlerOf(id);
    if (!target) {
        state.enabled = false;
        return state;
    }
    target->Commands().Update(id, state);
    return state;
}

bool CCommandRouter::Execute(int id) const {
    CCommandTarget* target = HandlerOf(id);
    if (!target) return false;
    CCommandState state;
    target->Commands().Update(id, state);
    if (!state.enabled) return false;
    return target->Commands().Execute(id);
}

}  // namespace kestro
