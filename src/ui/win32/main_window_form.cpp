#include "ui/win32/main_window.h"

namespace tw::win32 {

void MainWindow::ComposeForm() {
    form_.emplace(globals_,
                  MainFormPorts{
                      .registry = system_.registry,
                      .boxes = system_.boxes,
                      .errorReport = system_.boxes,
                      .shell = system_.shell,
                      .window = frame_,
                      .tray = tray_,
                      .tipTimer = tipTimer_,
                      .tipDialog = tipDialog_,
                      .application = application_,
                      .dialogs = dialogs_,
                      .hooks = system_.hooks,
                      .fixTimer = fixTimer_,
                      .keyState = keyState_,
                      .keyInput = keyInput_,
                      .targetWindows = targetWindows_,
                      .sleep = sleep_,
                      .clock = clock_,
                      .insertionsDialog = insertionsPort_,
                      .inputTrace = keyTrace_,
                      .pointer = pointer_,
                      .desktop = desktop_,
                      .dropCursor = dropCursor_,
                      .keyboard = keyboard_,
                  },
                  MainFormViews{
                      .library = library_,
                      .bar = editing_->Bar(),
                      .editor = editing_->Editor(),
                      .navigation = editing_->Tree(),
                      .states = *editing_,
                      .formats = editing_->Formats(),
                      .editorCommands = editing_->Formats(),
                      .toolbar = editing_->FormattingControls(),
                      .events = *editing_,
                      .insertionsMenu = editing_->Toolbar(),
                      .modes = *modesView_,
                      .clipboard = clipboard_,
                      .clipboardKeeper = clipboardKeeper_,
                  });
}

} // namespace tw::win32
