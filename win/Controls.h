#pragma once
// Thin wrappers over the common controls the program uses.
#include "win/UniqueHandle.h"
#include "win/Wnd.h"

#include <commctrl.h>

#include <string>

namespace win {

class CTabCtrl : public CWnd {
public:
    int InsertItem(UINT mask, int index, const char* text, int image, LPARAM data) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    bool GetItemRect(int index, RECT* rect) const;
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
};

class CSliderCtrl : public CWnd {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) const { SendMessage(TBM_SETPOS, TRUE, position); }
    void SetRange(int minimum, int maximum, bool redraw = true) const
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetTicFreq(int frequency) const { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
};

class CListCtrl : public CWnd {
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(int index, const char* text, int image) const;
    std::string GetItemText(int index, int subItem) const;
    // The item whose text is exactly `text`, compared without regard to case
    // as the file system compares names; -1 when there is none.
    int FindItem(const std::string& text) const;
    bool SetItemText(int index, int subItem, const char* text) const;
    bool DeleteItem(int index) const { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
    }
    // Hands the list to the control, which shares it: the caller keeps owning it.
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) const
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list)));
    }
};

// An image list that belongs to this object until it is handed to a control.
class CImageList {
public:
    bool Create(int width, int height, UINT flags, int initial, int grow);
    int AddMasked(HBITMAP bitmap, COLORREF mask) const;
    HIMAGELIST GetSafeHandle() const { return m_list.get(); }
    HIMAGELIST Detach() { return m_list.release(); }

private:
    UniqueImageList m_list;
};

// A toolbar built from a toolbar resource (version, button size, command ids
// with 0 for separators) and the bitmap of the same id. Unlike the
// framework's it neither docks nor finds tooltip texts itself: the parent
// answers TTN_NEEDTEXT.
class CToolBar : public CWnd {
public:
    CToolBar() = default;
    // The window goes before the image list it draws from.
    ~CToolBar() override;
    bool CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, RECT borders, UINT id);
    bool LoadToolBar(UINT resourceId);
    // The toolbar owns the list from then on and destroys it with itself.
    void SetImageList(CImageList& images);
    SIZE GetButtonSize() const { return m_buttonSize; }
    // Places the bar along the top of its parent's client area.
    void RepositionAtTop() const;
    int Height() const;
    // Tab reaches the bar before the parent's other controls; with the
    // focus, the arrows choose a button and Enter or Space presses it.
    void JoinTabOrderFirst();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int NextPressable(int from, int step) const;
    int HotItem() const;
    void PressHotItem() const;
    bool OnKeyDown(WPARAM key);

    RECT m_borders{};
    SIZE m_buttonSize{};
    UniqueImageList m_ownedImages;
};

} // namespace win
