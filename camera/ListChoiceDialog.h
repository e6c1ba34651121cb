#pragma once
// A small modal dialog, built in memory, that offers a list and returns the
// chosen entry. The drivers' source and format dialogs are made of it.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The list box's control id, for tests that operate the dialog.
inline constexpr int kChoiceListId = 1001;

// The index chosen with OK (or a double click); nullopt on Cancel or when the
// dialog cannot be shown.
std::optional<int> ChooseFromList(HWND owner, const char* title, const char* prompt,
                                  const std::vector<std::string>& entries, int selected);
