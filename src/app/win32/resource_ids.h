#pragma once
// Numbers of the program's resources, shared by the resource script and the code.
#define TW_IDI_MAIN 1
#define TW_IDC_REPLY_DROP 10005
