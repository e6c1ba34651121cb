// Window takeover under Wine, in this process: which windows get which skin
// object, and message sequences (what reached the skin object, at which
// level, in what order) for the routing rules, the opt-out messages, a
// window destroyed inside its own handler and threads started later.
#include "GdiCensus.h"
#include "MessagePump.h"
#include "SkinEngineTestSupport.h"

#include "skin/engine/controls/SkinObjectFactory.h"
#include "win/Wnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace tavrelin::skin {
namespace {

using test::ModuleSkinPath;

#define NOINLINE __attribute__((noinline))

std::vector<std::string> g_events;
constexpr UINT kDestroyInHandler = WM_USER + 2;

// Records the messages that reach its handlers with the level they reached
// them at, and its own end.
class CRecordingFrame : public CSkinObjectFrame {
public:
    using CSkinObjectFrame::CSkinObjectFrame;
    ~CRecordingFrame() override { g_events.push_back("freed"); }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message != WM_CTLCOLORSTATIC && message != kDestroyInHandler && message != WM_COMMAND)
            return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
        const std::vector<SkinMessageRecord> stack = Stack();
        g_events.push_back("skin " + std::to_string(message) + " kind " + std::to_string(stack.back().kind));
        if (message != kDestroyInHandler)
            return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
        ::DestroyWindow(Window());
        g_events.push_back("handler returns");
        result = 7;
        return true;
    }
};

class CTakeoverManager : public CSkinManager {
public:
    CTakeoverManager() : CSkinManager(true) {}

protected:
    std::unique_ptr<CSkinObjectFrame> MakeSkinObject(const SkinObjectFactory& kind) override
    {
        return std::make_unique<CRecordingFrame>(kind.objectClass, kind.skinClass);
    }
};

LRESULT CALLBACK ProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC || message == kDestroyInHandler)
        g_events.push_back("program " + std::to_string(message));
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOfClass(const char* className, HWND parent = nullptr)
{
    return ::CreateWindowExA(0, className, "", parent ? WS_CHILD : WS_POPUP, 0, 0, 50, 20, parent, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

void RegisterProgramClass(const char* name, WNDPROC procedure = ProgramProc)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    ::RegisterClassA(&windowClass);
}

NOINLINE int CallSetScrollPos(HWND window, int bar, int position, BOOL redraw)
{
    return ::SetScrollPos(window, bar, position, redraw);
}
NOINLINE int CallSetScrollRange(HWND window, int bar, int maximum, BOOL redraw)
{
    SCROLLINFO info{sizeof info, SIF_RANGE, 0, maximum, 0, 0, 0};
    return ::SetScrollInfo(window, bar, &info, redraw);
}
NOINLINE int CallGetScrollPos(HWND window, int bar)
{
    SCROLLINFO info{sizeof info, SIF_POS | SIF_TRACKPOS, 0, 0, 0, -1, -1};
    return ::GetScrollInfo(window, bar, &info) ? info.nPos : -1;
}
NOINLINE BOOL CallEnableScrollBar(HWND window, UINT bar, UINT arrows) { return ::EnableScrollBar(window, bar, arrows); }

NOINLINE HANDLE CallCreateThread(LPTHREAD_START_ROUTINE routine, void* parameter)
{
    return ::CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
}

BOOL CALLBACK ExpectImeWindowsNotTaken(HWND window, LPARAM manager)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::_stricmp(name, "IME") == 0)
        EXPECT_FALSE(reinterpret_cast<CSkinManager*>(manager)->FindWindowObject(window));
    return TRUE;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct ThreadResult {
    CSkinManager* manager;
    bool taken = false;
};

DWORD WINAPI CreateWindowOnThread(void* parameter)
{
    auto* result = static_cast<ThreadResult*>(parameter);
    HWND window = CreateOfClass("SkinTestProgram");
    result->taken = static_cast<bool>(result->manager->FindWindowObject(window));
    ::DestroyWindow(window);
    return 42;
}

