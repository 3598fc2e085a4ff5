// Velmora.exe: the application shell around the modal main dialog.
#include <windows.h>

#include "app/velmora_app.h"
#include "app/dialog/velmora_dlg_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  theApp.m_fnMain = [](CVelmoraApp& app) {
    CVelmoraDlgWindow dlg(app.GetProfile());
    dlg.DoModal();  // the result is not examined
    return 0;
  };
  return theApp.Run();
}
