#pragma once
// The main window's menu commands that this window handles itself. The Win32 view maps its menu
// item ids to these and back.
namespace tw {

enum class MainCommand {
    Exit,
    Options,
    HelpTopics,
    TipOfTheDay,
    Tutorials,
    ProductHomePage,
    PhrasesCollection,
    MakerHomePage,
    About,
    ChangeMode,
    TrayShow,
    TrayExit,
    NavAddFolder,
    NavAddReply,
    NavDelete,
    EditorForceSave,
    EditorCut,
    EditorCopy,
    EditorPaste,
    EditorUndo,
    EditorRedo,
    EditorSelectAll,
    EditorCopyEntire,
    EditorInLastActive,
};

} // namespace tw
