// The dialog procedures of the seven pages. Each answers one page's
// messages; it returns 1 for WM_INITDIALOG (the dialog manager then gives
// the focus to the first tab stop) and 0 for everything else. A page's
// forward button answers it, with what the person chose on it, to the loop
// that serves the page; a quit request ends the run.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SplashPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FilesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UserPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CompletionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ReadmePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
