// Keeps the test session's Wine desktop open. Wine closes a desktop a moment
// after the last program on it has gone, and the next program to start waits
// for a new one; with this program on it the desktop stays for the session.
//   desktop_keeper.exe MARKER_FILE
// Writes the marker file once it holds the desktop, then waits for messages
// until the session's server ends it.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    // Any window connects the thread to the desktop; a message-only one
    // shows nothing.
    HWND holder = ::CreateWindowExA(0, "STATIC", "desktop keeper", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (holder == nullptr)
        return 1;
    HANDLE marker = ::CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(marker);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&message);
    return 0;
}
