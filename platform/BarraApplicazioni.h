#pragma once
// The taskbar step at shut-down: on Windows the program makes sure the taskbar window
// ("Shell_TrayWnd") is visible again. Desktops without such a taskbar do nothing.
void MostraBarraApplicazioni();
