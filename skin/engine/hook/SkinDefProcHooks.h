#pragma once
// The replacements of the default window procedures, CallWindowProc and
// CreateThread: the first let a skin object handle a message when the
// window's own procedure passes it on; the last hooks window creation on
// every thread started while a skin is loaded.

#include <windows.h>

namespace tavrelin::skin {

LRESULT WINAPI HookDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefMDIChildProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefMDIChildProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefFrameProcA(HWND window, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefFrameProcW(HWND window, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefDlgProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookDefDlgProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookCallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI HookCallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HANDLE WINAPI HookCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE routine,
                               LPVOID parameter, DWORD flags, LPDWORD threadId);

} // namespace tavrelin::skin
