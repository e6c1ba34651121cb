#pragma once
// The design library: every GIF in the "Design" folder with a small picture,
// imported, renamed, deleted, and opened as design windows.
#include "design/BusyStrip.h"
#include "design/DesignWindows.h"
#include "win/Controls.h"
#include "win/Dialog.h"

#include <functional>
#include <string>

// The pictures of the list.
inline constexpr int kDesignPictureWidth = 40;
inline constexpr int kDesignPictureHeight = 30;

class CDesignDlg : public win::CDialog {
public:
    // The windows it opens go to `windows`, which outlives it; `closed` is
    // called when the user closes it.
    CDesignDlg(CDesignWindows& windows, std::function<void()> closed);

    // Creates the dialog from resource 166 without an owner and shows it.
    bool Open();

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;

    void StartBusyIndicator();
    void StopBusyIndicator();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;

private:
    std::string DesignFolder() const;
    void ListDesignFolder();
    void AddDesignItem(const std::string& name, int index);
    int FindItem(const std::string& name) const;
    std::string SelectedItemText() const;

    void OnAddDesignToWindow();
    void OnAddMyDesign();
    void ReplaceDesign(const std::string& source, const std::string& name);
    void OnOpenDesignFolder();
    void OnListClick(bool twice);
    void OnListRightClick();
    void OnDelete();
    void OnRename();

    CDesignWindows& m_windows;
    std::function<void()> m_closed;
    win::CListCtrl m_list;
    win::CImageList m_imageList;
    int m_nImageCounter = -1;
    std::string m_strSelectedName;
    std::string m_strSelectedPath;
    tavrelin::CBusyStrip m_busy;
};
