// Start-up: the main window is created with its controls, its load handler runs, then it is shown
// centred on the screen, opens on the path of the command line if one was given, and the program
// waits for the user.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/module1.h"
#include "main_window/frm_copy.h"
#include "platform/win32/form_window.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*arguments*/,
                    int show_command) {
  // DLLs come from System32 only, and a drive without a medium is the program's to report.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const INITCOMMONCONTROLSEX controls{
      sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // The shell's link handlers and the imaging component that decodes the donation picture are COM
  // components, which want the thread initialised so; drag and drop wants OLE itself.
  OleInitialize(nullptr);

  tassefiche::Win32EventLoop loop;
  tassefiche::Win32FileSystem files(&loop);
  tassefiche::Win32Dialogs dialogs;
  tassefiche::Win32Processes processes(&loop);
  tassefiche::Win32Application application;
  tassefiche::Win32Shell shell;
  tassefiche::Win32Registry registry;
  tassefiche::Platform platform{files, dialogs, processes, application, shell, registry, loop};
  tassefiche::Module1 module1(files);

  tassefiche::FrmCopy form(platform, module1);
  tassefiche::FormWindow window(form);
  window.Create();
  window.Dispatch([&] { form.Load(); });
  window.ShowCentred(show_command);
  window.Dispatch([&] { form.OpenCommandLinePath(); });

  return loop.Run([&](MSG& message) { return window.PreTranslate(message); },
                  [&](const std::function<void()>& event) { window.Dispatch(event); });
}
