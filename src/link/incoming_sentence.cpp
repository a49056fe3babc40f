#include "link/incoming_sentence.h"

void SplitFields(IncomingSentence& sentence)
{
    for (auto& field : sentence.SentenceFields)
        field.clear();
    const std::string_view text = sentence.SentenceText;
    if (text.empty())
        return;
    std::size_t position = 1; // past '$'
    for (int slot = 0; slot < IncomingSentence::kFieldSlots; ++slot) {
        const auto comma = text.find(',', position);
        if (comma == std::string_view::npos) {
            // The last field ends at '*'; without one it is not stored.
            const auto star = text.find('*', position);
            if (star != std::string_view::npos)
                sentence.SentenceFields[slot] = text.substr(position, star - position);
            return;
        }
        sentence.SentenceFields[slot] = text.substr(position, comma - position);
        position = comma + 1;
    }
}
