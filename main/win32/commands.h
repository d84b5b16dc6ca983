#pragma once

// The commands of the keys and menus, shared with the .rc, which knows only
// the preprocessor's constants.

// Form1's keys, and the chart's.
#define FORM1_KEYS 1
#define CHART_KEYS 2

// Clear of Form1's controls (from 100) and of IDOK and IDCANCEL.
#define CMD_OPEN_CHART 200
#define CMD_RAISE_FORM1 201
#define CMD_COPY_IMAGE 202
#define CMD_SAVE_IMAGE 203
#define CMD_SAVE_DATA 204
#define CMD_WHOLE_RANGE 205
#define CMD_COPY_TEXT 206
#define CMD_SELECT_ALL 207
