#include "win/App.h"

#include "win/Text.h"
#include "win/Wnd.h"

namespace win {
namespace {

CWinApp* g_application = nullptr;

std::string ModuleBaseName(HINSTANCE instance)
{
    const std::string path = ModuleFileName(instance);
    std::string name = path.substr(FolderOf(path).size());
    const std::size_t extension = name.rfind('.');
    if (extension != std::string::npos)
        name.resize(extension);
    return name;
}

} // namespace

CWinApp::CWinApp() { g_application = this; }

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

int CWinApp::Run()
{
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

CWinApp* AfxGetApp() { return g_application; }
CWnd* AfxGetMainWnd() { return g_application ? g_application->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle()
{
    return g_application && g_application->m_hInstance ? g_application->m_hInstance : ::GetModuleHandleA(nullptr);
}

const char* AfxGetAppName()
{
    if (!g_application)
        return "";
    if (g_application->m_appName.empty())
        g_application->m_appName = ModuleBaseName(AfxGetInstanceHandle());
    return g_application->m_appName.c_str();
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* application = AfxGetApp();
    if (!application)
        return 1;
    application->m_hInstance = instance;
    application->m_appName = ModuleBaseName(instance);
    if (!application->InitInstance())
        return 0;
    return application->Run();
}

} // namespace win