TEST(SkinTakeover, FactoryTableGivesObjectAndSkinClassByExactName)
{
    struct Row {
        const char* windowClass;
        const char* objectClass; // null: creates nothing
        const char* skinClass;
    } const rows[] = {
        {"ComboBox", "CSkinObjectComboBox", "COMBOBOX"},
        {"ComboBoxEx32", "CSkinObjectComboBox", "COMBOBOX"},
        {"TComboBox", "CSkinObjectComboBox", "COMBOBOX"},
        {"Edit", "CSkinObjectEdit", "EDIT"},
        {"TEdit", "CSkinObjectEdit", "EDIT"},
        {"TMemo", "CSkinObjectEdit", "EDIT"},
        {"TRichEditViewer", "CSkinObjectEdit", "EDIT"},
        {"SysDateTimePick32", "CSkinObjectDateTime", "COMBOBOX"},
        {"SysMonthCal32", "CSkinObjectMonthCal", "WINDOW"},
        {"ListBox", "CSkinObjectListBox", "LISTBOX"},
        {"ComboLBox", "CSkinObjectListBox", "LISTBOX"},
        {"ScrollBar", "CSkinObjectScrollBar", "SCROLLBAR"},
        {"ATL:ScrollBar", "CSkinObjectScrollBar", "SCROLLBAR"},
        {"SysListView32", "CSkinObjectListView", "LISTVIEW"},
        {"SysHeader32", "CSkinObjectHeader", "HEADER"},
        {"msctls_statusbar32", "CSkinObjectStatusBar", "STATUS"},
        {"SysTreeView32", "CSkinObjectTreeView", "TREEVIEW"},
        {"msctls_progress32", "CSkinObjectProgress", "PROGRESS"},
        {"TNewProgressBar", "CSkinObjectProgress", "PROGRESS"},
        {"msctls_trackbar32", "CSkinObjectTrackBar", "TRACKBAR"},
        {"SysTabControl32", "CSkinObjectTab", "TAB"},
        {"MDIClient", "CSkinObjectMDIClient", "WINDOW"},
        {"msctls_updown32", "CSkinObjectSpin", "SPIN"},
        {"ToolbarWindow32", "CSkinObjectToolBar", "TOOLBAR"},
        {"Button", "CSkinObjectButton", "BUTTON"},
        {"TButton", "CSkinObjectButton", "BUTTON"},
        {"TRadioButton", "CSkinObjectButton", "BUTTON"},
        {"TCheckBox", "CSkinObjectButton", "BUTTON"},
        {"#32768", "CSkinObjectMenu", "MENU"},
        {"Static", "CSkinObjectStatic", "WINDOW"},
        {"tooltips_class32", "CSkinObjectToolTip", "TOOLTIP"},
        {"SysPager", nullptr, ""},
    };
    for (const Row& row : rows) {
        const SkinObjectFactory* factory = FindSkinObjectFactory(row.windowClass);
        ASSERT_NE(factory, nullptr) << row.windowClass;
        EXPECT_STREQ(factory->objectClass, row.objectClass) << row.windowClass;
        if (row.objectClass)
            EXPECT_STREQ(factory->skinClass, row.skinClass) << row.windowClass;
    }
    for (const char* absent : {"button", "EDIT", "static", "#32770", ""})
        EXPECT_EQ(FindSkinObjectFactory(absent), nullptr) << absent;
}

