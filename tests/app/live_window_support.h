// Feeding sentences to the window as the receive thread does in normal mode.
#pragma once

#include "app/main_window.h"
#include "link/sentence_dispatch.h"
#include "link/sentences.h"

#include <string>

// body: "$GPGGA,..." without '*' and checksum.
inline void Feed(TForm1& window, const std::string& body)
{
    IncomingSentence sentence;
    sentence.SentenceText = AppendChecksum(body + "*");
    DispatchSentence(sentence, window);
}
