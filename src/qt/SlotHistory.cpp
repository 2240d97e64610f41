#include "SlotHistory.h"

#include "app/Limits.h"

namespace tavimor {

void SlotHistory::replaced(std::string text, std::size_t shownBytes)
{
    for (const std::string& undone : m_redo)
        m_held -= undone.size();
    m_redo.clear();
    m_held += text.size();
    m_undo.push_back(std::move(text));
    bound(shownBytes);
}

void SlotHistory::edited()
{
    for (const std::string& undone : m_redo)
        m_held -= undone.size();
    m_redo.clear();
}

std::string SlotHistory::undo(std::string shown)
{
    return step(m_undo, m_redo, std::move(shown));
}

std::string SlotHistory::redo(std::string shown)
{
    return step(m_redo, m_undo, std::move(shown));
}

std::string SlotHistory::step(std::vector<std::string>& from, std::vector<std::string>& to, std::string shown)
{
    std::string next = std::move(from.back());
    from.pop_back();
    m_held += shown.size();
    m_held -= next.size();
    to.push_back(std::move(shown));
    bound(next.size());
    return next;
}

void SlotHistory::bound(std::size_t shownBytes)
{
    const std::uint64_t allowed = shownBytes + kUndoAllowance;
    for (auto* side : {&m_undo, &m_redo}) {
        std::size_t dropped = 0;
        while (m_held > allowed && side->size() - dropped > 1)
            m_held -= (*side)[dropped++].size();
        side->erase(side->begin(), side->begin() + std::ptrdiff_t(dropped));
    }
}

} // namespace tavimor
