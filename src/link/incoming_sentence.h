// The sentence being handled: its text and its split fields, valid while a
// handler runs.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct IncomingSentence {
    static constexpr int kFieldSlots = 50;

    std::string SentenceText; // from '$' through CR LF
    // Slot 0 is the address field without '$' (GPGGA, PMTK001, ...); fields a
    // sentence does not have read as empty text.
    std::array<std::string, kFieldSlots> SentenceFields;

    const std::string& field(int k) const
    {
        static const std::string empty;
        return k >= 0 && k < kFieldSlots ? SentenceFields[k] : empty;
    }
};

// Fills the fields of a sentence from its text (past '$', up to the first '*').
void SplitFields(IncomingSentence& sentence);
