// TForm1: the live page and the logger's replies.
#include "app/main_window.h"

#include "app/frame_live_page.h"

void TForm1::ConnectLiveHandlers() {}

void TForm1::ColourLiveChart() {}

void TForm1::SetRestartButtons(bool) {}

void TForm1::OnGga(const IncomingSentence&) {}
void TForm1::OnGll(const IncomingSentence&) {}
void TForm1::OnGsa(const IncomingSentence&) {}
void TForm1::OnGsv(const IncomingSentence&) {}
void TForm1::OnRmc(const IncomingSentence&) {}
void TForm1::OnVtg(const IncomingSentence&) {}
void TForm1::HandleAck(const IncomingSentence&) {}
void TForm1::HandleLoggerReply(const IncomingSentence&) {}
void TForm1::HandleNmeaPeriods(const IncomingSentence&) {}
void TForm1::RefreshLiveView(const IncomingSentence&) {}