TEST(SkinTakeover, WindowsAreTakenOverByClassRulesAndReleasedAtTheirEnd)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    RegisterProgramClass("SkinTestProgram");
    RegisterProgramClass("Internet Explorer_Server");
    RegisterProgramClass("WindowsForms10.Button.app.0");
    CTakeoverManager manager;
    struct Case {
        const char* windowClass;
        const char* objectClass; // null: not taken over
    } const cases[] = {
        {"SkinTestProgram", "CSkinObjectFrame"},
        {"Button", "CSkinObjectButton"},
        {"Edit", "CSkinObjectEdit"},
        {"Static", "CSkinObjectStatic"},
        {"msctls_progress32", "CSkinObjectProgress"},
        {"tooltips_class32", "CSkinObjectToolTip"},
        {"Internet Explorer_Server", nullptr},
        {"WindowsForms10.Button.app.0", nullptr},
    };
    for (const Case& row : cases) {
        HWND window = CreateOfClass(row.windowClass);
        ASSERT_NE(window, nullptr) << row.windowClass;
        const CSkinObjectRef object = manager.FindWindowObject(window);
        EXPECT_EQ(object ? object->ObjectClassName() : std::string("none"), row.objectClass ? row.objectClass : "none")
            << row.windowClass;
        if (row.objectClass && std::string(row.windowClass) == "SkinTestProgram")
            EXPECT_EQ(static_cast<CSkinObjectFrame*>(object.get())->DialogKind(), 1);
        // Asked for by the program, a Windows Forms window gets the object
        // of the class between its first two dots.
        if (std::string(row.windowClass).find("WindowsForms") == 0) {
            CSkinObject* taken = manager.OnWindowCreated(window, row.windowClass, nullptr, false);
            ASSERT_NE(taken, nullptr);
            EXPECT_EQ(taken->ObjectClassName(), "CSkinObjectButton");
        }
        ::DestroyWindow(window);
        EXPECT_FALSE(manager.FindWindowObject(window)) << row.windowClass;
    }
    // Wine gives every GUI thread a hidden "IME" window; it is never taken.
    ::EnumThreadWindows(::GetCurrentThreadId(), ExpectImeWindowsNotTaken, reinterpret_cast<LPARAM>(&manager));

    // Dialogs are frame objects of kind 2.
    struct {
        DLGTEMPLATE dialog{WS_POPUP, 0, 0, 0, 0, 40, 20};
        WORD menu = 0, windowClass = 0, title = 0;
    } const dialogTemplate;
    HWND dialog =
        ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &dialogTemplate.dialog, nullptr, EmptyDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    const CSkinObjectRef dialogObject = manager.FindWindowObject(dialog);
    ASSERT_TRUE(dialogObject);
    EXPECT_EQ(static_cast<CSkinObjectFrame*>(dialogObject.get())->DialogKind(), 2);
    ::DestroyWindow(dialog);
}

TEST(SkinTakeover, MessagesReachTheSkinObjectAtTheLevelTheirWindowCallsFor)
{
    RegisterProgramClass("SkinTestProgram");
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    const auto faceBrush = reinterpret_cast<LRESULT>(manager.GetMetrics().Brush(COLOR_BTNFACE));
    test::CCanvas canvas(4, 4, RGB(0, 0, 0));
    const auto dc = reinterpret_cast<WPARAM>(canvas.Dc());
    const std::string colorStatic = std::to_string(WM_CTLCOLORSTATIC);

    // A program's procedure sees the message first; the skin answers when
    // the procedure passes it to DefWindowProc (kind 2).
    HWND program = CreateOfClass("SkinTestProgram");
    g_events.clear();
    EXPECT_EQ(::SendMessageA(program, WM_CTLCOLORSTATIC, dc, 0), faceBrush);
    EXPECT_EQ(g_events, (std::vector<std::string>{"program " + colorStatic, "skin " + colorStatic + " kind 2"}));

    // A system procedure gives nothing to wait for: the skin answers in the
    // engine's procedure (kind 0). Excluded messages never reach it.
    HWND label = CreateOfClass("Static");
    g_events.clear();
    EXPECT_EQ(::SendMessageA(label, WM_CTLCOLORSTATIC, dc, 0), faceBrush);
    ::SendMessageA(label, WM_COMMAND, 0, 0);
    EXPECT_EQ(g_events, (std::vector<std::string>{"skin " + colorStatic + " kind 0"}));

    // Unloaded, every message passes by.
    manager.LoadSkin(nullptr, nullptr);
    g_events.clear();
    EXPECT_NE(::SendMessageA(program, WM_CTLCOLORSTATIC, dc, 0), faceBrush);
    EXPECT_EQ(g_events, (std::vector<std::string>{"program " + colorStatic}));
    ::DestroyWindow(program);
    ::DestroyWindow(label);
}

