// TForm1: the logger's settings sub-pages and the receiver restarts.
#include "app/main_window.h"

void TForm1::ConnectSettingsPagesHandlers() {}

void TForm1::PrepareSettingsSubPages() {}

void TForm1::SetMethodButtons(bool, bool) {}

void TForm1::HideCriteriaScrollBar() {}
