#pragma once
// Numbers of the editor toolbar's image strips, shared by the resource script and the code.
#define TW_IDB_EDITOR_16 2016
#define TW_IDB_EDITOR_24 2024
#define TW_IDB_EDITOR_32 2032
