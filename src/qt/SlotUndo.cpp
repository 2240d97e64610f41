#include "SlotUndo.h"

#include "LongLines.h"
#include "SlotText.h"

namespace tavimor {

void DisplaySwitch::undo()
{
    m_view.show(m_before);
}

void DisplaySwitch::redo()
{
    m_view.show(m_after);
}

void ReplacedText::swap()
{
    m_text = m_slot.swapText(std::move(m_text), m_long);
}

} // namespace tavimor
