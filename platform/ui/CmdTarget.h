// The root of everything that receives messages and commands: windows and
// the application.  A class states what it handles in a message map, a
// table written in the class's .cpp file between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP.  Lookup starts in the map of the object's own class,
// walks each map top to bottom (the first matching line wins) and then goes
// on to the base class's map; a message found nowhere gets default
// processing, which does nothing.
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/WinDefs.h"

class CCmdTarget;
class CWnd;

// One line of a message map: the message (WM_COMMAND for a command), the
// command id, and the call that unpacks wParam/lParam for the handler.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;  // command id for WM_COMMAND lines, 0 otherwise
    LRESULT (*pfnCall)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);  // null ends the map
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a caller that only asks whether a command has a handler would pass.
struct AFX_CMDHANDLERINFO;

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Offers command nID to this object's message map; TRUE when a handler
    // took it.  The program never only asks (pHandlerInfo is always null).
    virtual BOOL OnCmdMsg(UINT nID, int /*nCode*/, void* /*pExtra*/, AFX_CMDHANDLERINFO* /*pHandlerInfo*/) {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, nID);
        if (entry == nullptr) return FALSE;
        entry->pfnCall(this, 0, 0);
        return TRUE;
    }

protected:
    // The first line for the message (and, for WM_COMMAND, for the id) in
    // this object's maps, most derived class first; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT id) const {
        for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
             map = map->pfnGetBaseMap == nullptr ? nullptr : map->pfnGetBaseMap()) {
            for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnCall != nullptr; ++entry) {
                if (entry->nMessage == message && (message != WM_COMMAND || entry->nID == id)) return entry;
            }
        }
        return nullptr;
    }
    static const AFX_MSGMAP* GetThisMessageMap() {
        static const AFX_MSGMAP_ENTRY end = {0, 0, nullptr};
        static const AFX_MSGMAP root = {nullptr, &end};
        return &root;
    }
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};

// Handlers are plain member functions; the marker only helps the reader.
#define afx_msg

// --- the message map table -------------------------------------------------

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        using ThisClass = theClass;                                                   \
        using TheBaseClass = baseClass;                                               \
        static_assert(sizeof(ThisClass) > 0);                                         \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                             \
    { 0, 0, nullptr }                                                                 \
    }                                                                                 \
    ;                                                                                 \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &messageMap;                                                               \
    }

// One line: unpacks wParam/lParam for the handler `self` has for the message.
#define AFX_MSG_LINE(message, id, ...)                                                                                \
    {message, id, [](CCmdTarget* target, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(target);                                               \
         __VA_ARGS__;                                                                                                 \
     }},
#define AFX_MOUSE_LINE(message, handler)                                                     \
    AFX_MSG_LINE(message, 0, const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); \
                 self->handler(static_cast<UINT>(wParam), point); return 0)

#define ON_WM_CREATE() AFX_MSG_LINE(WM_CREATE, 0, return self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_PAINT() AFX_MSG_LINE(WM_PAINT, 0, self->OnPaint(); return 0)
#define ON_WM_CANCELMODE() AFX_MSG_LINE(WM_CANCELMODE, 0, self->OnCancelMode(); return 0)
#define ON_WM_SETFOCUS() AFX_MSG_LINE(WM_SETFOCUS, 0, self->OnSetFocus(reinterpret_cast<CWnd*>(wParam)); return 0)
// A key: its virtual-key code in wParam, the repeat count and the flags in lParam.
#define ON_WM_KEYDOWN()                                                                          \
    AFX_MSG_LINE(WM_KEYDOWN, 0,                                                                  \
                 self->OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<WPARAM>(lParam)), \
                                 HIWORD(static_cast<WPARAM>(lParam)));                           \
                 return 0)
#define ON_WM_TIMER() AFX_MSG_LINE(WM_TIMER, 0, self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_LINE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_LINE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_LINE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_LINE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_COMMAND(id, memberFxn) AFX_MSG_LINE(WM_COMMAND, static_cast<UINT>(id), self->memberFxn(); return 0)