TEST(SkinTakeover, UnicodeWindowsKeepTheirTextThroughTheEngine)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = L"SkinTestUnicode";
    ::RegisterClassW(&windowClass);
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    HWND window = ::CreateWindowExW(0, L"SkinTestUnicode", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    const CSkinObjectRef object = manager.FindWindowObject(window);
    ASSERT_TRUE(object);
    EXPECT_TRUE(object->IsUnicode());
    const std::wstring text = L"\u03A9 \u00E9t\u00E9 \u4E2D";
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    wchar_t back[32] = {};
    ::SendMessageW(window, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(back));
    EXPECT_EQ(std::wstring(back), text);
    ::DestroyWindow(window);
}

TEST(SkinTakeover, WindowDestroyedInItsOwnHandlerIsFreedAfterTheHandlerReturns)
{
    RegisterProgramClass("SkinTestProgram");
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    HWND program = CreateOfClass("SkinTestProgram");
    g_events.clear();
    EXPECT_EQ(::SendMessageA(program, kDestroyInHandler, 0, 0), 7);
    const std::string message = std::to_string(kDestroyInHandler);
    EXPECT_EQ(g_events, (std::vector<std::string>{"program " + message, "skin " + message + " kind 2",
                                                  "handler returns", "freed"}));
    EXPECT_FALSE(::IsWindow(program));
    EXPECT_EQ(manager.WindowCount(), 0u);
}

// A window of the framework that can ask to stay unskinned.
class COptOutWindow : public win::CWnd {
public:
    LRESULT answer = 1;
    bool Create()
    {
        const std::string name = win::RegisterClassForFramework(0, nullptr, nullptr, nullptr);
        return CreateEx(0, name.c_str(), "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SkinQueryStateMessage() && answer)
            return answer;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(SkinTakeover, AWindowThatOptsOutIsLeftAloneUntilItSaysOtherwise)
{
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    const auto faceBrush = reinterpret_cast<LRESULT>(manager.GetMetrics().Brush(COLOR_BTNFACE));
    test::CCanvas canvas(4, 4, RGB(0, 0, 0));
    const auto dc = reinterpret_cast<WPARAM>(canvas.Dc());
    COptOutWindow window;
    ASSERT_TRUE(window.Create());
    const CSkinObjectRef object = manager.FindWindowObject(window.m_hWnd);
    ASSERT_TRUE(object);
    EXPECT_TRUE(object->IsOptedOut());
    g_events.clear();
    EXPECT_NE(window.SendMessage(WM_CTLCOLORSTATIC, dc, 0), faceBrush);
    EXPECT_TRUE(g_events.empty());

    window.answer = 0;
    window.SendMessage(SkinUpdateStateMessage());
    EXPECT_FALSE(object->IsOptedOut());
    EXPECT_EQ(window.SendMessage(WM_CTLCOLORSTATIC, dc, 0), faceBrush);
    // Left to the default procedure, the question is answered 0.
    EXPECT_EQ(window.SendMessage(SkinQueryStateMessage()), 0);
    window.DestroyWindow();
}

void PumpMessages() { e2e::DispatchPending(); }

TEST(SkinTakeover, GdiCountStaysFlatOverSkinChangesAndRepaintsOfSkinnedWindows)
{
    RegisterProgramClass("SkinTestProgram");
    CTakeoverManager manager;
    HWND parent = ::CreateWindowExA(0, "SkinTestProgram", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    for (const char* child : {"Static", "Button", "Edit", "ListBox", "msctls_progress32", "SysTabControl32"}) {
        ::CreateWindowExA(0, child, "text", WS_CHILD | WS_VISIBLE, 10, 10, 100, 40, parent, nullptr,
                          ::GetModuleHandleA(nullptr), nullptr);
    }
    const auto cycle = [&manager] {
        manager.LoadSkin(ModuleSkinPath().c_str(), nullptr);
        PumpMessages();
        manager.LoadSkin(nullptr, nullptr);
        PumpMessages();
    };
    cycle();
    const int before = e2e::CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int round = 0; round < 100; ++round)
        cycle();
    EXPECT_EQ(e2e::CountGdiObjects(), before);

    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    const auto repaint = [parent] {
        ::RedrawWindow(parent, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    repaint();
    PumpMessages();
    const int skinned = e2e::CountGdiObjects();
    for (int round = 0; round < 1000; ++round)
        repaint();
    PumpMessages();
    EXPECT_EQ(e2e::CountGdiObjects(), skinned);
    ::DestroyWindow(parent);
    EXPECT_EQ(manager.WindowCount(), 0u);
}

// A parent that says it is a tabbed property sheet: it answers
// PSM_GETTABCONTROL with a tab control, and its DWL_USER names a record.
HWND g_sheetTab = nullptr;
INT_PTR CALLBACK SheetProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message != WM_USER + 116)
        return FALSE;
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(g_sheetTab));
    return TRUE;
}

struct DialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu = 0, windowClass = 0, title = 0;
};

HWND CreateTemplateDialog(DWORD style, HWND parent, DLGPROC procedure)
{
    const DialogTemplate dialogTemplate{{style, 0, 0, 0, 0, 80, 60}};
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &dialogTemplate.dialog, parent, procedure, 0);
}

