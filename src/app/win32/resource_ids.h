#pragma once
// Numbers of the program's resources, shared by the resource script and the code.
#define TW_IDI_MAIN 1
// The tree buttons' and Save All's pictures, 16 x 16.
#define TW_IDI_ADD_FOLDER 11
#define TW_IDI_ADD_REPLY 12
#define TW_IDI_DELETE 13
#define TW_IDI_SAVE_ALL 14
#define TW_IDC_REPLY_DROP 10005
