// TForm1: the live page and the logger's replies.
#include "app/main_window.h"

#include "app/frame_live_page.h"

void TForm1::ConnectLiveHandlers() {}

void TForm1::ColourLiveChart() {}

void TForm1::SetRestartButtons(bool) {}
