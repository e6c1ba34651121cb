#pragma once
// The one skin manager of the process: loads and unloads skins and applies
// them (the hooks on the system's functions, the takeover of the process's
// windows), decides which skin object each new window gets, and tells the
// skinned windows when the skin changed.

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/controls/SkinObjectFactory.h"
#include "skin/engine/frame/SkinObjectFrame.h"
#include "skin/engine/takeover/SkinTakeover.h"

#include <windows.h>

#include <memory>

namespace tavrelin::skin {

class CSkinManager : public CSkinContext, private ISkinWindowSource {
public:
    static CSkinManager& GetInstance();

    // A manager that takes windows over hooks window creation on this
    // thread and on the threads started while a skin is loaded; the
    // process's one manager does.
    explicit CSkinManager(bool takeOverWindows = false);
    ~CSkinManager() override;
    CSkinManager(const CSkinManager&) = delete;
    CSkinManager& operator=(const CSkinManager&) = delete;

    // Called after every load and unload with the state before and after.
    virtual void OnSkinChanged(bool wasLoaded, bool isLoaded);

    // Loads and applies a skin; a null or empty path unloads. A failed load
    // always leaves the process unskinned.
    bool LoadSkin(const char* skinPath, const char* propertyFileName);
    unsigned SetApplyOptions(unsigned options);

    // Takes a window over; the new skin object, or null when the window is
    // left alone.
    CSkinObject* OnWindowCreated(HWND window, const char* className, const CREATESTRUCTA* create,
                                 bool automatic) override;
    // Gives a window back and drops the map's reference to its object.
    void RemoveWindow(HWND window, bool automatic) { m_takeover.Remove(window, automatic); }
    CSkinObjectRef FindWindowObject(HWND window) const { return m_takeover.Find(window); }
    size_t WindowCount() const { return m_takeover.Count(); }

protected:
    // Every skin object is made here (tests record what reaches them).
    virtual std::unique_ptr<CSkinObjectFrame> MakeSkinObject(const SkinObjectFactory& kind);
    // The screen's colour depth; skins need more than 256 colours.
    virtual int ScreenBitsPerPixel() const;

private:
    static BOOL CALLBACK PostColorChange(HWND window, LPARAM);
    bool CanSkinThisProcess() const;
    // The hooks and the active skin, on and off together.
    void Activate();
    void Deactivate();
    void FinishLoad(bool wasLoaded, bool success);
    ESkinDialogKind DialogKind(HWND window, const CREATESTRUCTA* create) const;

    CSkinTakeover m_takeover;
    bool m_bTakesOverWindows = false;
};

} // namespace tavrelin::skin