TEST(SkinTakeover, PagesOfATabbedSheetAreKindSixAndTheSheetRecordIsReadSafely)
{
    CTakeoverManager manager;
    HWND sheet = CreateTemplateDialog(WS_POPUP, nullptr, SheetProc);
    g_sheetTab = CreateOfClass("Static", sheet);
    // The record: the sheet's handle, anything, then flags.
    ULONG_PTR record[3] = {reinterpret_cast<ULONG_PTR>(sheet), 0, 0};
    void* noAccess = ::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    void* released = ::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ::VirtualFree(released, 0, MEM_RELEASE);
    struct Case {
        const char* what;
        const void* user;
        ULONG_PTR flags;
        int kind;
    } const cases[] = {
        {"sheet record", record, 0, 6},
        {"wizard flag 0x20", record, 0x20, 2},
        {"wizard flag 0x2000", record, 0x2000, 2},
        {"wizard flag 0x1000000", record, 0x1000000, 2},
        {"no record", nullptr, 0, 2},
        {"unreadable record", noAccess, 0, 2},
        {"released memory", released, 0, 2},
    };
    for (const Case& sheetCase : cases) {
        record[2] = sheetCase.flags;
        ::SetWindowLongPtrA(sheet, DWLP_USER, reinterpret_cast<LONG_PTR>(sheetCase.user));
        HWND page = CreateTemplateDialog(WS_CHILD | DS_CONTROL, sheet, EmptyDialogProc);
        const CSkinObjectRef object = manager.FindWindowObject(page);
        ASSERT_TRUE(object) << sheetCase.what;
        EXPECT_EQ(static_cast<CSkinObjectFrame*>(object.get())->DialogKind(), sheetCase.kind) << sheetCase.what;
        // A page inside a page of kind 6 is one too.
        if (sheetCase.kind == 6) {
            HWND inner = CreateTemplateDialog(WS_CHILD | DS_CONTROL, page, EmptyDialogProc);
            EXPECT_EQ(static_cast<CSkinObjectFrame*>(manager.FindWindowObject(inner).get())->DialogKind(), 6);
        }
        ::DestroyWindow(page);
    }
    // Without DS_CONTROL and WS_CHILD a dialog is no page.
    record[2] = 0;
    ::SetWindowLongPtrA(sheet, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    HWND popup = CreateTemplateDialog(WS_POPUP, sheet, EmptyDialogProc);
    EXPECT_EQ(static_cast<CSkinObjectFrame*>(manager.FindWindowObject(popup).get())->DialogKind(), 2);
    ::DestroyWindow(popup);
    ::DestroyWindow(sheet);
    ::VirtualFree(noAccess, 0, MEM_RELEASE);
}

bool HasUpdateRegion(HWND window)
{
    RECT update{};
    return ::GetUpdateRect(window, &update, FALSE) != FALSE;
}

TEST(SkinTakeover, ScrollBarCallsOnSkinnedWindowsAnswerAsTheSystemAndRedraw)
{
    RegisterProgramClass("SkinTestProgram");
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    HWND window = ::CreateWindowExA(0, "SkinTestProgram", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 120, 120,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    // The test skin's vertical bar is wider than the window: the control gets a parent of its own.
    HWND holder = ::CreateWindowExA(0, "SkinTestProgram", "", WS_POPUP | WS_VISIBLE, 0, 0, 120, 120, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    HWND bar = ::CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 100, 16, holder, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(manager.FindWindowObject(window));
    ASSERT_TRUE(manager.FindWindowObject(bar));
    PumpMessages();
    CallSetScrollRange(window, SB_VERT, 100, TRUE);
    EXPECT_EQ(CallSetScrollPos(window, SB_VERT, 30, TRUE), 0);
    EXPECT_EQ(CallSetScrollPos(window, SB_VERT, 50, TRUE), 30);
    EXPECT_EQ(CallGetScrollPos(window, SB_VERT), 50);
    EXPECT_TRUE(CallEnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH));

    // A scroll bar control is invalidated only when a redraw is asked for.
    CallSetScrollRange(bar, SB_CTL, 100, FALSE);
    ::ValidateRect(bar, nullptr);
    EXPECT_EQ(CallSetScrollPos(bar, SB_CTL, 10, FALSE), 0);
    EXPECT_FALSE(HasUpdateRegion(bar));
    EXPECT_EQ(CallSetScrollPos(bar, SB_CTL, 20, TRUE), 10);
    EXPECT_TRUE(HasUpdateRegion(bar));
    EXPECT_EQ(CallGetScrollPos(bar, SB_CTL), 20);

    // Unskinned, the same answers come from the system alone.
    manager.LoadSkin(nullptr, nullptr);
    EXPECT_EQ(CallSetScrollPos(window, SB_VERT, 70, TRUE), 50);
    EXPECT_EQ(CallGetScrollPos(window, SB_VERT), 70);
    ::DestroyWindow(holder);
    ::DestroyWindow(window);
}

// Wine never raises the reorder event by itself; the test raises it.
// The styles the window had while the system last recalculated its frame.
LONG g_stylesAtFrameRecalculation = -1;
LRESULT CALLBACK FrameRecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCALCSIZE)
        g_stylesAtFrameRecalculation = ::GetWindowLongA(window, GWL_STYLE);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(SkinTakeover, AReorderEventRecalculatesTheFrameWithoutTheSystemDrawnStylesAndKeepsThem)
{
    RegisterProgramClass("SkinTestFrameRecording", FrameRecordingProc);
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    const LONG systemDrawn = WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL;
    HWND window = ::CreateWindowExA(0, "SkinTestFrameRecording", "", WS_POPUP | systemDrawn, 0, 0, 60, 40, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    g_stylesAtFrameRecalculation = -1;
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_WINDOW, CHILDID_SELF);
    e2e::PumpUntil([] { return g_stylesAtFrameRecalculation != -1; }, e2e::Timeout(10000));
    ASSERT_NE(g_stylesAtFrameRecalculation, -1) << "the frame was not recalculated";
    EXPECT_EQ(g_stylesAtFrameRecalculation & systemDrawn, 0);
    EXPECT_EQ(g_stylesAtFrameRecalculation & WS_POPUP, WS_POPUP);
    EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | systemDrawn), WS_POPUP | systemDrawn);
    ::DestroyWindow(window);
}

TEST(SkinTakeover, ThreadsStartedWhileASkinIsLoadedHookTheirWindows)
{
    RegisterProgramClass("SkinTestProgram");
    CTakeoverManager manager;
    ASSERT_TRUE(manager.LoadSkin(ModuleSkinPath().c_str(), nullptr));
    ThreadResult result{&manager};
    HANDLE thread = CallCreateThread(CreateWindowOnThread, &result);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeThread(thread, &exitCode);
    ::CloseHandle(thread);
    EXPECT_TRUE(result.taken);
    EXPECT_EQ(exitCode, 42u);
}

} // namespace
} // namespace tavrelin::skin
