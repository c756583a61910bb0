// The display refreshers: copy flagged register records onto their controls.
#pragma once

// Parameter pages (and, for dataItem6, the debug panel too).
void refreshTABPANEL_1();
void refreshTABPANEL_2();
void refreshTABPANEL_3();
void refreshTABPANEL_4();
void refreshTABPANEL_5();
void refreshTABPANEL_6();
// The main window's live data, status rings and bit tables.
void refreshQUERY();

// The main-window control of each live-data record.
extern const int queryItemID[26];
// Bit words last drawn into the three tables.
extern int inputIOstatue;
extern int outputIOstatue;
extern int err1statue;
extern int err2statue;
extern int err3statue;
// Forgets the drawn bit words (start of a run).
void ResetDrawnStatusWords();
