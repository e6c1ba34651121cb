#pragma once
// A fresh copy of the program folder with the program running in it, with or
// without the virtual camera, and the camera page's windows.
#include "E2eSupport.h"

#include <gtest/gtest.h>
#include <vfw.h>

#include <functional>
#include <optional>

namespace camera_e2e {

inline constexpr int kStartRecord = 32772;
inline constexpr int kEndRecord = 32775;
inline constexpr int kCameraConfig = 32773;
inline constexpr int kVideoFormat = 32776;
inline constexpr int kPageTab = 1000;
inline constexpr int kPreviewBox = 1003;
inline constexpr int kMikeRadio = 1004;
inline constexpr int kDesignBox = 1005;
inline constexpr int kMp3Radio = 1006;
inline constexpr int kMp3Path = 1008;
inline constexpr int kSpeedSlider = 1021;
inline constexpr int kStandardSpeed = 1022;
inline constexpr int kChoiceList = 1001;

enum class Camera { Virtual, None };

class CameraSession {
public:
    // prepare, when given, sees the folder copy before the program starts;
    // the copy lies in `within` (folders below a temporary one) when given.
    explicit CameraSession(Camera camera = Camera::Virtual,
                           const std::function<void(const e2e::ProgramCopy&)>& prepare = {},
                           const std::string& within = "")
        : m_folder(e2e::EnvironmentVariable("TAVRELIN_PROGRAM_DIR"), within),
          m_program(
              Prepared(prepare, e2e::LaunchOptions{m_folder.File("Tavrelin.exe"),
                                                   "/Embedding",
                                                   {{"TAVRELIN_CAMERA", camera == Camera::Virtual ? "test" : "none"}},
                                                   m_folder.Path()}))
    {}

    DWORD Pid() const { return m_program.Pid(); }
    e2e::RunningProgram& Program() { return m_program; }
    e2e::ProgramCopy& Folder() { return m_folder; }

    HWND MainWindow()
    {
        if (!m_main)
            m_main = e2e::WaitForProgramMainWindow(Pid());
        EXPECT_NE(m_main, nullptr) << e2e::DescribeTopLevel(Pid());
        return m_main;
    }
    HWND Tab() { return e2e::ChildById(MainWindow(), kPageTab); }

    // The camera page: the tab control's dialog child that holds the design box.
    HWND Page()
    {
        for (HWND child : e2e::AllChildren(Tab()))
            if (::GetParent(child) == Tab() && e2e::ClassName(child) == "#32770" && ::GetDlgItem(child, kDesignBox))
                return child;
        return nullptr;
    }
    HWND Control(int id) { return ::GetDlgItem(Page(), id); }

    // The capture window: the page's child named "Capture".
    HWND CaptureWindow()
    {
        for (HWND child : e2e::AllChildren(Page()))
            if (::GetParent(child) == Page() && e2e::WindowText(child) == "Capture")
                return child;
        return nullptr;
    }

    // The capture window's status, read as the page reads it.
    std::optional<CAPSTATUS> CaptureStatus()
    {
        HWND capture = CaptureWindow();
        if (!capture)
            return std::nullopt;
        e2e::RemoteBuffer buffer = e2e::RemoteBuffer::ForWindow(capture, sizeof(CAPSTATUS));
        const auto answered = e2e::SendWithTimeout(capture, WM_CAP_GET_STATUS, sizeof(CAPSTATUS), buffer.AsLParam());
        CAPSTATUS status{};
        if (!answered || !*answered || !buffer.ReadValue(status))
            return std::nullopt;
        return status;
    }

    bool Command(int id)
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, 3000,
                                     &result) != 0;
    }
    // For commands whose handler runs a modal dialog.
    void PostCommand(int id) { ::PostMessageA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

    // Clicks a button the way the user's click arrives; returns at once, so a
    // handler may go on to run a modal dialog.
    void Click(int id) { ::PostMessageA(Control(id), BM_CLICK, 0, 0); }
    // A click whose handler is expected to return without a dialog; false when
    // it did not return in time.
    bool ClickAndWait(int id) { return e2e::SendWithTimeout(Control(id), BM_CLICK, 0, 0).has_value(); }
    bool IsChecked(int id) { return e2e::SendWithTimeout(Control(id), BM_GETCHECK, 0, 0).value_or(-1) == BST_CHECKED; }

private:
    e2e::LaunchOptions Prepared(const std::function<void(const e2e::ProgramCopy&)>& prepare,
                                e2e::LaunchOptions options) const
    {
        if (prepare)
            prepare(m_folder);
        return options;
    }

    e2e::ProgramCopy m_folder;
    e2e::RunningProgram m_program;
    HWND m_main = nullptr;
};

} // namespace camera_e2e
